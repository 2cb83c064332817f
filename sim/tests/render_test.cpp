// Labels sent through the SDK's port functions come out as PNGs that show
// what was asked for, where it was asked for.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "host_session.h"
#include "image_checks.h"

namespace ravo::sim {
namespace {

using namespace std::string_literals;

TEST(Render, TsplLabelWithTextBarcodeQrAndBitmap) {
  SimProcess sim({"--model", "TQX80"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  // 32 x 32 bitmap: left half dark (0 bits), right half light.
  std::string raster;
  for (int row = 0; row < 32; ++row) raster += "\x00\x00\xFF\xFF"s;
  const std::string job =
      "SIZE 72 mm,40 mm\r\nCLS\r\n"
      "BOX 5,5,570,315,3\r\n"
      "TEXT 20,20,\"4\",0,1,1,\"Ravo 123\"\r\n"
      "BARCODE 20,150,\"128\",60,0,0,2,4,\"ABC12345\"\r\n"
      "QRCODE 400,40,M,6,A,0,M2,S7,\"https://example.com/label\"\r\n"
      "BITMAP 300,200,4,32,0\r\n" +
      raster + "PRINT 1,1\r\n";
  const QImage img = PrintOne(sim, job);
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.width(), 576);
  EXPECT_EQ(img.height(), 320);

  // Box: a 3-dot frame with white inside.
  EXPECT_TRUE(Dark(img, 6, 100));
  EXPECT_FALSE(Dark(img, 10, 100));
  EXPECT_TRUE(Dark(img, 568, 100));
  // Text: ink in its line, none just below it.
  EXPECT_GT(DarkCount(img, QRect(20, 20, 200, 32)), 100);
  EXPECT_EQ(DarkCount(img, QRect(20, 60, 200, 60)), 0);
  // Bar code: starts with a bar and has many bars along a row.
  EXPECT_TRUE(Dark(img, 20, 170));
  EXPECT_GT(Edges(img, 170, 20, 290), 15);
  EXPECT_EQ(DarkCount(img, QRect(20, 215, 200, 20)), 0);  // 60 dots high, no text
  // QR code: finder pattern in its top-left corner (dark ring, light ring,
  // dark centre), module size 6.
  EXPECT_TRUE(Dark(img, 403, 43));
  EXPECT_FALSE(Dark(img, 400 + 6 + 3, 40 + 6 + 3));
  EXPECT_TRUE(Dark(img, 400 + 18 + 3, 40 + 18 + 3));
  // Bitmap: 0 bits dark, 1 bits light.
  EXPECT_EQ(DarkCount(img, QRect(300, 200, 16, 32)), 16 * 32);
  EXPECT_EQ(DarkCount(img, QRect(316, 200, 16, 32)), 0);
  // Nothing outside the elements.
  EXPECT_EQ(DarkCount(img, QRect(360, 250, 150, 50)), 0);
}

TEST(Render, LabelWidthFollowsTheModel) {
  struct Row {
    const char *model;
    int width;
  };
  for (const Row &r : {Row{"TQX58", 384}, Row{"TQM", 864}, Row{"HMZ", 848}}) {
    SimProcess sim({"--model", r.model});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    const QImage img = PrintOne(sim, "SIZE 20 mm,10 mm\r\nCLS\r\nBAR 0,0,8,8\r\nPRINT 1\r\n");
    ASSERT_FALSE(img.isNull()) << r.model;
    EXPECT_EQ(img.width(), r.width) << r.model;
    EXPECT_EQ(img.height(), 80) << r.model;
    EXPECT_TRUE(Dark(img, 4, 4));
    EXPECT_FALSE(Dark(img, 12, 4));
  }
}

TEST(Render, CpclGraphicsAndReceiptText) {
  SimProcess sim({"--model", "TQM"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  // 16 x 4 graphics with 0 for dark: the left byte is clear, so dark.
  const QImage cpcl = PrintOne(sim,
                               "! 0 200 200 100 1\r\nLINE 0 90 200 90 4\r\n"
                               "COMPRESSED-GRAPHICS 2 4 50 10 \x00\xFF\x00\xFF\x00\xFF\x00\xFF"
                               "EG 2 2 100 10 FF00ff00\r\n"
                               "PRINT\r\n"s);
  ASSERT_FALSE(cpcl.isNull());
  EXPECT_EQ(cpcl.height(), 100);
  EXPECT_EQ(DarkCount(cpcl, QRect(50, 10, 8, 4)), 32);
  EXPECT_EQ(DarkCount(cpcl, QRect(58, 10, 8, 4)), 0);
  // The same polarity from hex digits: the right byte is clear, so dark.
  EXPECT_EQ(DarkCount(cpcl, QRect(100, 10, 8, 2)), 0);
  EXPECT_EQ(DarkCount(cpcl, QRect(108, 10, 8, 2)), 16);
  EXPECT_EQ(DarkCount(cpcl, QRect(100, 12, 16, 4)), 0);
  EXPECT_EQ(DarkCount(cpcl, QRect(0, 90, 200, 4)), 800);

  const QImage text = PrintOne(sim, "Hello receipt\r\nsecond line\n", 2);
  ASSERT_FALSE(text.isNull());
  EXPECT_EQ(sim.Labels().size(), 2u);
  EXPECT_GT(DarkCount(text, QRect(0, 0, text.width(), 40)), 50);
  EXPECT_GT(DarkCount(text, QRect(0, 38, text.width(), 30)), 50);
}

TEST(Render, CpclJustificationPlacesTextAndBarCodes) {
  SimProcess sim({"--model", "TQM"});  // 864 dots wide
  ASSERT_TRUE(sim.Running()) << sim.Error();
  const QImage img = PrintOne(sim,
                              "! 0 200 200 400 1\r\n"
                              "TEXT 4 0 0 10 LEFT\r\n"
                              "CENTER\r\nTEXT 4 0 0 80 MIDDLE\r\n"
                              "BARCODE 128 1 1 40 0 150 ABC123\r\n"
                              "RIGHT\r\nTEXT 4 0 0 220 END\r\n"
                              "CENTER 400\r\nTEXT 4 0 0 290 HALF\r\n"
                              "LEFT\r\nTEXT 4 0 500 350 BACK\r\nPRINT\r\n"s);
  ASSERT_FALSE(img.isNull());
  auto [l0, r0] = InkSpan(img, 10, 60);
  EXPECT_LT(l0, 10);
  auto [l1, r1] = InkSpan(img, 80, 130);
  EXPECT_NEAR((l1 + r1) / 2, 432, 8);
  auto [l2, r2] = InkSpan(img, 150, 190);
  EXPECT_NEAR((l2 + r2) / 2, 432, 8);
  EXPECT_GT(l2, 100);
  auto [l3, r3] = InkSpan(img, 220, 270);
  EXPECT_GT(r3, 850);
  EXPECT_GT(l3, 600);
  auto [l4, r4] = InkSpan(img, 290, 340);
  EXPECT_NEAR((l4 + r4) / 2, 200, 8);
  auto [l5, r5] = InkSpan(img, 350, 395);
  EXPECT_NEAR(l5, 500, 8);  // LEFT ends the justification
}

}  // namespace
}  // namespace ravo::sim
