// Every TSPL command as call -> result -> bytes on the port.
#include <gtest/gtest.h>

#include <deque>

#include <string>
#include <vector>

#include "command_buffer.h"
#include "command_test_support.h"
#include "heron.h"

using prt::testing::CommandCase;
using prt::testing::ExpectCommand;
using prt::testing::FakePortScope;
using prt::testing::FakePrinter;
using prt::testing::Hex;

namespace {

const std::vector<CommandCase> &Commands() {
  static const std::vector<CommandCase> cases = {
      {"SelfTest", [](PrtHandle h) { return TSPL_SelfTest(h); }, 0, "SELFTEST\r\n"},
      {"ClearBuffer", [](PrtHandle h) { return TSPL_ClearBuffer(h); }, 0, "CLS\r\n"},
      {"FormFeed", [](PrtHandle h) { return TSPL_FormFeed(h); }, 0, "FORMFEED\r\n"},
      {"Home", [](PrtHandle h) { return TSPL_Home(h); }, 0, "HOME\r\n"},
      {"Learn", [](PrtHandle h) { return TSPL_Learn(h); }, 0, "ZZZLEARN\r\n"},
      {"Box", [](PrtHandle h) { return TSPL_Box(h, 10, 20, 300, 200, 3); }, 0,
       "BOX 10,20,300,200,3\r\n"},
      {"BoxNegative", [](PrtHandle h) { return TSPL_Box(h, -5, 0, 7, -1, 0); }, 0,
       "BOX -5,0,7,-1,0\r\n"},
      {"Print", [](PrtHandle h) { return TSPL_Print(h, 1, 2); }, 0, "PRINT 1,2\r\n"},
      {"TearOff", [](PrtHandle h) { return TSPL_SetTear(h, 0); }, 0, "SET TEAR OFF\r\n"},
      {"TearOn", [](PrtHandle h) { return TSPL_SetTear(h, -3); }, 0, "SET TEAR ON\r\n"},
      {"Offset", [](PrtHandle h) { return TSPL_Offset(h, -2); }, 0, "OFFSET -2mm\r\n"},
      {"DirectionFlag", [](PrtHandle h) { return TSPL_Direction(h, 5); }, 0, "DIRECTION 1\r\n"},
      {"DirectionZero", [](PrtHandle h) { return TSPL_Direction(h, 0); }, 0, "DIRECTION 0\r\n"},
      {"FeedMax", [](PrtHandle h) { return TSPL_Feed(h, 65535); }, 0, "FEED 65535\r\n"},
      {"FeedZero", [](PrtHandle h) { return TSPL_Feed(h, 0); }, 0, "FEED 0\r\n"},
      {"FeedTooLong", [](PrtHandle h) { return TSPL_Feed(h, 65536); }, PRT_ERR_PARAMETER, ""},
      {"FeedNegative", [](PrtHandle h) { return TSPL_Feed(h, -1); }, PRT_ERR_PARAMETER, ""},
      {"Setup", [](PrtHandle h) { return TSPL_Setup(h, 40, 30, 4, 6, 2, 0); }, 0,
       "SIZE 40mm,30mm\r\nSPEED 4\r\nDENSITY 6\r\nGAP 2mm,0mm\r\n"},
      {"SetupBounds", [](PrtHandle h) { return TSPL_Setup(h, 100, 150, 7, 0, -1, 3); }, 0,
       "SIZE 100mm,150mm\r\nSPEED 7\r\nDENSITY 0\r\nGAP -1mm,3mm\r\n"},
      {"BarCode", [](PrtHandle h) { return TSPL_BarCode(h, 10, 20, 0, 50, 1, 90, 2, 4, "12345"); },
       0, "BARCODE 10,20,\"128\",50,1,90,2,4,\"12345\"\r\n"},
      {"BarCodeLastTypeOddFlags",
       [](PrtHandle h) { return TSPL_BarCode(h, 0, 0, 29, 80, 7, 45, 1, 3, "A\"B"); }, 0,
       "BARCODE 0,0,\"11\",80,1,0,1,3,\"A\"B\"\r\n"},
      {"BarCodeEanPlus",
       [](PrtHandle h) { return TSPL_BarCode(h, 1, 2, 10, 3, 0, 270, 4, 5, "x"); }, 0,
       "BARCODE 1,2,\"EAN13+2\",3,0,270,4,5,\"x\"\r\n"},
      {"BarCodeType30", [](PrtHandle h) { return TSPL_BarCode(h, 0, 0, 30, 1, 0, 0, 1, 1, "1"); },
       PRT_ERR_PARAMETER, ""},
      {"BarCodeTypeMinus1",
       [](PrtHandle h) { return TSPL_BarCode(h, 0, 0, -1, 1, 0, 0, 1, 1, "1"); }, PRT_ERR_PARAMETER,
       ""},
      {"BarCodeNullContent",
       [](PrtHandle h) { return TSPL_BarCode(h, 0, 0, 0, 1, 0, 0, 1, 1, nullptr); },
       PRT_ERR_PARAMETER, ""},
      {"QrCode", [](PrtHandle h) { return TSPL_QrCode(h, 10, 20, 2, 4, 0, 45, 1, 9, "ABC"); }, 0,
       "QRCODE 10,20,Q,4,A,0,M2,S7,ABC\r\n"},
      {"QrCodeOtherLetters",
       [](PrtHandle h) { return TSPL_QrCode(h, 1, 2, 3, 10, 1, 180, 0, 0, "\"x\""); }, 0,
       "QRCODE 1,2,H,10,M,180,M1,S0,\"x\"\r\n"},
      {"QrCodeUnknownLevel",
       [](PrtHandle h) { return TSPL_QrCode(h, 0, 0, 7, 1, 0, 90, 0, 8, "z"); }, 0,
       "QRCODE 0,0,L,1,A,90,M1,S8,z\r\n"},
      {"QrCodeLevelM", [](PrtHandle h) { return TSPL_QrCode(h, 0, 0, 1, 1, 0, 0, 0, -1, "z"); }, 0,
       "QRCODE 0,0,M,1,A,0,M1,S7,z\r\n"},
      {"QrCodeCellZero", [](PrtHandle h) { return TSPL_QrCode(h, 0, 0, 0, 0, 0, 0, 0, 0, "z"); },
       PRT_ERR_PARAMETER, ""},
      {"QrCodeCell11", [](PrtHandle h) { return TSPL_QrCode(h, 0, 0, 0, 11, 0, 0, 0, 0, "z"); },
       PRT_ERR_PARAMETER, ""},
      {"QrCodeContentBeforeCell",
       [](PrtHandle h) {
         return TSPL_QrCode(h, 0, 0, 0, 0, 0, 0, 0, 0, std::string(1020, 'q').c_str());
       },
       PRT_ERR_BUFFER_TOO_SMALL, ""},
      {"TextFont9", [](PrtHandle h) { return TSPL_Text(h, 5, 6, 9, 90, 2, 3, "Hi"); }, 0,
       "TEXT 5,6,\"ROMAN.TTF\",90,2,3,\"Hi\"\r\n"},
      {"TextFont8", [](PrtHandle h) { return TSPL_Text(h, 5, 6, 8, 10, 1, 1, "Hi"); }, 0,
       "TEXT 5,6,\"8\",0,1,1,\"Hi\"\r\n"},
      {"TextNull", [](PrtHandle h) { return TSPL_Text(h, 0, 0, 1, 0, 1, 1, nullptr); },
       PRT_ERR_PARAMETER, ""},
      {"TextBeyondWorkingArea",
       [](PrtHandle h) { return TSPL_Text(h, 0, 0, 1, 0, 1, 1, std::string(240, 't').c_str()); },
       PRT_ERR_BUFFER_TOO_SMALL, ""},
  };
  return cases;
}

class TsplCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(TsplCommand, SendsExactlyItsBytes) {
  ExpectCommand("TQM", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Table, TsplCommand, ::testing::ValuesIn(Commands()),
                         [](const auto &info) { return std::string(info.param.name); });

// The checks that come before any formatting, for every command.
TEST(TsplChecks, HandlePortAndModelComeFirst) {
  for (const CommandCase &c : Commands()) {
    EXPECT_EQ(c.call(nullptr), PRT_ERR_INVALID_HANDLE) << c.name;
    FakePortScope fake;
    FakePrinter closed(fake, "TQM", false);
    EXPECT_EQ(c.call(closed.handle), PRT_ERR_PORT_NOT_OPEN) << c.name;
    FakePrinter receipt(fake, "KP330");
    EXPECT_EQ(c.call(receipt.handle), PRT_ERR_WRONG_PRINTER_TYPE) << c.name;
    EXPECT_TRUE(receipt.port.log.writes.empty()) << c.name;
    // The generic row carries every capability.
    FakePrinter generic(fake, "unknown");
    EXPECT_EQ(c.call(generic.handle), c.result) << c.name;
  }
  FakePortScope fake;
  FakePrinter closed(fake, "TQM", false);
  char serial[TSPL_SN_SIZE] = "untouched";
  EXPECT_EQ(TSPL_GetSN(closed.handle, serial), PRT_ERR_PORT_NOT_OPEN);
  EXPECT_STREQ(serial, "untouched");
  EXPECT_EQ(TSPL_GetSN(nullptr, nullptr), PRT_ERR_INVALID_HANDLE);
}

TEST(TsplChecks, DllVersionNeedsNoHandle) {
  EXPECT_EQ(TSPL_GetDllVersion(), 1003);
}

// A grown buffer no longer limits the text, so the working areas do.
TEST(TsplWorkingArea, OverlongTextIsRefusedBeforeAppending) {
  struct Row {
    const char *name;
    std::function<int32_t(PrtHandle, const std::string &)> call;
    size_t fixedBytes;  // command bytes besides the caller's text
    size_t area;
  };
  const Row rows[] = {
      {"Text",
       [](PrtHandle h, const std::string &t) { return TSPL_Text(h, 0, 0, 1, 0, 1, 1, t.c_str()); },
       std::string("TEXT 0,0,\"1\",0,1,1,\"\"\r\n").size(), 254},
      {"BarCode",
       [](PrtHandle h, const std::string &t) {
         return TSPL_BarCode(h, 0, 0, 0, 1, 0, 0, 1, 1, t.c_str());
       },
       std::string("BARCODE 0,0,\"128\",1,0,0,1,1,\"\"\r\n").size(), 509},
      {"QrCode",
       [](PrtHandle h, const std::string &t) {
         return TSPL_QrCode(h, 0, 0, 0, 1, 0, 0, 0, 0, t.c_str());
       },
       std::string("QRCODE 0,0,L,1,A,0,M1,S0,\r\n").size(), 1019},
  };
  for (const Row &row : rows) {
    FakePortScope fake;
    FakePrinter printer(fake, "TQM");
    ASSERT_EQ(prt::GrowCommandBuffer(printer.context(), 4096), 0);
    const std::string fits(row.area - row.fixedBytes, 'a');
    EXPECT_EQ(row.call(printer.handle, fits + "a"), PRT_ERR_BUFFER_TOO_SMALL) << row.name;
    EXPECT_EQ(printer.context().used, 0u) << row.name;
    EXPECT_TRUE(printer.port.log.writes.empty()) << row.name;
    EXPECT_EQ(row.call(printer.handle, fits), 0) << row.name;
    EXPECT_EQ(printer.port.Delivered().size(), row.area) << row.name;
  }
}

TEST(TsplPending, FailedWriteIsSentAheadOfTheNextCommand) {
  FakePortScope fake;
  FakePrinter printer(fake, "TQM");
  printer.port.script.writeResults = {-321, -322, 0};
  EXPECT_EQ(TSPL_ClearBuffer(printer.handle), -321);
  EXPECT_EQ(TSPL_Box(printer.handle, 1, 2, 3, 4, 5), -322);
  EXPECT_EQ(printer.Pending(), "CLS\r\nBOX 1,2,3,4,5\r\n");
  // A refused command neither sends nor disturbs what is pending.
  EXPECT_EQ(TSPL_Feed(printer.handle, -7), PRT_ERR_PARAMETER);
  EXPECT_EQ(printer.port.log.writes.size(), 2u);
  EXPECT_EQ(TSPL_Print(printer.handle, 1, 1), 0);
  EXPECT_EQ(Hex(printer.port.Delivered()), Hex("CLS\r\nBOX 1,2,3,4,5\r\nPRINT 1,1\r\n"));
  EXPECT_EQ(printer.context().used, 0u);
}

// A write that fails after the port took part of the buffer keeps only the
// rest: the printer receives every byte once, in order.
TEST(TsplPending, PartlySentBytesAreNotSentAgain) {
  struct Row {
    const char *name;
    std::deque<int32_t> results;  // one failing write per entry
    std::deque<uint32_t> accepted;
    std::string pending;  // what is left after the failing calls
  };
  const Row rows[] = {
      {"none taken", {-322}, {0}, "BOX 1,2,3,4,5\r\n"},
      {"half taken", {-322}, {7}, ",3,4,5\r\n"},
      {"all but one", {-321}, {14}, "\n"},
      {"port claims more than it was given", {-322}, {99}, ""},
      {"two failures in a row", {-322, -322}, {4, 3}, ",3,4,5\r\nHOME\r\n"},
  };
  for (const Row &row : rows) {
    FakePortScope fake;
    FakePrinter printer(fake, "TQM");
    fake.script.writeResults = row.results;
    fake.script.acceptedOnFailure = row.accepted;
    EXPECT_EQ(TSPL_Box(printer.handle, 1, 2, 3, 4, 5), row.results[0]) << row.name;
    const bool twice = row.results.size() > 1;
    if (twice) {
      EXPECT_EQ(TSPL_Home(printer.handle), row.results[1]) << row.name;
    }
    EXPECT_EQ(Hex(printer.Pending()), Hex(row.pending)) << row.name;
    EXPECT_EQ(TSPL_Print(printer.handle, 1, 1), 0) << row.name;
    const std::string sent = std::string("BOX 1,2,3,4,5\r\n") + (twice ? "HOME\r\n" : "");
    EXPECT_EQ(Hex(fake.Delivered()), Hex(sent + "PRINT 1,1\r\n")) << row.name;
    EXPECT_EQ(printer.context().used, 0u) << row.name;
  }
}

TEST(TsplSetup, FailingLineLeavesEarlierLinesPending) {
  struct Row {
    int32_t speed, density;
    std::string pending;
  };
  for (const Row &row :
       {Row{0, 3, "SIZE 40mm,30mm\r\n"}, Row{8, 3, "SIZE 40mm,30mm\r\n"},
        Row{4, 7, "SIZE 40mm,30mm\r\nSPEED 4\r\n"}, Row{4, -1, "SIZE 40mm,30mm\r\nSPEED 4\r\n"}}) {
    FakePortScope fake;
    FakePrinter printer(fake, "TQM");
    EXPECT_EQ(TSPL_Setup(printer.handle, 40, 30, row.speed, row.density, 2, 0), PRT_ERR_PARAMETER);
    EXPECT_TRUE(printer.port.log.writes.empty());
    EXPECT_EQ(printer.Pending(), row.pending);
    EXPECT_EQ(TSPL_Home(printer.handle), 0);
    EXPECT_EQ(printer.port.Delivered(), row.pending + "HOME\r\n");
  }
}

TEST(TsplSetup, GrowsANearlyFullBufferOnce) {
  FakePortScope fake;
  FakePrinter printer(fake, "TQM");
  printer.port.script.writeResults = {-321};
  const std::string text(210, 'x');
  ASSERT_EQ(TSPL_Text(printer.handle, 0, 0, 1, 0, 1, 1, text.c_str()), -321);
  const size_t pending = printer.context().used;
  ASSERT_GT(pending, 224u);  // fewer than 32 bytes free
  EXPECT_EQ(TSPL_Setup(printer.handle, 40, 30, 4, 6, 2, 0), 0);
  EXPECT_EQ(printer.context().capacity(), 384u);
  EXPECT_EQ(printer.port.Delivered().substr(pending),
            "SIZE 40mm,30mm\r\nSPEED 4\r\nDENSITY 6\r\nGAP 2mm,0mm\r\n");
}

}  // namespace
