#include "pwg_file.h"

#include <cups/raster.h>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace ravo::app::test {

bool WritePwg(const std::string &path, const GreyPicture &picture, const std::string &type) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  cups_raster_t *raster = cupsRasterOpen(fd, CUPS_RASTER_WRITE_PWG);
  cups_page_header2_t header;
  bool ok = raster != nullptr &&
            cupsRasterInitPWGHeader(&header, pwgMediaForPWG("oe_4x6-label_4x6in"), type.c_str(),
                                    203, 203, "one-sided", nullptr) &&
            header.cupsWidth == picture.width && header.cupsHeight == picture.height &&
            cupsRasterWriteHeader2(raster, &header);
  const bool oneBit = type == "black_1";
  std::vector<unsigned char> line(header.cupsBytesPerLine);
  for (uint32_t y = 0; ok && y < picture.height; ++y) {
    std::fill(line.begin(), line.end(), 0);
    for (uint32_t x = 0; x < picture.width; ++x) {
      const uint8_t grey = picture.At(x, y);
      if (!oneBit) {
        line[x] = grey;
      } else if (grey < 128) {
        line[x / 8] = static_cast<unsigned char>(line[x / 8] | (0x80 >> (x % 8)));
      }
    }
    ok = cupsRasterWritePixels(raster, line.data(), header.cupsBytesPerLine) ==
         header.cupsBytesPerLine;
  }
  if (raster != nullptr) cupsRasterClose(raster);
  ::close(fd);
  return ok;
}

}  // namespace ravo::app::test
