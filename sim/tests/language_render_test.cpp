// Jobs written by hand from the TSPL, ESC/POS and CPCL references, sent to
// the daemon and checked in the PNGs it prints: by regions, and bar codes
// and QR codes by reading them back with zbar.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <string>

#include "image_checks.h"

namespace ravo::sim {
namespace {

using namespace std::string_literals;

bool Has(const std::vector<std::string> &symbols, const std::string &wanted) {
  return std::find(symbols.begin(), symbols.end(), wanted) != symbols.end();
}

TEST(LanguageRender, TsplReferenceLabel) {
  SimProcess sim({"--model", "TQX80"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  const QImage img = PrintOne(sim,
                              "SIZE 72 mm,60 mm\r\nGAP 2 mm,0\r\nDIRECTION 0\r\nCLS\r\n"
                              "TEXT 560,10,\"3\",0,1,1,3,\"RIGHT\"\r\n"
                              "TEXT 288,50,\"3\",0,1,1,2,\"MIDDLE\"\r\n"
                              "BARCODE 10,90,\"128\",50,1,0,1,2,\"N1-ABC\"\r\n"
                              "BARCODE 200,90,\"128\",50,2,0,2,4,\"N2-ABC\"\r\n"
                              "BARCODE 10,180,\"EAN13\",50,2,0,3,6,\"590123412345\"\r\n"
                              "QRCODE 420,90,M,4,M,0,M2,S7,\"Ahttps://RAVO.EXAMPLE/T\"\r\n"
                              "BAR 10,300,100,20\r\nERASE 10,300,50,20\r\n"
                              "TEXT 150,300,\"3\",0,1,1,\"INV\"\r\nREVERSE 145,296,60,32\r\n"
                              "CIRCLE 250,300,60,4\r\nELLIPSE 320,300,100,50,3\r\n"
                              "DIAGONAL 430,300,490,360,4\r\n"
                              "BLOCK 10,350,150,100,\"3\",0,1,1,\"wrap these words inside\"\r\n"
                              "DMATRIX 200,370,100,100,x4,\"DM-42\"\r\n"
                              "PDF417 320,370,250,100,0,W2,H6,\"PDF-42\"\r\n"
                              "PRINT 1\r\n");
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.height(), 480);

  const auto symbols = ReadSymbols(img);
  EXPECT_TRUE(Has(symbols, "CODE-128:N1-ABC")) << testing::PrintToString(symbols);
  EXPECT_TRUE(Has(symbols, "CODE-128:N2-ABC")) << testing::PrintToString(symbols);
  EXPECT_TRUE(Has(symbols, "EAN-13:5901234123457")) << testing::PrintToString(symbols);
  EXPECT_TRUE(Has(symbols, "QR-Code:https://RAVO.EXAMPLE/T")) << testing::PrintToString(symbols);
  // The human-readable line under the bars at narrow widths 1, 2 and 3.
  EXPECT_GT(DarkCount(img, QRect(10, 142, 100, 18)), 40);
  EXPECT_GT(DarkCount(img, QRect(200, 142, 200, 18)), 40);
  EXPECT_GT(DarkCount(img, QRect(10, 232, 285, 20)), 80);

  // Alignment puts x at the right edge and the middle.
  EXPECT_NEAR(InkSpan(img, 10, 34).second, 559, 4);
  const auto [left, right] = InkSpan(img, 50, 74);
  EXPECT_NEAR((left + right) / 2, 288, 6);
  // ERASE cleared the left half of the bar; REVERSE turned text white on black.
  EXPECT_EQ(DarkCount(img, QRect(10, 300, 50, 20)), 0);
  EXPECT_EQ(DarkCount(img, QRect(60, 300, 50, 20)), 50 * 20);
  const int reversed = DarkCount(img, QRect(145, 296, 60, 32));
  EXPECT_GT(reversed, 60 * 32 * 6 / 10);
  EXPECT_LT(reversed, 60 * 32);
  // Rings are rings; the diagonal crosses its middle.
  EXPECT_TRUE(Dark(img, 251, 330));
  EXPECT_FALSE(Dark(img, 280, 330));
  EXPECT_TRUE(Dark(img, 321, 325));
  EXPECT_FALSE(Dark(img, 370, 325));
  EXPECT_TRUE(Dark(img, 460, 330));
  // BLOCK wraps inside its box: two lines of ink, nothing right of it.
  EXPECT_GT(DarkCount(img, QRect(10, 352, 150, 22)), 50);
  EXPECT_GT(DarkCount(img, QRect(10, 380, 150, 22)), 50);
  EXPECT_EQ(DarkCount(img, QRect(161, 350, 35, 100)), 0);
  // Data Matrix: the solid L of its finder, 4 dots a module.
  int side = 0;
  while (side < 100 && Dark(img, 201, 370 + side)) ++side;
  EXPECT_GE(side, 40);
  EXPECT_EQ(side % 4, 0);
  EXPECT_EQ(DarkCount(img, QRect(200, 370 + side - 2, side, 1)), side);
  EXPECT_GE(Edges(img, 371, 200, 200 + side - 1), side / 8 - 1);  // the clock track
  // PDF417 start pattern 8-1-1-1-1-1-1-3 at 2 dots a module.
  EXPECT_EQ(DarkCount(img, QRect(320, 372, 16, 1)), 16);
  EXPECT_FALSE(Dark(img, 337, 372));
  EXPECT_TRUE(Dark(img, 339, 372));
}

TEST(LanguageRender, TsplPlacementOnThePaper) {
  SimProcess sim({"--model", "TQX80"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  const std::string bar = "CLS\r\nBAR 0,0,20,10\r\nPRINT 1\r\n";
  PrintOne(sim, "SIZE 40 mm,20 mm\r\nDIRECTION 1\r\n" + bar + "DIRECTION 0,1\r\n" + bar +
                    "DIRECTION 0\r\nREFERENCE 40,20\r\n" + bar + "SHIFT 30\r\n" + bar);
  const auto images = AllLabels(sim);
  ASSERT_EQ(images.size(), 4u);
  const QRect expected[] = {QRect(300, 150, 20, 10),  // half a turn within 320 x 160
                            QRect(300, 0, 20, 10),    // mirrored
                            QRect(40, 20, 20, 10),    // moved to the reference
                            QRect(40, 50, 20, 10)};   // and shifted down the paper
  for (size_t i = 0; i < images.size(); ++i) {
    EXPECT_EQ(DarkCount(images[i], expected[i]), 200) << i;
    EXPECT_EQ(DarkCount(images[i], images[i].rect()), 200) << i;
  }
}

TEST(LanguageRender, TsplLargeBitmapInTheReferenceForm) {
  SimProcess sim({"--model", "TQX80"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  // 70 bytes by 1000 rows straight after the fifth comma: the top half
  // dark (0 bits), the bottom half light; not one line feed in it.
  const std::string raster = std::string(70 * 500, '\0') + std::string(70 * 500, '\xFF');
  const QImage img =
      PrintOne(sim, "SIZE 72 mm,130 mm\r\nCLS\r\nBITMAP 8,10,70,1000,0," + raster + "PRINT 1\r\n");
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.height(), 1040);
  EXPECT_EQ(DarkCount(img, QRect(8, 10, 560, 500)), 560 * 500);
  EXPECT_EQ(DarkCount(img, QRect(8, 510, 560, 500)), 0);
  EXPECT_EQ(DarkCount(img, QRect(0, 10, 8, 500)), 0);
}

TEST(LanguageRender, EscPosReceipt) {
  SimProcess sim({"--model", "ESC"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  const std::string esc = "\x1B", gs = "\x1D", fs = "\x1C";
  const std::string qr = "https://ravo.example/receipt";
  std::string logo;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 8; ++x) logo.push_back((x + y / 8) % 2 == 0 ? '\xFF' : '\0');
  const std::string job =
      esc + "@" + esc + "a\x01" + esc + "!\x30STORE\n" + esc + "!" + '\0' + esc + "a" + '\0' +
      "Total:" + esc + "E\x01  5.00" + esc + "E" + '\0' + "\n" + fs + "." + esc + "t" + '\0' +
      std::string(20, '\xC4') + "\n" + std::string(100, 'x') + "\n" + esc + "a\x01" + gs + "H\x02" +
      gs + "h\x50" + gs + "w\x02" + gs + "k\x49\x0A{BABC-{C\x0C\x22" + gs + "(k\x04" + '\0' +
      "1A2" + '\0' + gs + "(k\x03" + '\0' + "1C\x06" + gs + "(k\x03" + '\0' + "1E1" + gs + "(k" +
      char(qr.size() + 3) + '\0' + "1P0" + qr + gs + "(k\x03" + '\0' + "1Q0" + gs + "v0" + '\0' +
      "\x08" + '\0' + "\x20" + '\0' + logo + "after the picture\n" + esc + "d\x03" + gs + "VB" +
      '\0';
  const QImage img = PrintOne(sim, job);
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.width(), 576);
  const int h = img.height();

  const auto symbols = ReadSymbols(img);
  EXPECT_TRUE(Has(symbols, "CODE-128:ABC-1234")) << testing::PrintToString(symbols);
  EXPECT_TRUE(Has(symbols, "QR-Code:" + qr)) << testing::PrintToString(symbols);
  // "STORE" in double size, centred, with no escape bytes printed beside it.
  const auto [store_left, store_right] = InkSpan(img, 4, 44);
  EXPECT_NEAR((store_left + store_right) / 2, 288, 8);
  EXPECT_LE(store_right - store_left, 5 * 24);
  // PC437 box drawing: twenty 12-dot cells, nothing beyond.
  const auto [box_left, box_right] = InkSpan(img, 80, 106);
  EXPECT_LE(box_left, 2);
  EXPECT_NEAR(box_right, 239, 3);
  // The long line wraps at the paper's edge: 48 + 48 + 4 cells.
  EXPECT_GE(InkSpan(img, 110, 136).second, 560);
  EXPECT_GE(InkSpan(img, 140, 166).second, 560);
  EXPECT_LE(InkSpan(img, 170, 196).second, 48);
  // The logo, centred, and the text after it; then three lines' feed.
  const int logo_top = h - 90 - 30 - 32;
  EXPECT_EQ(DarkCount(img, QRect(256, logo_top, 8, 8)), 64);
  EXPECT_EQ(DarkCount(img, QRect(264, logo_top, 8, 8)), 0);
  EXPECT_EQ(DarkCount(img, QRect(256, logo_top + 8, 8, 8)), 0);
  const auto [after_left, after_right] = InkSpan(img, h - 120, h - 91);
  EXPECT_NEAR((after_left + after_right) / 2, 288, 8);
  EXPECT_EQ(DarkCount(img, QRect(0, h - 88, 576, 88)), 0);
}

TEST(LanguageRender, CpclBarcodeTextAndInverseLine) {
  SimProcess sim({"--model", "TQM"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  const QImage img = PrintOne(sim,
                              "! 0 200 200 300 1\r\nBARCODE-TEXT 7 0 5\r\n"
                              "BARCODE 128 1 1 60 20 20 CPCL-1\r\n"
                              "TEXT 4 0 20 150 INVERT\r\nINVERSE-LINE 10 150 300 150 50\r\n"
                              "PRINT\r\n");
  ASSERT_FALSE(img.isNull());
  EXPECT_TRUE(Has(ReadSymbols(img), "CODE-128:CPCL-1"));
  // Text under bars one dot wide.
  EXPECT_GT(DarkCount(img, QRect(20, 85, 120, 26)), 40);
  const int band = DarkCount(img, QRect(10, 150, 290, 50));
  EXPECT_GT(band, 290 * 50 * 6 / 10);
  EXPECT_LT(band, 290 * 50);
}

}  // namespace
}  // namespace ravo::sim
