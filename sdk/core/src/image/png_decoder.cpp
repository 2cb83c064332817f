// PNG through libpng.  One-bit palette and one-bit grey images keep their
// packed rows and two colours; everything else arrives as grey or RGB.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "image/image_decoder.h"

namespace prt {
namespace {

// libpng reports errors by longjmp; keep its messages off stderr.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

class PngDecoder final : public ImageDecoder {
 public:
  PngDecoder(std::FILE *file, const ImageLimits &limits) : file_(file), limits_(limits) {}

  ~PngDecoder() override {
    if (png_ != nullptr)
      png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr);
  }

  bool Open() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png_ == nullptr) return false;
    info_ = png_create_info_struct(png_);
    if (info_ == nullptr) return false;
    if (setjmp(png_jmpbuf(png_))) return false;
    png_init_io(png_, file_);
    // libpng refuses a larger header itself, before it allocates rows.
    png_set_user_limits(png_, std::min<uint32_t>(limits_.maxWidth, PNG_USER_WIDTH_MAX),
                        std::min<uint32_t>(limits_.maxHeight, PNG_USER_HEIGHT_MAX));
    SkipChecksums();
    png_read_info(png_, info_);
    return ReadLayout();
  }

  bool ReadRow(uint8_t *row) override {
    if (next_ >= header_.height) return false;
    if (setjmp(png_jmpbuf(png_))) return false;
    if (interlaced_) {
      if (whole_.empty() && !ReadWhole()) return false;
      std::memcpy(row, &whole_[next_ * libRowBytes_], libRowBytes_);
    } else {
      png_read_row(png_, row, nullptr);
    }
    ++next_;
    return true;
  }

 private:
  bool ReadLayout() {
    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(png_, info_, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    header_.width = width;
    header_.height = height;
    bool oneBit = depth == 1 && (colour == PNG_COLOR_TYPE_PALETTE || colour == PNG_COLOR_TYPE_GRAY);
    if (oneBit) {
      header_.format = RowFormat::kOneBit;
      header_.palette = OneBitPalette(colour);
    } else {
      png_set_strip_16(png_);
      png_set_strip_alpha(png_);
      if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png_);
      if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png_);
    }
    interlaced_ = interlace != PNG_INTERLACE_NONE;
    if (interlaced_) png_set_interlace_handling(png_);
    png_read_update_info(png_, info_);
    if (!oneBit)
      header_.format = png_get_channels(png_, info_) == 1 ? RowFormat::kGrey : RowFormat::kRgb;
    libRowBytes_ = png_get_rowbytes(png_, info_);
    // Rows are read straight into the caller's buffer: the layouts must agree.
    return libRowBytes_ == DecodedRowBytes(header_);
  }

  // The CRC of each chunk and zlib's Adler-32 cost a tenth of the decode
  // time of a large photo.  Structural damage (a broken deflate stream, a
  // short file, bad header values) is still caught; a flipped bit inside
  // the image data goes unnoticed, as in web browsers.
  void SkipChecksums() {
    png_set_crc_action(png_, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
    png_set_option(png_, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
  }

  std::array<Rgb, 2> OneBitPalette(int colour) {
    if (colour == PNG_COLOR_TYPE_GRAY) return {Rgb{0, 0, 0}, Rgb{255, 255, 255}};
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(png_, info_, &entries, &count);
    std::array<Rgb, 2> palette{};
    for (int i = 0; i < count && i < 2; ++i)
      palette[i] = Rgb{entries[i].red, entries[i].green, entries[i].blue};
    return palette;
  }

  // Interlaced rows only come out complete after the last pass.
  bool ReadWhole() {
    const uint64_t bytes = static_cast<uint64_t>(libRowBytes_) * header_.height;
    if (bytes > limits_.workBytes) {
      error_ = PRT_ERR_IMAGE_SIZE;
      return false;
    }
    whole_.resize(static_cast<size_t>(bytes));
    // Members, not locals: a longjmp out of libpng would skip a destructor.
    rowPointers_.resize(header_.height);
    for (uint32_t y = 0; y < header_.height; ++y) rowPointers_[y] = &whole_[y * libRowBytes_];
    png_read_image(png_, rowPointers_.data());
    return true;
  }

  std::FILE *file_;
  ImageLimits limits_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  bool interlaced_ = false;
  size_t libRowBytes_ = 0;
  std::vector<uint8_t> whole_;
  std::vector<png_bytep> rowPointers_;
  uint32_t next_ = 0;
};

}  // namespace

std::unique_ptr<ImageDecoder> OpenPngDecoder(std::FILE *file, const ImageLimits &limits) {
  auto decoder = std::make_unique<PngDecoder>(file, limits);
  if (!decoder->Open()) return nullptr;
  return decoder;
}

}  // namespace prt
