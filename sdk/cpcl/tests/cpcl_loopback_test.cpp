// A whole CPCL label through the real port library to a TCP listener.
#include <gtest/gtest.h>

#include <string>

#include "command_test_images.h"
#include "loopback_listener.h"
#include "pelican.h"

using prt::testing::Black;
using prt::testing::ImageDir;
using ravo::testing::LoopbackListener;

namespace {

TEST(CpclLoopback, LabelArrivesInCallOrder) {
  LoopbackListener server;
  PrtHandle printer = PrtPrinterCreatorS("MC300");
  ASSERT_NE(printer, nullptr);
  ASSERT_EQ(PrtPortOpenA(printer, server.PortString().c_str()), 0);
  const uint8_t raster[] = {0x81, 0x42};
  EXPECT_EQ(CPCL_AddLabel(printer, 0, 400, 1), 0);
  EXPECT_EQ(CPCL_AddAlign(printer, 1), 0);
  EXPECT_EQ(CPCL_AddText(printer, 0, 4, 0, 30, 40, "abc"), 0);
  EXPECT_EQ(CPCL_AddBarCodeA(printer, 0, 5, 1, 2, 50, 30, 80, "A1"), 0);
  EXPECT_EQ(CPCL_AddBarCodeA(printer, 0, 99, 1, 2, 50, 30, 80, "A1"), PRT_ERR_PARAMETER);
  EXPECT_EQ(CPCL_AddQRCodeA(printer, 0, 300, 40, 2, 4, 1, "q"), 0);
  EXPECT_EQ(CPCL_AddImageData(printer, 0, 1, 2, 5, 6, raster), 0);
  ImageDir images;
  EXPECT_EQ(CPCL_AddImageA(printer, 0, 0, 300, images.Bmp("logo.bmp", 9, 2, Black).c_str()), 0);
  EXPECT_EQ(CPCL_AddBox(printer, 0, 0, 500, 390, 2), 0);
  EXPECT_EQ(CPCL_Print(printer), 0);
  const std::string expected =
      "! 0 200 200 400 1\r\n"
      "CENTER\r\n"
      "TEXT 4 0 30 40 abc\r\n"
      "BARCODE 39 1 2 50 30 80 A1\r\n"
      "B QR 300 40 M 2 U 4 \r\nM,q\r\nENDQR\r\n"
      "COMPRESSED-GRAPHICS 1 2 5 6 \x81\x42"
      "COMPRESSED-GRAPHICS 2 2 0 300 " +
      std::string("\x00\x7F\x00\x7F", 4) +
      "BOX 0 0 500 390 2\r\n"
      "PRINT\r\n";
  EXPECT_TRUE(server.WaitForBytes(expected.size()));
  EXPECT_EQ(server.Received(), expected);
  EXPECT_EQ(PrtPrinterDestroy(printer), 0);
}

}  // namespace
