// Windows bitmaps are read directly: the palette of a one-bit image must
// reach the rasterizer unchanged, which no small library guarantees.
#include <algorithm>
#include <cstring>
#include <vector>

#include "image/bmp_layout.h"

namespace prt {
namespace {

constexpr size_t kBlockBytes = 256 * 1024;

class BmpDecoder final : public ImageDecoder {
 public:
  BmpDecoder(std::FILE *file, BmpLayout layout) : file_(file), layout_(std::move(layout)) {
    header_.width = layout_.width;
    header_.height = layout_.height;
    if (layout_.bitCount == 1) {
      header_.format = RowFormat::kOneBit;
      header_.palette = {layout_.palette[0], layout_.palette[1]};
    }
    blockRows_ = layout_.stride == 0 ? 1 : std::max<uint64_t>(1, kBlockBytes / layout_.stride);
    blockRows_ = std::min<uint64_t>(blockRows_, layout_.height);
  }

  bool ReadRow(uint8_t *row) override {
    if (next_ >= layout_.height) return false;
    if (next_ >= blockEnd_ && !LoadBlock()) return false;
    // Within a block of a bottom-up file the rows run upwards.
    uint64_t index = layout_.bottomUp ? blockEnd_ - 1 - next_ : next_ - blockStart_;
    ConvertRow(&block_[index * layout_.stride], row);
    ++next_;
    return true;
  }

 private:
  bool LoadBlock() {
    if (block_.empty()) block_.resize(blockRows_ * layout_.stride);
    blockStart_ = next_;
    blockEnd_ = std::min<uint64_t>(layout_.height, next_ + blockRows_);
    uint64_t rows = blockEnd_ - blockStart_;
    uint64_t firstFileRow = layout_.bottomUp ? layout_.height - blockEnd_ : blockStart_;
    return ReadBmpBytes(file_, layout_.dataOffset + firstFileRow * layout_.stride, block_.data(),
                        rows * layout_.stride);
  }

  void ConvertRow(const uint8_t *in, uint8_t *out) const {
    uint32_t width = layout_.width;
    switch (layout_.bitCount) {
      case 1:
        std::memcpy(out, in, (width + 7) / 8);
        return;
      case 4:
        for (uint32_t x = 0; x < width; ++x) {
          uint8_t index = x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 0x0F;
          PutRgb(out, x, layout_.palette[index]);
        }
        return;
      case 8:
        for (uint32_t x = 0; x < width; ++x) PutRgb(out, x, layout_.palette[in[x]]);
        return;
      case 24:
        for (uint32_t x = 0; x < width; ++x) {
          out[3 * x] = in[3 * x + 2];
          out[3 * x + 1] = in[3 * x + 1];
          out[3 * x + 2] = in[3 * x];
        }
        return;
      case 16:
        for (uint32_t x = 0; x < width; ++x) PutMasked(out, x, Le16(in + 2 * x));
        return;
      default:
        for (uint32_t x = 0; x < width; ++x) PutMasked(out, x, Le32(in + 4 * x));
        return;
    }
  }

  static void PutRgb(uint8_t *out, uint32_t x, Rgb colour) {
    out[3 * x] = colour.red;
    out[3 * x + 1] = colour.green;
    out[3 * x + 2] = colour.blue;
  }

  void PutMasked(uint8_t *out, uint32_t x, uint32_t pixel) const {
    out[3 * x] = layout_.channels[0].Of(pixel);
    out[3 * x + 1] = layout_.channels[1].Of(pixel);
    out[3 * x + 2] = layout_.channels[2].Of(pixel);
  }

  std::FILE *file_;
  BmpLayout layout_;
  uint64_t blockRows_ = 1;
  std::vector<uint8_t> block_;
  uint64_t blockStart_ = 0;
  uint64_t blockEnd_ = 0;
  uint64_t next_ = 0;
};

}  // namespace

// The headers are read in full before any row buffer exists, and the rows
// must be in the file, so the limits need no check of their own here.
std::unique_ptr<ImageDecoder> OpenBmpDecoder(std::FILE *file, const ImageLimits &) {
  BmpLayout layout;
  if (!ParseBmpLayout(file, layout)) return nullptr;
  if (layout.compression != BmpCompression::kNone) {
    return OpenRleBmpDecoder(file, std::move(layout));
  }
  return std::make_unique<BmpDecoder>(file, std::move(layout));
}

}  // namespace prt
