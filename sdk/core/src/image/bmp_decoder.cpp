// Windows bitmaps are read directly: the palette of a one-bit image must
// reach the rasterizer unchanged, which no small library guarantees.
#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "image/image_decoder.h"

namespace prt {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr size_t kBlockBytes = 256 * 1024;

uint16_t Le16(const uint8_t *p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Le32(const uint8_t *p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  uint8_t Of(uint32_t pixel) const {
    if (max == 0) return 0;
    uint64_t value = (pixel & mask) >> shift;
    return static_cast<uint8_t>((value * 255 + max / 2) / max);
  }
};

struct BmpLayout {
  uint32_t dataOffset = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  bool bottomUp = true;
  uint16_t bitCount = 0;
  uint64_t stride = 0;
  std::array<Channel, 3> channels;  // red, green, blue
  std::vector<Rgb> palette;
};

bool ReadAt(std::FILE *file, uint64_t offset, uint8_t *out, size_t size) {
  if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
  if (fseeko(file, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  return std::fread(out, 1, size, file) == size;
}

bool ReadPalette(std::FILE *file, uint64_t offset, uint32_t count, size_t entrySize,
                 BmpLayout &layout) {
  std::vector<uint8_t> raw(count * entrySize);
  if (count != 0 && !ReadAt(file, offset, raw.data(), raw.size())) return false;
  layout.palette.assign(256, Rgb{});
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t *entry = &raw[i * entrySize];
    layout.palette[i] = Rgb{entry[2], entry[1], entry[0]};
  }
  return true;
}

bool ParseMasks(const uint8_t *masks, uint32_t compression, BmpLayout &layout) {
  if (compression == kBiRgb) {
    if (layout.bitCount == 16) {
      layout.channels = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    } else {
      layout.channels = {Channel(0xFF0000), Channel(0xFF00), Channel(0xFF)};
    }
    return true;
  }
  if (layout.bitCount != 16 && layout.bitCount != 32) return false;
  layout.channels = {Channel(Le32(masks)), Channel(Le32(masks + 4)), Channel(Le32(masks + 8))};
  return true;
}

bool ParseLayout(std::FILE *file, BmpLayout &layout) {
  uint8_t head[14 + 124 + 16] = {};
  if (!ReadAt(file, 0, head, 18)) return false;
  layout.dataOffset = Le32(head + 10);
  uint32_t infoSize = Le32(head + 14);
  if (infoSize != kCoreHeaderSize && (infoSize < kInfoHeaderSize || infoSize > 124)) return false;
  // Bit-field masks may follow a plain 40-byte header; read them with it.
  size_t extra = infoSize == kInfoHeaderSize ? 16 : 0;
  std::fseek(file, 0, SEEK_END);
  long fileSize = std::ftell(file);
  size_t want = std::min<size_t>(14 + infoSize + extra, fileSize < 0 ? 0 : fileSize);
  if (want < 14 + infoSize || !ReadAt(file, 0, head, want)) return false;
  const uint8_t *info = head + 14;

  uint32_t compression = kBiRgb;
  uint32_t colorsUsed = 0;
  size_t entrySize = 4;
  if (infoSize == kCoreHeaderSize) {
    layout.width = Le16(info + 4);
    layout.height = Le16(info + 6);
    layout.bitCount = Le16(info + 10);
    entrySize = 3;
  } else {
    int32_t width = static_cast<int32_t>(Le32(info + 4));
    int32_t height = static_cast<int32_t>(Le32(info + 8));
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;
    layout.width = static_cast<uint32_t>(width);
    layout.bottomUp = height > 0;
    layout.height = static_cast<uint32_t>(height > 0 ? height : -height);
    layout.bitCount = Le16(info + 14);
    compression = Le32(info + 16);
    colorsUsed = Le32(info + 32);
  }

  if (layout.width == 0 || layout.height == 0) return false;
  uint16_t bits = layout.bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (compression != kBiRgb && compression != kBiBitfields && compression != kBiAlphaBitfields)
    return false;
  if (bits > 8) {
    if (!ParseMasks(info + 40, compression, layout)) return false;
  } else {
    if (compression != kBiRgb) return false;
    uint32_t count = colorsUsed == 0 ? 1u << bits : colorsUsed;
    if (count > 256) return false;
    if (!ReadPalette(file, 14 + infoSize, count, entrySize, layout)) return false;
  }

  layout.stride = (static_cast<uint64_t>(layout.width) * bits + 31) / 32 * 4;
  // Every row must be in the file; this also keeps a forged header from
  // asking for gigabytes of row buffers.
  uint64_t end = layout.dataOffset + layout.stride * layout.height;
  return fileSize >= 0 && end <= static_cast<uint64_t>(fileSize);
}

class BmpDecoder final : public ImageDecoder {
 public:
  BmpDecoder(std::FILE *file, BmpLayout layout) : file_(file), layout_(std::move(layout)) {
    header_.width = layout_.width;
    header_.height = layout_.height;
    if (layout_.bitCount == 1) {
      header_.format = RowFormat::kOneBit;
      header_.palette = {layout_.palette[0], layout_.palette[1]};
    }
    blockRows_ = std::max<uint64_t>(1, kBlockBytes / layout_.stride);
    blockRows_ = std::min<uint64_t>(blockRows_, layout_.height);
    block_.resize(blockRows_ * layout_.stride);
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
    blockStart_ = next_;
    blockEnd_ = std::min<uint64_t>(layout_.height, next_ + blockRows_);
    uint64_t rows = blockEnd_ - blockStart_;
    uint64_t firstFileRow = layout_.bottomUp ? layout_.height - blockEnd_ : blockStart_;
    return ReadAt(file_, layout_.dataOffset + firstFileRow * layout_.stride, block_.data(),
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

std::unique_ptr<ImageDecoder> OpenBmpDecoder(std::FILE *file) {
  BmpLayout layout;
  if (!ParseLayout(file, layout)) return nullptr;
  return std::make_unique<BmpDecoder>(file, std::move(layout));
}

}  // namespace prt
