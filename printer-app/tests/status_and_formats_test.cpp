// The TSPL status byte as printer-state-reasons, and formats told from a
// document's first bytes.
#include <gtest/gtest.h>

#include <string>

#include "printer_status.h"
#include "raw_job.h"

namespace ravo::app {
namespace {

TEST(TsplStatus, EachBitHasItsReason) {
  struct Row {
    uint8_t status;
    pappl_preason_t reasons;
    bool stops;
  };
  const Row rows[] = {
      {0x00, PAPPL_PREASON_NONE, false},
      {0x01, PAPPL_PREASON_COVER_OPEN, true},
      {0x02, PAPPL_PREASON_MEDIA_JAM, true},
      {0x04, PAPPL_PREASON_MEDIA_EMPTY, true},
      {0x05, PAPPL_PREASON_MEDIA_EMPTY | PAPPL_PREASON_COVER_OPEN, true},
      {0x08, PAPPL_PREASON_MARKER_SUPPLY_EMPTY, true},
      {0x0C, PAPPL_PREASON_MARKER_SUPPLY_EMPTY | PAPPL_PREASON_MEDIA_EMPTY, true},
      {0x10, PAPPL_PREASON_NONE, false},  // paused: it prints once resumed
      {0x20, PAPPL_PREASON_NONE, false},  // printing
      {0x80, PAPPL_PREASON_OTHER, true},
  };
  for (const Row &row : rows) {
    EXPECT_EQ(ReasonsForTsplStatus(row.status), row.reasons) << int(row.status);
    EXPECT_EQ(StopsPrinting(ReasonsForTsplStatus(row.status)), row.stops) << int(row.status);
    EXPECT_EQ(ReasonsForTsplStatus(row.status) & ~kStatusReasons, 0u) << int(row.status);
  }
  EXPECT_FALSE(CanAnswer("ravo-parallel:///dev/lp0"));
  EXPECT_TRUE(CanAnswer("socket://192.0.2.1"));
  EXPECT_TRUE(CanAnswer("ravo-serial:///dev/ttyS0"));
}

TEST(DetectFormat, NamesDocumentsByTheirFirstBytes) {
  struct Row {
    std::string bytes;
    const char *format;
  };
  const Row rows[] = {
      {"\x89PNG\r\n\x1A\n", "image/png"},
      {"\xFF\xD8\xFF\xE0", "image/jpeg"},
      {"GIF89a", "image/gif"},
      {"BM\x36\x00", "image/bmp"},
      {"RaS2PwgRaster", "image/pwg-raster"},
      {"UNIRAST", "image/urf"},
      {"SIZE 50 mm,30 mm\r\nCLS\r\n", "application/vnd.ravo-tspl"},
      {"\r\n\r\nCLS\r\n", "application/vnd.ravo-tspl"},
      {"! 0 200 200 210 1\r\n", "application/vnd.ravo-cpcl"},
      {std::string("\x1B\x40Receipt", 9), "application/vnd.ravo-escpos"},
      {"SIZEABLE text", "application/octet-stream"},
      {"Hello", "application/octet-stream"},
      {"", "application/octet-stream"},
  };
  for (const Row &row : rows) {
    EXPECT_STREQ(DetectFormat(reinterpret_cast<const unsigned char *>(row.bytes.data()),
                              row.bytes.size(), nullptr),
                 row.format)
        << row.bytes;
  }
}

}  // namespace
}  // namespace ravo::app
