#include "image/rasterizer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "image/dither.h"
#include "image/grey.h"
#include "image/image_decoder.h"
#include "image/raster_stream.h"
#include "image/row_pipeline.h"

namespace prt {
namespace {

// Below this many pixels a helper thread costs more than it saves.
constexpr uint64_t kThreadedPixels = 1u << 18;
constexpr size_t kFileBufferBytes = 64 * 1024;

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens `path` for reading; errno when it cannot be opened, EISDIR for a
// folder, -21 for anything else that is no regular file.  O_NONBLOCK keeps
// a FIFO without a writer from holding the open; a socket cannot be opened
// at all (ENXIO), which is the same refusal.
int32_t OpenImageFile(const std::string &path, FilePtr &file) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return errno == ENXIO ? kImageLoadError : errno;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int32_t result = S_ISDIR(info.st_mode) ? EISDIR : kImageLoadError;
    ::close(fd);
    return result;
  }
  errno = 0;
  file.reset(::fdopen(fd, "rb"));
  if (!file) {
    const int32_t result = errno != 0 ? errno : EIO;
    ::close(fd);
    return result;
  }
  std::setvbuf(file.get(), nullptr, _IOFBF, kFileBufferBytes);
  return 0;
}

// Rows are copied as they are; the set bits must end up meaning "dark".
bool CopyOneBit(ImageDecoder &decoder, std::span<uint8_t> raster) {
  const ImageHeader &header = decoder.header();
  size_t rowBytes = RasterRowBytes(header.width);
  uint8_t flip = OneBitSetIsDark(header) ? 0x00 : 0xFF;
  uint32_t padding = rowBytes * 8 - header.width;
  uint8_t lastMask = static_cast<uint8_t>(0xFF << padding);
  for (uint32_t y = 0; y < header.height; ++y) {
    uint8_t *row = raster.data() + y * rowBytes;
    if (!decoder.ReadRow(row)) return false;
    for (size_t i = 0; i < rowBytes; ++i) row[i] ^= flip;
    row[rowBytes - 1] &= lastMask;
  }
  return true;
}

bool DitherImage(ImageDecoder &decoder, std::span<uint8_t> raster, Threading threading) {
  const ImageHeader &header = decoder.header();
  size_t rowBytes = RasterRowBytes(header.width);
  FloydSteinberg diffusion(header.width);
  std::vector<uint8_t> grey(header.width);
  uint8_t *out = raster.data();
  auto produce = [&](uint8_t *row) { return decoder.ReadRow(row); };
  auto consume = [&](const uint8_t *row) {
    if (header.format == RowFormat::kGrey) {
      GreyRowToGrey(row, header.width, grey.data());
    } else {
      RgbRowToGrey(row, header.width, grey.data());
    }
    diffusion.Row(grey.data(), out);
    out += rowBytes;
  };
  uint64_t pixels = static_cast<uint64_t>(header.width) * header.height;
  bool threaded = threading == Threading::kAlways ||
                  (threading == Threading::kAuto && pixels >= kThreadedPixels);
  size_t decodedBytes = DecodedRowBytes(header);
  if (threaded) return PipeRowsThreaded(header.height, decodedBytes, produce, consume);
  return PipeRowsInline(header.height, decodedBytes, produce, consume);
}

}  // namespace

int32_t ReadImageSizeFrom(std::FILE *file, uint32_t &width, uint32_t &height) {
  if (std::fseek(file, 0, SEEK_SET) != 0) return kImageLoadError;
  int32_t result = 0;
  auto decoder = OpenImageDecoder(file, result);
  if (!decoder) return result;
  width = decoder->header().width;
  height = decoder->header().height;
  return 0;
}

int32_t RasterizeFrom(std::FILE *file, std::span<uint8_t> raster, Threading threading,
                      const ImageLimits &limits) {
  if (std::fseek(file, 0, SEEK_SET) != 0) return kImageLoadError;
  int32_t result = 0;
  auto decoder = OpenImageDecoder(file, result, limits);
  if (!decoder) return result;
  const ImageHeader &header = decoder->header();
  uint64_t needed = static_cast<uint64_t>(RasterRowBytes(header.width)) * header.height;
  if (needed > raster.size()) return PRT_ERR_IMAGE_SIZE;
  bool ok = header.format == RowFormat::kOneBit ? CopyOneBit(*decoder, raster)
                                                : DitherImage(*decoder, raster, threading);
  return ok ? 0 : decoder->error();
}

int32_t ReadImageSize(const std::string &path, uint32_t &width, uint32_t &height) {
  FilePtr file;
  int32_t result = OpenImageFile(path, file);
  if (result != 0) return result;
  return ReadImageSizeFrom(file.get(), width, height);
}

int32_t RasterizeImageFile(const std::string &path, std::span<uint8_t> raster,
                           const ImageLimits &limits) {
  FilePtr file;
  int32_t result = OpenImageFile(path, file);
  if (result != 0) return result;
  return RasterizeFrom(file.get(), raster, Threading::kAuto, limits);
}

}  // namespace prt
