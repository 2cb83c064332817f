#include "pwg_file.h"

#include <cups/raster.h>
#include <fcntl.h>
#include <unistd.h>

namespace ravo::app::test {

bool WritePwg(const std::string &path, const GreyPicture &picture, bool apple) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  cups_raster_t *raster =
      cupsRasterOpen(fd, apple ? CUPS_RASTER_WRITE_APPLE : CUPS_RASTER_WRITE_PWG);
  cups_page_header2_t header;
  bool ok = raster != nullptr &&
            cupsRasterInitPWGHeader(&header, pwgMediaForPWG("oe_4x6-label_4x6in"), "sgray_8", 203,
                                    203, "one-sided", nullptr) &&
            header.cupsWidth == picture.width && header.cupsHeight == picture.height &&
            cupsRasterWriteHeader2(raster, &header);
  for (uint32_t y = 0; ok && y < picture.height; ++y) {
    auto *line = const_cast<unsigned char *>(picture.grey.data() + size_t{y} * picture.width);
    ok = cupsRasterWritePixels(raster, line, header.cupsBytesPerLine) == header.cupsBytesPerLine;
  }
  if (raster != nullptr) cupsRasterClose(raster);
  ::close(fd);
  return ok;
}

}  // namespace ravo::app::test
