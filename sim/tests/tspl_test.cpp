// TSPL jobs written from the command reference, checked as the elements
// and answers the printer makes of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device_fixture.h"
#include "symbol.h"

namespace ravo::sim {
namespace {

using namespace std::string_literals;
using Anchor = Element::Anchor;

class TsplTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    Make();
  }
  // The elements of a one-command label.
  std::vector<Element> Draw(const std::string &command) {
    const auto &labels = Job("CLS\r\n" + command + "\r\nPRINT 1\r\n");
    return labels.empty() ? std::vector<Element>{} : labels.back().elements;
  }
};

TEST_F(TsplTest, OptionalAlignmentFieldIsNotContent) {
  struct Row {
    std::string command;
    std::string data;
    Anchor anchor;
  };
  const std::vector<Row> rows = {
      {R"(TEXT 20,16,"0",0,10,10,1,"Ravo")", "Ravo", Anchor::kStart},
      {R"(TEXT 20,16,"3",0,1,1,2,"Mid")", "Mid", Anchor::kMiddle},
      {R"(TEXT 20,16,"3",0,1,1,3,"End")", "End", Anchor::kEnd},
      {R"(TEXT 20,16,"3",0,1,1,"1,2")", "1,2", Anchor::kStart},
      {R"(TEXT 20,16,"3",0,1,1,"say \["]hi\["]")", "say \"hi\"", Anchor::kStart},
      {R"(BARCODE 10,10,"128",50,1,0,2,2,3,"ABC")", "ABC", Anchor::kEnd},
      {R"(BARCODE 10,10,"128",50,0,0,2,2,"1, 2")", "1, 2", Anchor::kStart},
  };
  for (const Row &r : rows) {
    const auto e = Draw(r.command);
    ASSERT_EQ(e.size(), 1u) << r.command;
    EXPECT_EQ(e[0].data, r.data) << r.command;
    EXPECT_EQ(e[0].anchor, r.anchor) << r.command;
  }
  const auto cjk = Draw("TEXT 0,0,\"TSS24.BF2\",0,2,1,\"\xC4\xE3\"");
  ASSERT_EQ(cjk.size(), 1u);
  EXPECT_EQ(std::tuple(cjk[0].size, cjk[0].mul_x, cjk[0].data), std::tuple(24, 2, "你"s));
  const auto barcode = Draw(R"(BARCODE 10,10,"EAN13",50,2,90,1,2,"590123412345")");
  ASSERT_EQ(barcode.size(), 1u);
  EXPECT_TRUE(barcode[0].readable);
  EXPECT_EQ(barcode[0].readable_align, Anchor::kMiddle);
  EXPECT_EQ(barcode[0].rotation, 90);
  EXPECT_EQ(barcode[0].narrow, 1);
}

TEST_F(TsplTest, QrManualModeStripsTheModeLetters) {
  struct Row {
    std::string content;
    std::string data;
  };
  const std::vector<Row> rows = {
      {R"(M,0,M2,"Ahttps://EXAMPLE.COM")", "https://EXAMPLE.COM"},
      {R"(M,0,"N123456")", "123456"},
      {R"(M,0,M2,S7,"N0123!AABC")", "0123ABC"},
      {R"(M,0,"B0004a!,b!AXY")", "a!,bXY"},
      {R"(A,0,M2,"Ahttps://x")", "Ahttps://x"},  // automatic mode keeps every byte
  };
  for (const Row &r : rows) {
    const auto e = Draw("QRCODE 10,10,H,5," + r.content);
    ASSERT_EQ(e.size(), 1u) << r.content;
    EXPECT_EQ(e[0].data, r.data) << r.content;
    EXPECT_EQ(e[0].option_1, 4) << r.content;  // H
    EXPECT_EQ(e[0].size, 5);
  }
  EXPECT_TRUE(Draw(R"(QRCODE 10,10,M,5,M,0,"Zoops")").empty());
  EXPECT_TRUE(out_.Noted("QRCODE: manual mode"));
}

TEST_F(TsplTest, SizeInInchesMillimetresAndDots) {
  struct Row {
    std::string size;
    int width, height;
  };
  for (const Row &r : {Row{"4,2.5", 576, 508}, Row{"60 mm,40 mm", 480, 320},
                       Row{"48mm, 25mm", 384, 200}, Row{"400 dot,240 dot", 400, 240}}) {
    const auto &labels = Job("SIZE " + r.size + "\r\nCLS\r\nPRINT 1\r\n");
    ASSERT_EQ(labels.size(), 1u) << r.size;
    EXPECT_EQ(labels[0].height, r.height) << r.size;
    EXPECT_EQ(labels[0].area_width, r.width) << r.size;
  }
  const auto &labels = Job("SIZE 40 cm,30 cm\r\nPRINT 1\r\n");
  EXPECT_EQ(labels.at(0).height, 240);  // unchanged
  EXPECT_TRUE(out_.Noted("SIZE: unreadable width"));
}

TEST_F(TsplTest, PlacementSettingsTravelWithTheLabel) {
  const auto &labels =
      Job("DIRECTION 1,1\r\nREFERENCE 10,20\r\nSHIFT 4,-12\r\nOFFSET 2 mm\r\nCLS\r\nPRINT 1\r\n"
          "DIRECTION 0\r\nSHIFT 8\r\nPRINT 1\r\n");
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_TRUE(labels[0].turned);
  EXPECT_TRUE(labels[0].mirrored);
  EXPECT_EQ(labels[0].origin_x, 10);
  EXPECT_EQ(labels[0].origin_y, 20);
  EXPECT_EQ(labels[0].shift_x, 4);
  EXPECT_EQ(labels[0].shift_y, -12);
  EXPECT_EQ(labels[0].feed_after, 16);
  EXPECT_FALSE(labels[1].turned);
  EXPECT_FALSE(labels[1].mirrored);
  EXPECT_EQ(labels[1].shift_x, 0);
  EXPECT_EQ(labels[1].shift_y, 8);
  Job("DIRECTION 2\r\n");
  EXPECT_TRUE(out_.Noted("DIRECTION: expects 0 or 1"));
}

TEST_F(TsplTest, TextIsReadInTheCodePageInForce) {
  struct Row {
    std::string page;
    std::string bytes;
    std::string text;
  };
  const std::vector<Row> rows = {
      {"", "\xC4\xE3\xBA\xC3", "你好"},  // the persona's GBK until a CODEPAGE
      {"1252", "caf\xE9", "café"},
      {"437", "\x82\xC4", "é─"},
      {"850", "\x82", "é"},
      {"1251", "\xC0", "А"},
      {"UTF-8", "\xC3\xA9", "é"},
      {"1252", "\xC3\xA9", "Ã©"},  // a page given is a page kept
      {"8859-2", "\xB1", "ą"},
  };
  for (const Row &r : rows) {
    Make();
    const std::string page = r.page.empty() ? "" : "CODEPAGE " + r.page + "\r\n";
    const auto e = Draw(page + "TEXT 0,0,\"3\",0,1,1,\"" + r.bytes + "\"");
    ASSERT_EQ(e.size(), 1u) << r.page;
    EXPECT_EQ(e[0].data, r.text) << r.page;
  }
  Job("CODEPAGE 999\r\n");
  EXPECT_TRUE(out_.Noted("unknown code page 999"));
}

TEST_F(TsplTest, ShapesBlocksAndSymbols) {
  const auto &labels =
      Job("CLS\r\n"
          "REVERSE 10,20,30,40\r\nERASE 1,2,3,4\r\nCIRCLE 50,60,80,3\r\nELLIPSE 5,6,70,40,2\r\n"
          "DIAGONAL 0,0,100,50,4\r\nBOX 0,0,200,100,5,12\r\n"
          "BLOCK 10,10,200,100,\"3\",0,1,1,6,2,1,\"Wrapped, text\"\r\n"
          "DMATRIX 10,110,100,100,x6,18,18,\"DM-1\"\r\n"
          "PDF417 10,300,400,200,0,E2,W3,H9,U10,20,30,\"PDF-1\"\r\n"
          "PRINT 1\r\n");
  ASSERT_EQ(labels.size(), 1u);
  const auto &e = labels[0].elements;
  ASSERT_EQ(e.size(), 9u);
  using K = Element::Kind;
  EXPECT_EQ(e[0].kind, K::kReverse);
  EXPECT_EQ(std::vector<int>({e[0].x, e[0].y, e[0].x1, e[0].y1}),
            std::vector<int>({10, 20, 30, 40}));
  EXPECT_EQ(e[1].kind, K::kErase);
  EXPECT_EQ(e[2].kind, K::kEllipse);  // a circle is an ellipse of equal sides
  EXPECT_EQ(std::vector<int>({e[2].x1, e[2].y1, e[2].thickness}), std::vector<int>({80, 80, 3}));
  EXPECT_EQ(e[3].kind, K::kEllipse);
  EXPECT_EQ(e[4].kind, K::kLine);
  EXPECT_EQ(e[4].thickness, 4);
  EXPECT_EQ(e[5].radius, 12);
  EXPECT_EQ(e[6].kind, K::kTextBlock);
  EXPECT_EQ(e[6].data, "Wrapped, text");
  EXPECT_EQ(e[6].line_gap, 6);
  EXPECT_EQ(e[6].anchor, Anchor::kMiddle);
  EXPECT_TRUE(e[6].fit);
  EXPECT_EQ(e[7].kind, K::kDataMatrix);
  EXPECT_EQ(e[7].size, 6);
  EXPECT_EQ(e[7].option_2, DataMatrixSizeOption(18, 18));
  EXPECT_EQ(e[7].data, "DM-1");
  EXPECT_EQ(e[8].kind, K::kPdf417);
  EXPECT_EQ(std::vector<int>({e[8].narrow, e[8].size, e[8].option_1}), std::vector<int>({3, 9, 2}));
  EXPECT_EQ(e[8].data, "PDF-1");
  EXPECT_TRUE(out_.notes.empty()) << out_.notes.front();
}

TEST_F(TsplTest, StatusAndIdentityQueriesAreAnsweredNotPrinted) {
  Persona p;
  p.model = "TQX58";
  p.journey = 400000;  // 1.2 km of 3 mm steps
  Make(p);
  Send("DOWNLOAD \"A.BAS\",1,x");
  Send("DOWNLOAD F,\"LOGO.BMP\",2,xy");
  struct Row {
    std::string query;
    std::string answer;
  };
  const std::vector<Row> rows = {
      {"\x1B!?", "\0"s},
      {"\x1B!S", "\x02@@@@\x03\r\n"},
      {"~!T", "TQX58\r"},
      {"~!I", "437,001\r"},
      {"~!F", "A.BAS\rLOGO.BMP\r\x1A"},
      {"~!@", "1.2\r"},
      {"~!C", "0\r"},
      {"\x1B!P\x1B!?", "\x10"},
      {"\x1B!O\x1B!?", "\0"s},
      {"CODEPAGE 1252\r\n~!I\r\n", "1252,001\r"},
  };
  for (const Row &r : rows) EXPECT_EQ(Ask(r.query), r.answer) << r.query;
  device_->EndSession();
  EXPECT_TRUE(out_.labels.empty());  // nothing came out as text
  Ask("~!Z");
  EXPECT_TRUE(out_.Noted("unknown query ~!Z"));
}

TEST_F(TsplTest, BitmapIsReadByItsLengthWhateverBytesItHolds) {
  // 70 bytes by 1000 rows in the reference form, raster straight after the
  // fifth comma: no line feed anywhere near.
  std::string raster(70 * 1000, '\0');
  for (size_t i = 0; i < raster.size(); ++i) raster[i] = static_cast<char>(i % 7 == 0 ? 0xFF : 0);
  const auto &big =
      Job("SIZE 72 mm,130 mm\r\nCLS\r\nBITMAP 0,0,70,1000,0," + raster + "PRINT 1\r\n");
  ASSERT_EQ(big.size(), 1u);
  ASSERT_EQ(big[0].elements.size(), 1u);
  EXPECT_EQ(big[0].elements[0].bits.size(), raster.size());
  EXPECT_EQ(big[0].elements[0].bits[0], 0x00);  // 0xFF on the wire is light
  EXPECT_EQ(big[0].elements[0].bits[1], 0xFF);
  // Line ends and escape bytes inside the raster are raster too.
  const std::string binary = "\n\x1B!?\r\n"s;
  const auto &small =
      Job("CLS\r\nBITMAP 8,9,2,3,1," + binary + "TEXT 0,0,\"1\",0,1,1,\"t\"\r\nPRINT 1\r\n");
  ASSERT_EQ(small.size(), 1u);
  ASSERT_EQ(small[0].elements.size(), 2u);
  EXPECT_EQ(small[0].elements[0].mode, Element::BitmapMode::kOr);
  EXPECT_EQ(small[0].elements[0].bits.size(), 6u);
  EXPECT_TRUE(out_.answers.empty());
}

TEST_F(TsplTest, WhatIsNotUnderstoodIsLoggedAndTheRestStillPrints) {
  const auto &labels =
      Job("SIZE 40 mm,30 mm\r\nCLS\r\nPUTPCX 1,1,\"A.PCX\"\r\nFROB 1\r\nTEXT 1,2\r\n"
          "BARCODE 1,1,\"XYZ\",50,0,0,2,2,\"1\"\r\nTEXT 5,5,\"3\",0,1,1,\"kept\"\r\nPRINT 1\r\n");
  ASSERT_EQ(labels.size(), 1u);  // no receipt of the bad lines
  ASSERT_EQ(labels[0].elements.size(), 1u);
  EXPECT_EQ(labels[0].elements[0].data, "kept");
  EXPECT_TRUE(out_.Noted("PUTPCX: stored pictures are not drawn"));
  EXPECT_TRUE(out_.Noted("unknown command FROB"));
  EXPECT_TRUE(out_.Noted("TSPL TEXT: needs"));
  EXPECT_TRUE(out_.Noted("unknown bar code type XYZ"));
}

}  // namespace
}  // namespace ravo::sim
