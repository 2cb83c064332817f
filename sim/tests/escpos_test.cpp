// ESC/POS: command lengths, framing between text, and receipts laid out
// from bytes written by hand from the command reference.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device_fixture.h"
#include "escpos_framing.h"
#include "stream_parser.h"
#include "symbol.h"

namespace ravo::sim {
namespace {

using namespace std::string_literals;
using Status = EscPosExtent::Status;

TEST(EscPosFraming, CommandLengths) {
  struct Row {
    std::string bytes;
    Status status;
    size_t header, data;
  };
  const std::vector<Row> rows = {
      {"\x1B@"s, Status::kComplete, 2, 0},
      {"\x1B!\x38"s, Status::kComplete, 3, 0},
      {"\x1B$\x10\x00"s, Status::kComplete, 4, 0},
      {"\x1D!\x11"s, Status::kComplete, 3, 0},
      {"\x1DV\x00"s, Status::kComplete, 3, 0},
      {"\x1DV\x42\x10"s, Status::kComplete, 4, 0},
      {"\x1Dk\x02"
       "4006381333931\0"s,
       Status::kComplete, 17, 0},
      {"\x1Dk\x49\x05"s, Status::kComplete, 4, 5},
      {"\x1D(k\x03\x00"s, Status::kComplete, 5, 3},
      {"\x1Dv0\x00\x02\x00\x10\x00"s, Status::kComplete, 8, 32},
      {"\x1B*\x21\x03\x00"s, Status::kComplete, 5, 9},
      {"\x1B*\x00\x03\x00"s, Status::kComplete, 5, 3},
      {"\x1D"
       "8L\x05\x00\x00\x00"s,
       Status::kComplete, 7, 5},
      {"\x1D*\x02\x03"s, Status::kComplete, 4, 48},
      {"\x1B"
       "D\x08\x10\x00"s,
       Status::kComplete, 5, 0},
      {"\x1B&\x03\x41\x42\x01xyz\x01uvw"s, Status::kComplete, 13, 0},
      {"\x1Cq\x01\x01\x00\x01\x00"s + std::string(8, 'x'), Status::kComplete, 15, 0},
      {"\x10\x04\x01"s, Status::kComplete, 3, 0},
      {"\x10\x14\x01\x00\x01"s, Status::kComplete, 5, 0},
      {"\x1B\x7F"s, Status::kUnknown, 2, 0},
      {"\x10Z"s, Status::kUnknown, 1, 0},
      {"\x1Dv0\x00\xFF\xFF\xFF\xFF"s, Status::kTooLong, 8, 65535u * 65535u},
  };
  for (const Row &r : rows) {
    const EscPosExtent e = MeasureEscPos(r.bytes, 8 * 1024 * 1024);
    EXPECT_EQ(e.status, r.status) << testing::PrintToString(r.bytes);
    EXPECT_EQ(e.header, r.header) << testing::PrintToString(r.bytes);
    EXPECT_EQ(e.data, r.data) << testing::PrintToString(r.bytes);
    // Any shorter piece of a complete command asks for more.
    if (r.status != Status::kComplete) continue;
    for (size_t n = 1; n < r.header; ++n) {
      EXPECT_EQ(MeasureEscPos(r.bytes.substr(0, n), 1 << 20).status, Status::kNeedMore)
          << testing::PrintToString(r.bytes.substr(0, n));
    }
  }
}

class Frames : public FrameSink {
 public:
  void OnFrame(const Frame &f) override {
    seen.push_back(std::to_string(static_cast<int>(f.kind)) + ":" + std::string(f.text) + "|" +
                   std::to_string(f.payload.size()));
  }
  std::vector<std::string> seen;
};

TEST(EscPosFraming, CommandsCutTextAndCarryTheirData) {
  const std::string raster = "\n\x1B@\r\n"s;  // looks like commands, is raster
  const std::string input =
      "\x1B@Total:\x1B"
      "E\x01 5.00\x1B"
      "E\x00\n\x1Dv0\x00\x01\x00\x05\x00"s +
      raster + "after\n~!T";
  const auto k = [](Frame::Kind kind) { return std::to_string(static_cast<int>(kind)) + ":"; };
  const std::vector<std::string> expected = {
      k(Frame::Kind::kEscPos) + "\x1B@|0",
      k(Frame::Kind::kText) + "Total:|0",
      k(Frame::Kind::kEscPos) +
          "\x1B"
          "E\x01|0",
      k(Frame::Kind::kText) + " 5.00|0",
      k(Frame::Kind::kEscPos) +
          "\x1B"
          "E"s +
          '\0' + "|0",
      k(Frame::Kind::kLine) + "|0",
      k(Frame::Kind::kEscPos) + "\x1Dv0\x00\x01\x00\x05\x00"s + "|5",
      k(Frame::Kind::kLine) + "after|0",
      k(Frame::Kind::kImmediate) + "~!T|0",
  };
  for (size_t chunk : {1u, 3u, 4096u}) {
    Frames frames;
    StreamParser parser(frames);
    for (size_t at = 0; at < input.size(); at += chunk) {
      const std::string piece = input.substr(at, chunk);
      parser.Feed(std::span(reinterpret_cast<const uint8_t *>(piece.data()), piece.size()));
    }
    parser.Finish();
    EXPECT_EQ(frames.seen, expected) << "chunk " << chunk;
  }
}

class ReceiptTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    Persona p;
    ApplyModel(p, "ESC");  // 576 dots, GBK in Kanji mode
    Make(p);
  }
  // The elements of the single receipt a job makes.
  std::vector<Element> Receipt(const std::string &bytes) {
    const auto &labels = Job(bytes);
    EXPECT_EQ(labels.size(), 1u);
    return labels.empty() ? std::vector<Element>{} : labels[0].elements;
  }
};

TEST_F(ReceiptTest, CommandsShapeTextAndNeverLeakIntoIt) {
  const auto e = Receipt("\x1B\x61\x01\x1B\x21\x10STORE\n\x1B@Plain\n");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].data, "STORE");
  EXPECT_EQ(e[0].mul_y, 2);
  EXPECT_EQ(e[0].x, (576 - 5 * 12) / 2);  // centred in 12-dot cells
  EXPECT_EQ(e[1].data, "Plain");          // ESC @ put everything back
  EXPECT_EQ(e[1].x, 0);
  EXPECT_EQ(e[1].y, 48);  // below the double-height line
  EXPECT_EQ(e[1].mul_y, 1);
}

TEST_F(ReceiptTest, StylesMakeTheirOwnRuns) {
  const auto e = Receipt(
      "a\x1B"
      "E\x01"
      "b\x1B"
      "E\x00\x1B-\x02"
      "c\x1B-\x00\x1D!\x11"
      "d\x1D!\x00\x1D"
      "B\x01"
      "e\x1D"
      "B\x00"
      "\x1B!\x01"
      "f\x1BM\x00"
      "g\n"s);
  ASSERT_EQ(e.size(), 7u);
  EXPECT_FALSE(e[0].bold);
  EXPECT_TRUE(e[1].bold);
  EXPECT_EQ(e[2].underline, 2);
  EXPECT_EQ(std::pair(e[3].mul_x, e[3].mul_y), std::pair(2, 2));
  EXPECT_TRUE(e[4].inverse);
  EXPECT_EQ(std::pair(e[5].pitch, e[5].size), std::pair(9, 17));  // font B
  EXPECT_EQ(std::pair(e[6].pitch, e[6].size), std::pair(12, 24));
  // One line: each run starts where the one before ended.
  EXPECT_EQ(e[1].x, 12);
  EXPECT_EQ(e[4].x, 12 * 3 + 24);
  EXPECT_EQ(e[6].x, 12 * 4 + 24 + 9);
}

TEST_F(ReceiptTest, LinesWrapAtThePaperWidth) {
  const auto e = Receipt(std::string(60, 'x') + "\n" + "\xC4\xE3" + std::string(47, 'y') + "\n");
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0].data, std::string(48, 'x'));  // 48 cells of 12 dots on 576
  EXPECT_EQ(e[1].data, std::string(12, 'x'));
  EXPECT_EQ(e[1].y, 30);
  EXPECT_EQ(e[2].data, "你" + std::string(46, 'y'));  // the wide character takes two cells
  EXPECT_EQ(e[3].data, "y");
}

TEST_F(ReceiptTest, CodeTablesAndKanjiMode) {
  struct Row {
    std::string bytes;
    std::string text;
  };
  const std::vector<Row> rows = {
      {"\xC4\xE3\xBA\xC3", "你好"},       // Kanji mode from the start (GBK)
      {"\x1C.\x1Bt\x00\xC4\xB3"s, "─│"},  // PC437 box drawing
      {"\x1C.\x1Bt\x10"
       "caf\xE9"s,
       "café"},                      // WPC1252
      {"\x1C.\x1Bt\x11\x80", "А"},   // PC866
      {"\x1C.\x1Bt\x02\x82", "é"},   // PC850
      {"\x1C.\x1C&\xC4\xE3", "你"},  // and back to Kanji
  };
  for (const Row &r : rows) {
    const auto e = Receipt(r.bytes + "\n");
    ASSERT_EQ(e.size(), 1u) << r.text;
    EXPECT_EQ(e[0].data, r.text);
  }
}

TEST_F(ReceiptTest, BarCodesSymbolsAndPicturesSitOnTheirOwnLines) {
  const std::string qr_data = "https://ravo.example/r/1";
  const std::string store = "\x1D(k" + std::string(1, char(qr_data.size() + 3)) +
                            "\x00"
                            "1P0"s +
                            qr_data;
  const auto e = Receipt(
      "top\x1B"
      "a\x01\x1DH\x02\x1Dh\x50\x1Dw\x02\x1Dk\x49\x0A{BABC-{C\x0C\x22"
      "\x1D(k\x03\x00"
      "1C\x05\x1D(k\x03\x00"
      "1E1"s +
      store +
      "\x1D(k\x03\x00"
      "1Q0"s +
      "\x1Dv0\x00\x02\x00\x04\x00"s + std::string(8, '\xFF') + "end\n");
  ASSERT_EQ(e.size(), 5u);
  EXPECT_EQ(e[0].data, "top");
  EXPECT_EQ(e[0].y, 0);
  EXPECT_EQ(e[1].kind, Element::Kind::kBarcode);
  EXPECT_EQ(e[1].data, "ABC-1234");  // set C carries two digits a byte
  EXPECT_EQ(e[1].y, 30);
  EXPECT_EQ(std::tuple(e[1].narrow, e[1].size, e[1].readable), std::tuple(2, 0x50, true));
  const auto bars = EncodeSymbol({e[1].symbology, e[1].data});
  ASSERT_TRUE(bars);
  EXPECT_EQ(e[1].x, (576 - bars->columns * 2) / 2);  // centred
  EXPECT_EQ(e[2].kind, Element::Kind::kQrCode);
  EXPECT_EQ(e[2].data, qr_data);
  EXPECT_EQ(std::pair(e[2].size, e[2].option_1), std::pair(5, 2));
  EXPECT_EQ(e[2].y, 30 + 0x50 + 2 + 24);  // under the bars and their text
  const auto qr = EncodeSymbol({e[2].symbology, e[2].data, e[2].option_1});
  ASSERT_TRUE(qr);
  EXPECT_EQ(e[3].kind, Element::Kind::kBitmap);
  EXPECT_EQ(e[3].y, e[2].y + qr->rows * 5);
  EXPECT_EQ(e[4].data, "end");
  EXPECT_EQ(e[4].y, e[3].y + 4);  // text goes on after the picture
}

TEST_F(ReceiptTest, BitImageColumnsBecomeRows) {
  // Two 24-dot stripes of 2 columns; the first column all dark.
  const std::string stripe = "\x1B*\x21\x02\x00\xFF\xFF\xFF\x00\x00\x00"s;
  const auto e = Receipt("\x1B\x33\x18" + stripe + "\n" + stripe + "\n");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].size, 24);
  EXPECT_EQ(e[1].y, 24);  // stripes meet
  ASSERT_EQ(e[0].width_bytes, 1);
  for (int row = 0; row < 24; ++row) EXPECT_EQ(e[0].bits[row], 0x80) << row;
}

TEST_F(ReceiptTest, CutEndsTheReceipt) {
  const auto &labels = Job("first\n\x1DV\x00second\n\x1DV\x41\x20"s);
  ASSERT_EQ(labels.size(), 2u);
  ASSERT_EQ(labels[0].elements.size(), 1u);
  EXPECT_EQ(labels[0].elements[0].data, "first");
  EXPECT_EQ(labels[0].height, 30);
  EXPECT_EQ(labels[1].elements[0].data, "second");
  EXPECT_EQ(labels[1].height, 30 + 0x20);  // fed before the cut
}

TEST_F(ReceiptTest, QueriesAreAnsweredAndPrintNothing) {
  EXPECT_EQ(Ask("\x10\x04\x01"), "\x12");
  EXPECT_EQ(Ask("\x10\x04\x04"), "\x12");
  EXPECT_EQ(Ask("\x1Dr\x01"), "\0"s);
  EXPECT_EQ(Ask("\x1DI\x43"), "_ESC\0"s);
  EXPECT_EQ(Ask("\x1DI\x02"), "\x03");  // cutter, multi-byte characters
  EXPECT_EQ(Ask("\x1B!?"), "");         // a receipt printer's ESC ! is the print mode
  EXPECT_TRUE(Job("").empty());
}

TEST_F(ReceiptTest, UnknownCommandsAreLoggedAndTheTextAfterThemPrints) {
  const auto e = Receipt("\x1B\x7FHello\x1D(k\x03\x00\x39\x41\x00World\x1B\x56\x01!\n"s);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].data, "HelloWorld!");
  EXPECT_TRUE(out_.Noted("unknown command 1B 7F"));
  EXPECT_TRUE(out_.Noted("2-D symbol type 57"));
  EXPECT_TRUE(out_.Noted("not drawn"));
}

TEST_F(DeviceTest, LabelPrinterTellsEscStatusFromEscPosPrintMode) {
  Make();  // a label printer
  EXPECT_EQ(Ask("\x1B!?"), "\0"s);
  EXPECT_EQ(Ask("\x1B!Q"), "");  // an unknown query is logged, not a print mode
  EXPECT_TRUE(out_.Noted("unknown query <ESC>!Q"));
  EXPECT_EQ(Ask("SIZE 10 mm,10 mm\r\n"), "");
  EXPECT_FALSE(out_.Noted("TSPL SIZE"));
  // Inside a receipt ESC ! is the print mode again.
  EXPECT_EQ(Ask("\x1B@\x1B!?x\n"), "");
  const auto &labels = Job("");
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels[0].elements.at(0).data, "x");
  EXPECT_TRUE(labels[0].elements.at(0).bold);
}

}  // namespace
}  // namespace ravo::sim
