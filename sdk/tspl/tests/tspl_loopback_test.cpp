// A whole label through the real port library to a TCP listener, and the
// serial-number exchange answered by it.
#include <gtest/gtest.h>

#include <string>

#include "command_test_images.h"
#include "heron.h"
#include "loopback_listener.h"

using prt::testing::Black;
using prt::testing::ImageDir;
using ravo::testing::LoopbackListener;

namespace {

TEST(TsplLoopback, LabelArrivesInCallOrder) {
  LoopbackListener server;
  PrtHandle printer = PrtPrinterCreatorS("TQM");
  ASSERT_NE(printer, nullptr);
  ASSERT_EQ(PrtPortOpenA(printer, server.PortString().c_str()), 0);
  // Density 8 is refused after SIZE and SPEED were appended; they go first.
  EXPECT_EQ(TSPL_Setup(printer, 50, 30, 4, 8, 2, 0), PRT_ERR_PARAMETER);
  EXPECT_EQ(TSPL_Setup(printer, 50, 30, 4, 6, 2, 0), 0);
  EXPECT_EQ(TSPL_ClearBuffer(printer), 0);
  EXPECT_EQ(TSPL_Text(printer, 20, 20, 3, 0, 1, 1, "Hello"), 0);
  EXPECT_EQ(TSPL_BarCode(printer, 20, 60, 0, 40, 1, 0, 2, 4, "12345"), 0);
  EXPECT_EQ(TSPL_QrCode(printer, 300, 20, 1, 4, 0, 0, 1, 7, "\"q\""), 0);
  EXPECT_EQ(TSPL_Box(printer, 10, 10, 390, 220, 3), 0);
  ImageDir images;
  EXPECT_EQ(TSPL_BitMapA(printer, 40, 150, 0, images.Bmp("logo.bmp", 9, 2, Black).c_str()), 0);
  EXPECT_EQ(TSPL_Print(printer, 1, 1), 0);
  const std::string expected =
      "SIZE 50mm,30mm\r\nSPEED 4\r\n"
      "SIZE 50mm,30mm\r\nSPEED 4\r\nDENSITY 6\r\nGAP 2mm,0mm\r\n"
      "CLS\r\n"
      "TEXT 20,20,\"3\",0,1,1,\"Hello\"\r\n"
      "BARCODE 20,60,\"128\",40,1,0,2,4,\"12345\"\r\n"
      "QRCODE 300,20,M,4,A,0,M2,S7,\"q\"\r\n"
      "BOX 10,10,390,220,3\r\n"
      "BITMAP 40,150,2,2,0\r\n" +
      std::string("\x00\x7F\x00\x7F", 4) + "PRINT 1,1\r\n";
  EXPECT_TRUE(server.WaitForBytes(expected.size()));
  EXPECT_EQ(server.Received(), expected);
  EXPECT_EQ(PrtPortClose(printer), 0);
  EXPECT_EQ(TSPL_Home(printer), PRT_ERR_PORT_NOT_OPEN);
  EXPECT_EQ(PrtPrinterDestroy(printer), 0);
}

TEST(TsplLoopback, SerialNumberComesBack) {
  LoopbackListener server([](const std::string &received) {
    return received.find("ZZZGETSN\r\n") != std::string::npos ? std::string("\x01TQM0042\0", 9)
                                                              : std::string();
  });
  PrtHandle printer = PrtPrinterCreatorS("TQM");
  ASSERT_NE(printer, nullptr);
  ASSERT_EQ(PrtPortOpenA(printer, server.PortString().c_str()), 0);
  char serial[TSPL_SN_SIZE] = {};
  EXPECT_EQ(TSPL_GetSN(printer, serial), 0);
  EXPECT_STREQ(serial, "TQM0042");
  PrtPrinterDestroy(printer);
}

}  // namespace
