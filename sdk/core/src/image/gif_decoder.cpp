// GIF through giflib: the first frame, placed on the logical screen and
// clipped to it.  Screen area outside the frame is white, so it prints
// nothing.  Transparency is not applied; a transparent index shows its
// colour-table colour.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/image_decoder.h"

namespace prt {
namespace {

int ReadFromFile(GifFileType *gif, GifByteType *out, int size) {
  auto *file = static_cast<std::FILE *>(gif->UserData);
  return static_cast<int>(std::fread(out, 1, static_cast<size_t>(size), file));
}

class GifDecoder final : public ImageDecoder {
 public:
  explicit GifDecoder(const ImageLimits &limits) : limits_(limits) {}

  ~GifDecoder() override {
    if (gif_ != nullptr) DGifCloseFile(gif_, nullptr);
  }

  bool Open(std::FILE *file) {
    int error = 0;
    gif_ = DGifOpen(file, ReadFromFile, &error);
    if (gif_ == nullptr) return false;
    header_.width = static_cast<uint32_t>(std::max(gif_->SWidth, 0));
    header_.height = static_cast<uint32_t>(std::max(gif_->SHeight, 0));
    header_.format = RowFormat::kRgb;
    return true;
  }

  bool ReadRow(uint8_t *row) override {
    if (next_ >= header_.height || broken_) return false;
    if (!frameFound_ && !FindFrame()) {
      broken_ = true;
      return false;
    }
    uint32_t y = next_++;
    std::memset(row, 0xFF, static_cast<size_t>(header_.width) * 3);
    if (y < top_ || y >= top_ + frameHeight_) return true;
    const uint8_t *indices = nullptr;
    if (interlaced_) {
      indices = &whole_[static_cast<size_t>(y - top_) * VisibleWidth()];
    } else {
      if (DGifGetLine(gif_, line_.data(), static_cast<int>(frameWidth_)) != GIF_OK) return false;
      indices = line_.data();
    }
    PaintIndices(indices, row);
    return true;
  }

 private:
  // Skips extensions up to the first image descriptor and prepares its rows.
  bool FindFrame() {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    do {
      if (DGifGetRecordType(gif_, &record) != GIF_OK) return false;
      if (record == EXTENSION_RECORD_TYPE && !SkipExtension()) return false;
      if (record == TERMINATE_RECORD_TYPE) return false;
    } while (record != IMAGE_DESC_RECORD_TYPE);
    if (DGifGetImageDesc(gif_) != GIF_OK) return false;
    const GifImageDesc &desc = gif_->Image;
    if (desc.Left < 0 || desc.Top < 0 || desc.Width <= 0 || desc.Height <= 0) return false;
    // Every row of the frame is decoded whole, however little of it shows:
    // a frame wider than any image the caller takes only costs time.
    if (static_cast<uint32_t>(desc.Width) > limits_.maxWidth) return Refuse(PRT_ERR_IMAGE_SIZE);
    ColorMapObject *map = desc.ColorMap != nullptr ? desc.ColorMap : gif_->SColorMap;
    if (map == nullptr) return false;
    for (int i = 0; i < map->ColorCount && i < 256; ++i)
      colours_[i] = Rgb{map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue};
    left_ = static_cast<uint32_t>(desc.Left);
    top_ = static_cast<uint32_t>(desc.Top);
    frameWidth_ = static_cast<uint32_t>(desc.Width);
    frameHeight_ = static_cast<uint32_t>(desc.Height);
    line_.resize(frameWidth_);
    interlaced_ = desc.Interlace;
    frameFound_ = true;
    return !interlaced_ || ReadInterlaced();
  }

  bool SkipExtension() {
    int code = 0;
    GifByteType *data = nullptr;
    if (DGifGetExtension(gif_, &code, &data) != GIF_OK) return false;
    while (data != nullptr) {
      if (DGifGetExtensionNext(gif_, &data) != GIF_OK) return false;
    }
    return true;
  }

  bool Refuse(int32_t error) {
    error_ = error;
    return false;
  }

  // Interlaced rows arrive in four passes; only the whole frame is usable.
  // Only its part on the screen is kept, so a forged frame size cannot ask
  // for more memory than the screen.
  bool ReadInterlaced() {
    visibleRows_ = top_ < header_.height ? std::min(frameHeight_, header_.height - top_) : 0;
    const size_t visibleWidth = VisibleWidth();
    if (visibleWidth * visibleRows_ > limits_.workBytes) return Refuse(PRT_ERR_IMAGE_SIZE);
    whole_.resize(visibleWidth * visibleRows_);
    static const uint32_t kStart[] = {0, 4, 2, 1};
    static const uint32_t kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
      for (uint32_t y = kStart[pass]; y < frameHeight_; y += kStep[pass]) {
        if (DGifGetLine(gif_, line_.data(), static_cast<int>(frameWidth_)) != GIF_OK) return false;
        if (y < visibleRows_)
          std::copy_n(line_.begin(), visibleWidth, whole_.begin() + y * visibleWidth);
      }
    }
    return true;
  }

  // Frame columns that lie on the screen.
  size_t VisibleWidth() const {
    return left_ < header_.width ? std::min(frameWidth_, header_.width - left_) : 0;
  }

  // Frame pixels that fall outside the screen are dropped.
  void PaintIndices(const uint8_t *indices, uint8_t *row) const {
    const size_t count = VisibleWidth();
    uint8_t *out = row + static_cast<size_t>(left_) * 3;
    for (size_t x = 0; x < count; ++x) {
      const Rgb &colour = colours_[indices[x]];
      out[3 * x] = colour.red;
      out[3 * x + 1] = colour.green;
      out[3 * x + 2] = colour.blue;
    }
  }

  ImageLimits limits_;
  GifFileType *gif_ = nullptr;
  bool frameFound_ = false;
  bool broken_ = false;
  bool interlaced_ = false;
  uint32_t left_ = 0, top_ = 0, frameWidth_ = 0, frameHeight_ = 0, visibleRows_ = 0;
  std::array<Rgb, 256> colours_{};
  std::vector<uint8_t> line_;
  std::vector<uint8_t> whole_;
  uint32_t next_ = 0;
};

}  // namespace

std::unique_ptr<ImageDecoder> OpenGifDecoder(std::FILE *file, const ImageLimits &limits) {
  auto decoder = std::make_unique<GifDecoder>(limits);
  if (!decoder->Open(file)) return nullptr;
  return decoder;
}

}  // namespace prt
