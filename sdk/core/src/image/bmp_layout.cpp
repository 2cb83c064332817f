#include "image/bmp_layout.h"

#include <algorithm>

namespace prt {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

bool ReadPalette(std::FILE *file, uint64_t offset, uint32_t count, size_t entrySize,
                 BmpLayout &layout) {
  std::vector<uint8_t> raw(count * entrySize);
  if (count != 0 && !ReadBmpBytes(file, offset, raw.data(), raw.size())) return false;
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
      layout.channels = {BmpChannel(0x7C00), BmpChannel(0x03E0), BmpChannel(0x001F)};
    } else {
      layout.channels = {BmpChannel(0xFF0000), BmpChannel(0xFF00), BmpChannel(0xFF)};
    }
    return true;
  }
  if (compression != kBiBitfields && compression != kBiAlphaBitfields) return false;
  if (layout.bitCount != 16 && layout.bitCount != 32) return false;
  layout.channels = {BmpChannel(Le32(masks)), BmpChannel(Le32(masks + 4)),
                     BmpChannel(Le32(masks + 8))};
  return true;
}

// Palette images are plain or, bottom-up only, run-length encoded at their
// own depth.
bool ParseCompression(uint32_t compression, BmpLayout &layout) {
  switch (compression) {
    case kBiRgb:
      layout.compression = BmpCompression::kNone;
      return true;
    case kBiRle8:
      layout.compression = BmpCompression::kRle8;
      return layout.bitCount == 8 && layout.bottomUp;
    case kBiRle4:
      layout.compression = BmpCompression::kRle4;
      return layout.bitCount == 4 && layout.bottomUp;
    default:
      return false;
  }
}

}  // namespace

bool ReadBmpBytes(std::FILE *file, uint64_t offset, uint8_t *out, size_t size) {
  if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
  if (fseeko(file, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  return std::fread(out, 1, size, file) == size;
}

bool ParseBmpLayout(std::FILE *file, BmpLayout &layout) {
  uint8_t head[14 + 124 + 16] = {};
  if (!ReadBmpBytes(file, 0, head, 18)) return false;
  layout.dataOffset = Le32(head + 10);
  uint32_t infoSize = Le32(head + 14);
  if (infoSize != kCoreHeaderSize && (infoSize < kInfoHeaderSize || infoSize > 124)) return false;
  // Bit-field masks may follow a plain 40-byte header; read them with it.
  size_t extra = infoSize == kInfoHeaderSize ? 16 : 0;
  if (fseeko(file, 0, SEEK_END) != 0) return false;
  off_t fileSize = ftello(file);
  if (fileSize < 0) return false;
  layout.fileSize = static_cast<uint64_t>(fileSize);
  size_t want = std::min<uint64_t>(14 + infoSize + extra, layout.fileSize);
  if (want < 14 + infoSize || !ReadBmpBytes(file, 0, head, want)) return false;
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
    if (width < 0 || height == INT32_MIN) return false;
    layout.width = static_cast<uint32_t>(width);
    layout.bottomUp = height > 0;
    layout.height = static_cast<uint32_t>(height > 0 ? height : -height);
    layout.bitCount = Le16(info + 14);
    compression = Le32(info + 16);
    colorsUsed = Le32(info + 32);
  }

  // An empty bitmap is well formed; the size check refuses it.
  uint16_t bits = layout.bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (bits > 8) {
    if (!ParseMasks(info + 40, compression, layout)) return false;
  } else {
    if (!ParseCompression(compression, layout)) return false;
    uint32_t count = colorsUsed == 0 ? 1u << bits : colorsUsed;
    if (count > 256) return false;
    if (!ReadPalette(file, 14 + infoSize, count, entrySize, layout)) return false;
  }

  layout.stride = (static_cast<uint64_t>(layout.width) * bits + 31) / 32 * 4;
  if (layout.compression != BmpCompression::kNone) return layout.dataOffset < layout.fileSize;
  // Every row must be in the file; this also keeps a forged header from
  // asking for gigabytes of row buffers.
  uint64_t end = layout.dataOffset + layout.stride * layout.height;
  return end <= layout.fileSize;
}

}  // namespace prt
