// CPCL labels written from the command reference.
#include <gtest/gtest.h>

#include <string>

#include "device_fixture.h"

namespace ravo::sim {
namespace {

class CpclTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    Make();
  }
};

TEST_F(CpclTest, LabelCommandsOfTheReference) {
  const auto &labels =
      Job("! 0 200 200 400 1\r\n"
          "PAGE-WIDTH 400\r\n"
          "BARCODE-TEXT 7 0 5\r\nBARCODE 128 1 1 50 10 10 ABC123\r\nBARCODE-TEXT OFF\r\n"
          "B 39 1 2 40 10 100 XYZ\r\n"
          "INVERSE-LINE 0 200 300 200 40\r\n"
          "SETBOLD 2\r\nUNDERLINE ON\r\nT 4 0 10 250 Bold\r\nUNDERLINE OFF\r\nSETBOLD 0\r\n"
          "ML 30\r\nTEXT 7 0 300 10\r\nfirst\r\nsecond\r\nENDML\r\n"
          "CONCAT 300 100\r\n4 0 0 $\r\n4 0 0 12.99\r\nENDCONCAT\r\n"
          "IN-MILLIMETERS\r\nBOX 5 20 30 35 0.5\r\nIN-DOTS\r\n"
          "CONTRAST 2\r\nSPEED 3\r\nPRINT\r\n");
  ASSERT_EQ(labels.size(), 1u);
  const auto &e = labels[0].elements;
  ASSERT_EQ(e.size(), 8u);
  EXPECT_TRUE(e[0].readable);
  EXPECT_EQ(e[0].narrow, 1);
  EXPECT_EQ(e[0].readable_gap, 5);
  EXPECT_GT(e[0].readable_size, 0);
  EXPECT_FALSE(e[1].readable);
  EXPECT_EQ(e[2].kind, Element::Kind::kReverse);  // the band the line covers
  EXPECT_EQ(std::vector<int>({e[2].x, e[2].y, e[2].x1, e[2].y1}),
            std::vector<int>({0, 200, 300, 40}));
  EXPECT_TRUE(e[3].bold);
  EXPECT_GT(e[3].underline, 0);
  EXPECT_EQ(e[4].data, "first");
  EXPECT_EQ(e[5].data, "second");
  EXPECT_EQ(e[5].y, e[4].y + 30);
  EXPECT_EQ(e[6].data, "$12.99");
  EXPECT_EQ(std::vector<int>({e[7].x, e[7].y, e[7].x1, e[7].y1, e[7].thickness}),
            std::vector<int>({40, 160, 240, 280, 4}));
  EXPECT_EQ(e[0].align_end, 400);  // justification ends at the page width
  EXPECT_TRUE(out_.notes.empty()) << out_.notes.front();
}

TEST_F(CpclTest, NothingUnknownSwallowsWhatFollows) {
  const auto &labels =
      Job("! U1 setvar \"device.languages\" \"zpl\"\r\n"
          "SIZE 40 mm,30 mm\r\nCLS\r\nTEXT 1,1,\"3\",0,1,1,\"tspl\"\r\nPRINT 1\r\n"
          "! 0 200 200 100 1\r\nFROB 1 2\r\nT 4 0 0 0 kept\r\nFORM\r\n"
          "! UTILITIES\r\nSETFF 10 2\r\nPRINT\r\n"
          "! 0 200 200 100 1\r\nB QR 10 10 M 2 U 4\r\nMA,open\r\nPRINT\r\n"
          "TEXT 1,1,\"3\",0,1,1,\"again\"\r\nPRINT 1\r\n");
  ASSERT_EQ(labels.size(), 4u);
  EXPECT_EQ(labels[0].kind, "tspl");
  EXPECT_EQ(labels[1].kind, "cpcl");
  ASSERT_EQ(labels[1].elements.size(), 1u);
  EXPECT_EQ(labels[1].elements[0].data, "kept");
  EXPECT_EQ(labels[2].kind, "cpcl");  // a QR block without ENDQR still ends at PRINT
  EXPECT_EQ(labels[3].elements.back().data, "again");
  EXPECT_TRUE(out_.Noted("block without its end line"));
  EXPECT_TRUE(out_.Noted("neither a label header"));
  EXPECT_TRUE(out_.Noted("unknown command FROB"));
}

}  // namespace
}  // namespace ravo::sim
