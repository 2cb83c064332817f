// What the raster commands of both libraries share: turning the caller's
// path into a file-system path, and loading an image file as the raster a
// printer receives (size checked, dark dots as 0 bits).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "code_page.h"
#include "image/rasterizer.h"
#include "prt.h"

namespace prt {

// Room for an 8-bit path once widened, terminator included.
inline constexpr size_t kMaxPathUnits = 260;

// UTF-16 path -> UTF-8, the file-system encoding.  errno on failure.
inline int32_t WidePathToUtf8(const PrtWChar *path, std::string &out) {
  std::u16string_view wide = WideView(path);
  std::string_view bytes(reinterpret_cast<const char *>(wide.data()), wide.size() * 2);
  return ConvertCharset("UTF-16LE", "UTF-8", bytes, out);
}

// 8-bit path in the system code page -> UTF-8.  -2 when the path and its
// terminator do not fit kMaxPathUnits UTF-16 units; errno when a byte
// sequence is not valid in the code page.
inline int32_t AnsiPathToUtf8(const char *path, std::string &out) {
  std::u16string wide;
  int32_t rc = AnsiToUtf16(path, wide);
  if (rc != 0) return rc;
  if (wide.size() + 1 > kMaxPathUnits) return PRT_ERR_BUFFER_TOO_SMALL;
  std::string_view bytes(reinterpret_cast<const char *>(wide.data()), wide.size() * 2);
  return ConvertCharset("UTF-16LE", "UTF-8", bytes, out);
}

inline int32_t PathToUtf8(const PrtWChar *path, std::string &out) {
  return WidePathToUtf8(path, out);
}
inline int32_t PathToUtf8(const char *path, std::string &out) {
  return AnsiPathToUtf8(path, out);
}

// Calls send(utf8Path) for the caller's W or A path: -1 for a null path,
// the conversion's error when it fails, else what `send` returns.
template <typename Char, typename Send>
int32_t WithImagePath(const Char *path, Send send) {
  if (path == nullptr) return PRT_ERR_PARAMETER;
  std::string file;
  int32_t rc = PathToUtf8(path, file);
  return rc != 0 ? rc : send(file);
}

struct PrinterRaster {
  uint32_t rowBytes = 0;
  uint32_t height = 0;
  std::vector<uint8_t> bytes;  // rowBytes * height, 0 bit = dark dot
};

// Reads the image's size, refuses an empty image or one beyond `limits`
// (a maxWidth of 0 refuses every image) with -25, rasterizes it and
// inverts every byte (padding bits become 1).  Decoder errors are returned
// unchanged; -9 when memory runs out.
inline int32_t LoadInvertedRaster(const std::string &path, ImageLimits limits, PrinterRaster &out) {
  uint32_t width = 0;
  uint32_t height = 0;
  int32_t rc = ReadImageSize(path, width, height);
  if (rc != 0) return rc;
  if (width == 0 || width > limits.maxWidth || height == 0 || height > limits.maxHeight) {
    return PRT_ERR_IMAGE_SIZE;
  }
  out.rowBytes = RasterRowBytes(width);
  out.height = height;
  out.bytes.assign(static_cast<size_t>(out.rowBytes) * height, 0);
  // The decoder may hold no more than the accepted size, whatever the file
  // says by now.
  rc = RasterizeImageFile(path, out.bytes, ImageLimits{width, height});
  for (uint8_t &byte : out.bytes) byte = static_cast<uint8_t>(~byte);
  return rc;
}

}  // namespace prt
