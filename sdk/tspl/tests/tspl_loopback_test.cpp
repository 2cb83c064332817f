// A whole label through the real port library to a TCP listener, and the
// serial-number exchange answered by it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "command_test_images.h"
#include "heron.h"
#include "image_files.h"
#include "loopback_listener.h"
#include "printer.h"

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

// A one-bit bitmap whose top row comes first in `raster` (0 bit = black,
// as TSPL sends it), written bottom-up with entry 0 black, entry 1 white.
std::string WriteOneBitBmp(const prt::test::TempDir &dir, uint32_t width, uint32_t height,
                           std::string &raster) {
  const uint32_t stride = (width + 31) / 32 * 4;
  const uint32_t rowBytes = (width + 7) / 8;
  raster.clear();
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < rowBytes; ++x) raster += static_cast<char>((y * 7 + x * 13) & 0xFF);
  }
  auto le32 = [](std::string &out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
  };
  std::string head = "BM";
  le32(head, 62 + stride * height);
  le32(head, 0);
  le32(head, 62);
  le32(head, 40);
  le32(head, width);
  le32(head, height);
  head += std::string("\x01\x00\x01\x00", 4);  // planes, bits per pixel
  for (int i = 0; i < 6; ++i) le32(head, 0);
  head += std::string("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8);
  const std::string path = dir.Path("tall.bmp");
  std::FILE *file = std::fopen(path.c_str(), "wb");
  std::fwrite(head.data(), 1, head.size(), file);
  const std::string padding(stride - rowBytes, '\0');
  for (uint32_t y = height; y-- > 0;) {
    std::fwrite(raster.data() + static_cast<size_t>(y) * rowBytes, 1, rowBytes, file);
    std::fwrite(padding.data(), 1, padding.size(), file);
  }
  std::fclose(file);
  return path;
}

// The printer stops reading in the middle of a large bitmap, so the write
// runs out of time with part of the job on the wire; once it reads again,
// the next command completes the job.  Every byte must arrive exactly once.
TEST(TsplLoopback, TimedOutWriteSendsTheRestOnceWithTheNextCommand) {
  LoopbackListener server;
  server.SetReceiveBuffer(16 * 1024);
  prt::test::TempDir dir;
  std::string raster;
  // 7 MB: more than the sender's and the receiver's socket buffers hold.
  const std::string image = WriteOneBitBmp(dir, 864, 65535, raster);
  PrtHandle printer = PrtPrinterCreatorS("TQM");
  ASSERT_NE(printer, nullptr);
  ASSERT_EQ(PrtPortOpenA(printer, server.PortString("WTIMEOUT_300").c_str()), 0);
  server.PauseReading();
  EXPECT_EQ(TSPL_BitMapA(printer, 0, 0, 0, image.c_str()), -322);
  server.ResumeReading();
  // Generous now: only the exactness of the bytes is under test.
  IoPort *port = printer->port;
  ASSERT_EQ(port->set_timeouts(port, 0, 30000), 0);
  EXPECT_EQ(TSPL_Print(printer, 1, 1), 0);
  const std::string expected = "BITMAP 0,0,108,65535,0\r\n" + raster + "PRINT 1,1\r\n";
  EXPECT_TRUE(server.WaitForBytes(expected.size(), 30000));
  const std::string received = server.Received();
  EXPECT_EQ(received.size(), expected.size());
  EXPECT_TRUE(received == expected) << "the bytes on the wire differ from the job";
  PrtPrinterDestroy(printer);
}

}  // namespace
