// Every CPCL command as call -> result -> bytes on the port.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "command_buffer.h"
#include "command_test_support.h"
#include "pelican.h"

using prt::testing::CommandCase;
using prt::testing::ExpectCommand;
using prt::testing::FakePortScope;
using prt::testing::FakePrinter;
using prt::testing::Hex;

namespace {

const PrtWChar *W(const char16_t *s) {
  return reinterpret_cast<const PrtWChar *>(s);
}

const std::vector<CommandCase> &Commands() {
  static const std::vector<CommandCase> cases = {
      {"Label", [](PrtHandle h) { return CPCL_AddLabel(h, 0, 400, 1); }, 0,
       "! 0 200 200 400 1\r\n"},
      {"LabelNegative", [](PrtHandle h) { return CPCL_AddLabel(h, -8, 0, 3); }, 0,
       "! -8 200 200 0 3\r\n"},
      {"AlignLeft", [](PrtHandle h) { return CPCL_AddAlign(h, 0); }, 0, "LEFT\r\n"},
      {"AlignCenter", [](PrtHandle h) { return CPCL_AddAlign(h, 1); }, 0, "CENTER\r\n"},
      {"AlignRight", [](PrtHandle h) { return CPCL_AddAlign(h, 2); }, 0, "RIGHT\r\n"},
      {"AlignBad", [](PrtHandle h) { return CPCL_AddAlign(h, 3); }, PRT_ERR_PARAMETER, ""},
      {"Text90", [](PrtHandle h) { return CPCL_AddText(h, 1, 4, 0, 30, 40, "abc"); }, 0,
       "TEXT90 4 0 30 40 abc\r\n"},
      {"Text180", [](PrtHandle h) { return CPCL_AddText(h, 2, 55, 7, 0, 0, "x"); }, 0,
       "TEXT180 55 7 0 0 x\r\n"},
      {"Text270", [](PrtHandle h) { return CPCL_AddText(h, 3, 0, 0, 1, 2, "y"); }, 0,
       "TEXT270 0 0 1 2 y\r\n"},
      {"TextRotate7", [](PrtHandle h) { return CPCL_AddText(h, 7, 8, 1, 1, 2, "z"); }, 0,
       "TEXT 8 1 1 2 z\r\n"},
      {"TextFont2", [](PrtHandle h) { return CPCL_AddText(h, 0, 2, 0, 0, 0, "z"); },
       PRT_ERR_PARAMETER, ""},
      {"TextSize8", [](PrtHandle h) { return CPCL_AddText(h, 0, 4, 8, 0, 0, "z"); },
       PRT_ERR_PARAMETER, ""},
      {"TextNull", [](PrtHandle h) { return CPCL_AddText(h, 0, 4, 0, 0, 0, nullptr); },
       PRT_ERR_PARAMETER, ""},
      {"TextW", [](PrtHandle h) { return CPCL_AddTextW(h, 0, 5, 1, 10, 20, W(u"Wide")); }, 0,
       "TEXT 5 1 10 20 Wide\r\n"},
      {"TextWFont2", [](PrtHandle h) { return CPCL_AddTextW(h, 0, 2, 1, 10, 20, W(u"W")); },
       PRT_ERR_PARAMETER, ""},
      {"TextBeyondBuffer",
       [](PrtHandle h) { return CPCL_AddText(h, 0, 4, 0, 0, 0, std::string(250, 't').c_str()); },
       PRT_ERR_BUFFER_TOO_SMALL, ""},
      {"BarCode39", [](PrtHandle h) { return CPCL_AddBarCodeA(h, 0, 5, 1, 25, 50, 10, 20, "AB"); },
       0, "BARCODE 39 1 25 50 10 20 AB\r\n"},
      {"VBarCodeLast",
       [](PrtHandle h) { return CPCL_AddBarCodeA(h, 1, 41, 2, 0, 30, 0, 0, "123"); }, 0,
       "VBARCODE UPCE5 2 0 30 0 0 123\r\n"},
      {"BarCodeRatio4", [](PrtHandle h) { return CPCL_AddBarCodeA(h, 0, 22, 1, 4, 1, 1, 1, "1"); },
       0, "BARCODE INDUST2OF5 1 4 1 1 1 1\r\n"},
      {"BarCodeRatio20",
       [](PrtHandle h) { return CPCL_AddBarCodeA(h, 0, 34, 1, 20, 1, 1, 1, "1"); }, 0,
       "BARCODE UCCEAN128 1 20 1 1 1 1\r\n"},
      {"BarCodeType42",
       [](PrtHandle h) { return CPCL_AddBarCodeA(h, 0, 42, 1, 25, 50, 10, 20, "AB"); },
       PRT_ERR_PARAMETER, ""},
      {"BarCodeRatio5", [](PrtHandle h) { return CPCL_AddBarCodeA(h, 0, 5, 1, 5, 50, 0, 0, "A"); },
       PRT_ERR_PARAMETER, ""},
      {"BarCodeRatio31",
       [](PrtHandle h) { return CPCL_AddBarCodeA(h, 0, 5, 1, 31, 50, 0, 0, "A"); },
       PRT_ERR_PARAMETER, ""},
      {"BarCodeW",
       [](PrtHandle h) { return CPCL_AddBarCodeW(h, 0, 10, 2, 1, 9, 3, 4, W(u"4006")); }, 0,
       "BARCODE EAN13 2 1 9 3 4 4006\r\n"},
      {"BarCodeTextOn", [](PrtHandle h) { return CPCL_AddBarCodeText(h, 1, 7, 0, 5); }, 0,
       "BARCODE-TEXT 7 0 5\r\n"},
      {"BarCodeTextOff", [](PrtHandle h) { return CPCL_AddBarCodeText(h, 0, 7, 0, 5); }, 0,
       "BARCODE-TEXT OFF\r\n"},
      {"QrLevelQ", [](PrtHandle h) { return CPCL_AddQRCodeA(h, 0, 10, 20, 2, 6, 2, "hello"); }, 0,
       "B QR 10 20 M 2 U 6 \r\nQ,hello\r\nENDQR\r\n"},
      {"QrVerticalLevel9", [](PrtHandle h) { return CPCL_AddQRCodeA(h, 1, 0, 0, 1, 3, 9, "x"); }, 0,
       "VB QR 0 0 M 1 U 3 \r\nH,x\r\nENDQR\r\n"},
      {"QrLevelL", [](PrtHandle h) { return CPCL_AddQRCodeA(h, 0, 0, 0, 1, 3, 0, "x"); }, 0,
       "B QR 0 0 M 1 U 3 \r\nL,x\r\nENDQR\r\n"},
      {"QrModel3", [](PrtHandle h) { return CPCL_AddQRCodeA(h, 0, 0, 0, 3, 3, 0, "x"); },
       PRT_ERR_PARAMETER, ""},
      {"QrW", [](PrtHandle h) { return CPCL_AddQRCodeW(h, 0, 5, 6, 2, 4, 1, W(u"w")); }, 0,
       "B QR 5 6 M 2 U 4 \r\nM,w\r\nENDQR\r\n"},
      {"Pdf417", [](PrtHandle h) { return CPCL_AddPDF417A(h, 0, 10, 20, 2, 6, 3, 0, 1, "DATA"); },
       0, "BARCODE PDF-417 10 20 XD 2 YD 6 C 3 R 0 S 1 B0\r\nDATA\r\nENDPDF\r\n"},
      {"Pdf417Vertical",
       [](PrtHandle h) { return CPCL_AddPDF417A(h, 1, 0, 0, 1, 1, 30, 90, 8, "d"); }, 0,
       "VBARCODE PDF-417 0 0 XD 1 YD 1 C 30 R 90 S 8 B0\r\nd\r\nENDPDF\r\n"},
      {"Pdf417Columns0",
       [](PrtHandle h) { return CPCL_AddPDF417A(h, 0, 0, 0, 1, 1, 0, 0, 0, "d"); },
       PRT_ERR_PARAMETER, ""},
      {"Pdf417Rows91", [](PrtHandle h) { return CPCL_AddPDF417A(h, 0, 0, 0, 1, 1, 1, 91, 0, "d"); },
       PRT_ERR_PARAMETER, ""},
      {"Pdf417Security9",
       [](PrtHandle h) { return CPCL_AddPDF417A(h, 0, 0, 0, 1, 1, 1, 1, 9, "d"); },
       PRT_ERR_PARAMETER, ""},
      {"Pdf417W", [](PrtHandle h) { return CPCL_AddPDF417W(h, 0, 1, 2, 3, 4, 5, 6, 7, W(u"p")); },
       0, "BARCODE PDF-417 1 2 XD 3 YD 4 C 5 R 6 S 7 B0\r\np\r\nENDPDF\r\n"},
      {"Box", [](PrtHandle h) { return CPCL_AddBox(h, 1, 2, 300, 400, 5); }, 0,
       "BOX 1 2 300 400 5\r\n"},
      {"Line", [](PrtHandle h) { return CPCL_AddLine(h, 0, -1, 2, 3, 1); }, 0,
       "LINE 0 -1 2 3 1\r\n"},
      {"FontSizeMax", [](PrtHandle h) { return CPCL_SetFontSize(h, 16, 127); }, 0,
       "SETMAG 16 127\r\n"},
      {"FontSizeWidth17", [](PrtHandle h) { return CPCL_SetFontSize(h, 17, 1); }, PRT_ERR_PARAMETER,
       ""},
      {"FontSizeHeight128", [](PrtHandle h) { return CPCL_SetFontSize(h, 1, 128); },
       PRT_ERR_PARAMETER, ""},
      {"Density", [](PrtHandle h) { return CPCL_SetDensity(h, 3); }, 0, "CONTRAST 3\r\n"},
      {"Density4", [](PrtHandle h) { return CPCL_SetDensity(h, 4); }, PRT_ERR_PARAMETER, ""},
      {"Speed", [](PrtHandle h) { return CPCL_SetSpeed(h, 5); }, 0, "SPEED 5\r\n"},
      {"Speed6", [](PrtHandle h) { return CPCL_SetSpeed(h, 6); }, PRT_ERR_PARAMETER, ""},
      {"Spacing", [](PrtHandle h) { return CPCL_SetTextSpacing(h, 999); }, 0, "SETSP 999\r\n"},
      {"Spacing1000", [](PrtHandle h) { return CPCL_SetTextSpacing(h, 1000); }, PRT_ERR_PARAMETER,
       ""},
      {"Margin", [](PrtHandle h) { return CPCL_SetLeftMargin(h, 0); }, 0, "LMARGIN 0\r\n"},
      {"MarginNegative", [](PrtHandle h) { return CPCL_SetLeftMargin(h, -1); }, PRT_ERR_PARAMETER,
       ""},
      {"Bold", [](PrtHandle h) { return CPCL_SetTextBold(h, 5); }, 0, "SETBOLD 5\r\n"},
      {"Bold6", [](PrtHandle h) { return CPCL_SetTextBold(h, 6); }, PRT_ERR_PARAMETER, ""},
      {"UnderlineOn", [](PrtHandle h) { return CPCL_SetTextUnderline(h, 9); }, 0,
       "UNDERLINE ON\r\n"},
      {"UnderlineOff", [](PrtHandle h) { return CPCL_SetTextUnderline(h, 0); }, 0,
       "UNDERLINE OFF\r\n"},
      {"Abort", [](PrtHandle h) { return CPCL_Abort(h); }, 0, "ABORT\r\n"},
      {"Print", [](PrtHandle h) { return CPCL_Print(h); }, 0, "PRINT\r\n"},
      {"Form", [](PrtHandle h) { return CPCL_NextLabelPos(h); }, 0, "FORM\r\n"},
      {"PreFeedMin", [](PrtHandle h) { return CPCL_PreFeed(h, -4000); }, 0, "PREFEED -4000\r\n"},
      {"PreFeedBelow", [](PrtHandle h) { return CPCL_PreFeed(h, -4001); }, PRT_ERR_PARAMETER, ""},
      {"PostFeedMax", [](PrtHandle h) { return CPCL_PostFeed(h, 4000); }, 0, "POSTFEED 4000\r\n"},
      {"PostFeedAbove", [](PrtHandle h) { return CPCL_PostFeed(h, 4001); }, PRT_ERR_PARAMETER, ""},
      {"ImageData",
       [](PrtHandle h) {
         const uint8_t raster[] = {0xF0, 0x0F, 0xAA, 0x55};
         return CPCL_AddImageData(h, 0, 2, 2, 10, 20, raster);
       },
       0, "COMPRESSED-GRAPHICS 2 2 10 20 \xF0\x0F\xAA\x55"},
      {"ImageDataVertical",
       [](PrtHandle h) {
         const uint8_t raster[] = {0x00};
         return CPCL_AddImageData(h, 1, 1, 1, 0, 0, raster);
       },
       0, std::string("VCOMPRESSED-GRAPHICS 1 1 0 0 \0", 30)},
      {"ImageDataWidth1000",
       [](PrtHandle h) {
         const uint8_t raster[1] = {};
         return CPCL_AddImageData(h, 0, 1000, 1, 0, 0, raster);
       },
       PRT_ERR_PARAMETER, ""},
      {"ImageDataEmpty",
       [](PrtHandle h) {
         const uint8_t raster[1] = {};
         return CPCL_AddImageData(h, 0, 0, 5, 0, 0, raster);
       },
       PRT_ERR_IMAGE_SIZE, ""},
      {"ImageDataNoRows",
       [](PrtHandle h) {
         const uint8_t raster[1] = {};
         return CPCL_AddImageData(h, 0, 2, 0, 0, 0, raster);
       },
       PRT_ERR_IMAGE_SIZE, ""},
      {"ImageDataNull", [](PrtHandle h) { return CPCL_AddImageData(h, 0, 2, 2, 0, 0, nullptr); },
       PRT_ERR_PARAMETER, ""},
  };
  return cases;
}

class CpclCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CpclCommand, SendsExactlyItsBytes) {
  ExpectCommand("MC300", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Table, CpclCommand, ::testing::ValuesIn(Commands()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CpclChecks, HandlePortAndModelComeFirst) {
  for (const CommandCase &c : Commands()) {
    EXPECT_EQ(c.call(nullptr), PRT_ERR_INVALID_HANDLE) << c.name;
    FakePortScope fake;
    FakePrinter closed(fake, "MC300", false);
    EXPECT_EQ(c.call(closed.handle), PRT_ERR_PORT_NOT_OPEN) << c.name;
    FakePrinter label(fake, "TQM");
    EXPECT_EQ(c.call(label.handle), PRT_ERR_WRONG_PRINTER_TYPE) << c.name;
    EXPECT_TRUE(label.port.log.writes.empty()) << c.name;
  }
}

// Each call answers for itself: failures do not stick to the library or
// to the handle.
TEST(CpclChecks, AFailureDoesNotOutliveItsCall) {
  FakePortScope fake;
  FakePrinter other(fake, "TQM");
  EXPECT_EQ(CPCL_Print(other.handle), PRT_ERR_WRONG_PRINTER_TYPE);
  FakePrinter printer(fake, "MC300");
  EXPECT_EQ(CPCL_SetSpeed(printer.handle, 9), PRT_ERR_PARAMETER);
  EXPECT_EQ(CPCL_AddAlign(printer.handle, -1), PRT_ERR_PARAMETER);
  EXPECT_EQ(CPCL_Print(printer.handle), 0);
  EXPECT_EQ(CPCL_SetSpeed(printer.handle, 2), 0);
  EXPECT_EQ(printer.port.Delivered(), "PRINT\r\nSPEED 2\r\n");
}

TEST(CpclPending, FailedWriteIsSentAheadOfTheNextCommand) {
  FakePortScope fake;
  FakePrinter printer(fake, "MC300");
  printer.port.script.writeResults = {-321, 0};
  EXPECT_EQ(CPCL_AddLabel(printer.handle, 0, 400, 1), -321);
  EXPECT_EQ(printer.Pending(), "! 0 200 200 400 1\r\n");
  EXPECT_EQ(CPCL_SetDensity(printer.handle, 9), PRT_ERR_PARAMETER);
  EXPECT_EQ(CPCL_Print(printer.handle), 0);
  EXPECT_EQ(printer.port.Delivered(), "! 0 200 200 400 1\r\nPRINT\r\n");
}

// The working areas hold 509 bytes for text-carrying commands and 254 for
// the rest; a grown buffer must not let longer commands through.
TEST(CpclWorkingArea, OverlongCommandsAreRefusedBeforeAppending) {
  struct Row {
    const char *name;
    std::function<int32_t(PrtHandle, const std::string &)> call;
    size_t fixedBytes;
  };
  const Row rows[] = {
      {"Text",
       [](PrtHandle h, const std::string &t) { return CPCL_AddText(h, 0, 4, 0, 0, 0, t.c_str()); },
       std::string("TEXT 4 0 0 0 \r\n").size()},
      {"BarCode",
       [](PrtHandle h, const std::string &t) {
         return CPCL_AddBarCodeA(h, 0, 0, 1, 0, 1, 0, 0, t.c_str());
       },
       std::string("BARCODE 128 1 0 1 0 0 \r\n").size()},
      {"QR",
       [](PrtHandle h, const std::string &t) {
         return CPCL_AddQRCodeA(h, 0, 0, 0, 2, 1, 0, t.c_str());
       },
       std::string("B QR 0 0 M 2 U 1 \r\nL,\r\nENDQR\r\n").size()},
      {"PDF417",
       [](PrtHandle h, const std::string &t) {
         return CPCL_AddPDF417A(h, 0, 0, 0, 1, 1, 1, 0, 0, t.c_str());
       },
       std::string("BARCODE PDF-417 0 0 XD 1 YD 1 C 1 R 0 S 0 B0\r\n\r\nENDPDF\r\n").size()},
  };
  for (const Row &row : rows) {
    FakePortScope fake;
    FakePrinter printer(fake, "MC300");
    ASSERT_EQ(prt::GrowCommandBuffer(printer.context(), 2048), 0);
    const std::string fits(509 - row.fixedBytes, 'a');
    EXPECT_EQ(row.call(printer.handle, fits + "a"), PRT_ERR_BUFFER_TOO_SMALL) << row.name;
    EXPECT_EQ(printer.context().used, 0u) << row.name;
    EXPECT_EQ(row.call(printer.handle, fits), 0) << row.name;
    EXPECT_EQ(printer.port.Delivered().size(), 509u) << row.name;
  }
}

TEST(CpclBuffer, ShortCommandsKeepRoomAndLongOnesDoNotGrowIt) {
  FakePortScope fake;
  FakePrinter printer(fake, "MC300");
  printer.port.script.writeResults = {-321};
  const std::string text(220, 't');  // 235 bytes with the command words
  ASSERT_EQ(CPCL_AddText(printer.handle, 0, 4, 0, 0, 0, text.c_str()), -321);
  // 21 bytes free: the next command first grows the buffer by 128.
  EXPECT_EQ(CPCL_Print(printer.handle), 0);
  EXPECT_EQ(printer.context().capacity(), 384u);
  EXPECT_EQ(printer.port.Delivered(), "TEXT 4 0 0 0 " + text + "\r\nPRINT\r\n");
  // A fresh 256-byte buffer refuses a 260-byte text command outright.
  FakePrinter fresh(fake, "MC300");
  EXPECT_EQ(CPCL_AddText(fresh.handle, 0, 4, 0, 0, 0, std::string(245, 'x').c_str()),
            PRT_ERR_BUFFER_TOO_SMALL);
  EXPECT_EQ(fresh.context().used, 0u);
  EXPECT_EQ(fresh.context().capacity(), 256u);
}

TEST(CpclBuffer, LargeGraphicsBlockGoesOutInOneWrite) {
  FakePortScope fake;
  FakePrinter printer(fake, "MC300");
  const std::vector<uint8_t> raster(72 * 100, 0x5A);
  EXPECT_EQ(CPCL_AddImageData(printer.handle, 0, 72, 100, 0, 0, raster.data()), 0);
  ASSERT_EQ(fake.log.writes.size(), 1u);
  EXPECT_EQ(fake.Delivered(), "COMPRESSED-GRAPHICS 72 100 0 0 " + std::string(7200, '\x5A'));
  EXPECT_GE(printer.context().capacity(), 7200u + 32u);
  EXPECT_EQ(CPCL_AddImageData(printer.handle, 0, 73, 1, 0, 0, raster.data()), PRT_ERR_IMAGE_SIZE);
}

// W texts go out in the system code page.
TEST(CpclWide, TextIsConvertedToTheCodePage) {
  ::setenv("RAVO_ACP", "GBK", 1);
  FakePortScope fake;
  FakePrinter printer(fake, "MC300");
  EXPECT_EQ(CPCL_AddTextW(printer.handle, 0, 55, 0, 1, 2, W(u"\u4E2D\u6587")), 0);
  EXPECT_EQ(Hex(printer.port.Delivered()), Hex("TEXT 55 0 1 2 \xD6\xD0\xCE\xC4\r\n"));
  ::setenv("RAVO_ACP", "CP1252", 1);
  EXPECT_EQ(CPCL_AddBarCodeW(printer.handle, 0, 0, 1, 0, 1, 0, 0, W(u"\u4E2D")), EILSEQ);
  EXPECT_EQ(CPCL_AddTextW(printer.handle, 0, 4, 0, 0, 0, nullptr), PRT_ERR_PARAMETER);
  EXPECT_EQ(printer.port.log.writes.size(), 1u);
  ::unsetenv("RAVO_ACP");
}

}  // namespace
