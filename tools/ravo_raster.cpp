// ravo-raster: rasterizes an image file the way the printer commands do and
// writes the result as a binary PBM (P4), whose bit 1 is black like ours.
//
//   ravo-raster IN OUT          rasterize IN into OUT ("-" = stdout)
//   ravo-raster --decode-only IN
//                               decode IN and drop the rows (for timing)
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image/image_decoder.h"
#include "image/rasterizer.h"

namespace {

int Fail(const std::string &what, int32_t code) {
  std::fprintf(stderr, "ravo-raster: %s: error %d (%s)\n", what.c_str(), code,
               code > 0 ? std::strerror(code) : "not a readable image");
  return 1;
}

int DecodeOnly(const std::string &in) {
  std::FILE *file = std::fopen(in.c_str(), "rb");
  if (file == nullptr) return Fail(in, errno);
  int32_t result = 0;
  auto decoder = prt::OpenImageDecoder(file, result);
  int status = 0;
  if (!decoder) {
    status = Fail(in, result);
  } else {
    std::vector<uint8_t> row(prt::DecodedRowBytes(decoder->header()));
    for (uint32_t y = 0; y < decoder->header().height && status == 0; ++y) {
      if (!decoder->ReadRow(row.data())) status = Fail(in, decoder->error());
    }
  }
  decoder.reset();
  std::fclose(file);
  return status;
}

int Rasterize(const std::string &in, const std::string &out) {
  uint32_t width = 0, height = 0;
  int32_t result = prt::ReadImageSize(in, width, height);
  if (result != 0) return Fail(in, result);
  std::vector<uint8_t> raster(static_cast<size_t>(prt::RasterRowBytes(width)) * height, 0);
  result = prt::RasterizeImageFile(in, raster, prt::ImageLimits{width, height});
  if (result != 0) return Fail(in, result);
  std::FILE *file = out == "-" ? stdout : std::fopen(out.c_str(), "wb");
  if (file == nullptr) return Fail(out, errno);
  std::fprintf(file, "P4\n%u %u\n", width, height);
  bool ok = std::fwrite(raster.data(), 1, raster.size(), file) == raster.size();
  ok = (file == stdout ? std::fflush(file) : std::fclose(file)) == 0 && ok;
  return ok ? 0 : Fail(out, errno);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::strcmp(argv[1], "--decode-only") == 0) return DecodeOnly(argv[2]);
  if (argc == 3) return Rasterize(argv[1], argv[2]);
  std::fprintf(stderr, "usage: ravo-raster IN OUT\n       ravo-raster --decode-only IN\n");
  return 2;
}
