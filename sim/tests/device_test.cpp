// The printer's side of each exchange, checked without any socket.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "device.h"
#include "device_fixture.h"
#include "symbol.h"

namespace ravo::sim {
namespace {

using namespace std::string_literals;

std::string Sealed(ParamBlock b) {
  SealBlock(b);
  return std::string(b.begin(), b.end());
}

TEST(ParamBlock, ChecksumIsLowByteFirst) {
  ParamBlock b;
  b.fill(0xFF);
  SealBlock(b);
  EXPECT_EQ(b[254], 0x02);
  EXPECT_EQ(b[255], 0xFD);
  EXPECT_FALSE(BlockIsValid(b));  // marker missing
  b[0] = kBlockMarker;
  SealBlock(b);
  EXPECT_TRUE(BlockIsValid(b));
  b[100] ^= 1;
  EXPECT_FALSE(BlockIsValid(b));
}

TEST(ParamBlock, FactoryBlocksFollowTheirFamilysMap) {
  struct Row {
    Family family;
    size_t speed_at;
    size_t density_at;
  };
  for (const Row &r :
       {Row{Family::kTqx, 92, 34}, Row{Family::kTqm, 132, 34}, Row{Family::kTgv, 132, 34},
        Row{Family::kHmz, 126, 34}, Row{Family::kQ73, 78, 57}}) {
    const ParamBlock b = DefaultBlock(r.family);
    EXPECT_TRUE(BlockIsValid(b)) << static_cast<int>(r.family);
    EXPECT_GE(b[r.speed_at], 2) << "speed of family " << static_cast<int>(r.family);
    EXPECT_LE(b[r.speed_at], 7);
    EXPECT_LT(b[r.density_at], 16);
  }
  const ParamBlock tqm = DefaultBlock(Family::kTqm);
  EXPECT_EQ(std::vector<int>(tqm.begin() + 88, tqm.begin() + 92),
            (std::vector<int>{192, 168, 1, 100}));
  const ParamBlock tqx = DefaultBlock(Family::kTqx);
  EXPECT_EQ(tqx[70] | (tqx[71] << 8), 300 * 8);  // maximum label length 300 mm
}

TEST_F(DeviceTest, AnswersInformationQueries) {
  Persona p;
  p.serial = "6548ABC";
  p.firmware = {1, 2, 7, 3};
  p.journey = 0x01020304;
  Make(p);
  EXPECT_EQ(Ask("ZZZGETSN\r\n"),
            "\x07"
            "6548ABC\0"s);
  EXPECT_EQ(Ask("ZZZGETJOURNEY\r\n"), "\x01\x02\x03\x04"s);
  EXPECT_EQ(Ask("ZZZGETVERSION\r\n"), "\x01\x02\x07\x03"s);
  EXPECT_EQ(Ask("\x1B\x1B\x08"), "\x01");
  p.command_mode.reset();
  Make(p);
  EXPECT_EQ(Ask("\x1B\x1B\x08"), "");
}

// Counter in 3 mm steps (24 dots), copies counted, the rest kept over a
// restart.
TEST_F(DeviceTest, PrintedLengthGrowsWithEveryPrintedCopy) {
  auto journey = [&] {
    const std::string a = Ask("ZZZGETJOURNEY\r\n");
    EXPECT_EQ(a.size(), 4u);
    return (uint8_t(a[0]) << 24) | (uint8_t(a[1]) << 16) | (uint8_t(a[2]) << 8) | uint8_t(a[3]);
  };
  Persona p;
  p.journey = 1000;
  Make(p);
  Send("SIZE 72 mm,40 mm\r\nCLS\r\nBAR 0,0,8,8\r\nPRINT 2,3\r\n");  // 6 x 320 dots
  EXPECT_EQ(journey(), 1000 + 6 * 320 / 24);
  Send("! 0 200 200 100 2\r\nPRINT\r\n");  // 200 dots: 8 steps and 8 dots over
  EXPECT_EQ(journey(), 1088);
  ASSERT_EQ(out_.labels.size(), 2u);
  EXPECT_EQ(out_.labels[0].copies, 6);
  EXPECT_EQ(out_.labels[1].copies, 2);

  Make(p);  // the stored counter wins over the persona's
  EXPECT_EQ(journey(), 1088);
  Send("! 0 200 200 16 1\r\nPRINT\r\n");  // 8 left over + 16 = one step
  EXPECT_EQ(journey(), 1089);

  p.journey = INT32_MAX - 1;
  std::filesystem::remove(state_ / "journey");
  Make(p);
  Send("SIZE 72 mm,40 mm\r\nCLS\r\nPRINT 10\r\n");
  EXPECT_EQ(journey(), INT32_MAX);  // stops at the top instead of wrapping
}

TEST_F(DeviceTest, BlockReadBothForms) {
  Make();
  const std::string zzz = Ask("ZZZCR\n");
  const std::string dc2 = Ask("\x12\x62");
  ASSERT_EQ(zzz.size(), 256u);
  EXPECT_EQ(zzz, dc2);
  EXPECT_TRUE(BlockIsValid(std::span(reinterpret_cast<const uint8_t *>(zzz.data()), 256)));
  Make({}, /*bad_checksum=*/true);
  const std::string bad = Ask("ZZZCR\n");
  EXPECT_EQ(bad[0], '\x78');
  EXPECT_FALSE(BlockIsValid(std::span(reinterpret_cast<const uint8_t *>(bad.data()), 256)));
}

TEST_F(DeviceTest, WrittenBlockSurvivesRestartAndFactoryResetRestoresDefault) {
  Make();
  ParamBlock edited = DefaultBlock(Family::kTqx);
  edited[34] = 12;
  Send("ZZZCW " + Sealed(edited));
  Make();  // a new process on the same state directory
  EXPECT_EQ(device_->Block()[34], 12);
  Send("\x1B\x21\x52");
  EXPECT_EQ(device_->Block(), DefaultBlock(Family::kTqx));
  Make();
  EXPECT_EQ(device_->Block(), DefaultBlock(Family::kTqx));
}

TEST_F(DeviceTest, PersonaBlockIsHeldUntilTheHostWritesOne) {
  Persona p;
  p.block.assign(256, 0x11);  // deliberately without marker or checksum
  Make(p);
  EXPECT_EQ(Ask("ZZZCR\n"), std::string(256, '\x11'));
  Send("\x1B\x21\x52");
  EXPECT_EQ(device_->Block(), DefaultBlock(Family::kTqx));
}

TEST_F(DeviceTest, BadBlocksAreRefused) {
  Make();
  const ParamBlock before = device_->Block();
  ParamBlock edited = before;
  edited[34] = 3;
  std::string wrong_sum = Sealed(edited);
  wrong_sum[254] ^= 1;
  ParamBlock no_marker = edited;
  no_marker[0] = 0;
  for (const std::string &bad : {"ZZZCW " + wrong_sum, "\x12\x63" + Sealed(no_marker)}) {
    Send(bad);
    EXPECT_EQ(device_->Block(), before);
  }
  Send("\x12\x63" + Sealed(edited));
  EXPECT_EQ(device_->Block()[34], 3);
}

TEST_F(DeviceTest, DownloadListKillAndSizes) {
  Persona p;
  p.flash_bytes = 1000;
  p.dram_bytes = 500;
  Make(p);
  Send("DOWNLOAD F,\"LOGO.BMP\",10,0123456789");
  Send("DOWNLOAD F,\"A.TXT\",2,hi");
  Send("DOWNLOAD \"D1\",3,abc");
  Send("DOWNLOAD F,\"TOOBIG\",2000," + std::string(2000, 'x'));
  EXPECT_EQ(Ask("ZZZFILES F\r\n"), "A.TXT,LOGO.BMP\r");
  EXPECT_EQ(Ask("ZZZFILES N\r\n"), "D1\r");
  const std::string sizes = Ask("ZZZFILESSIZE\r\n");
  ASSERT_EQ(sizes.size(), 16u);
  auto value = [&](int i) {
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<uint8_t>(sizes[i * 4 + k]);
    return v;
  };
  EXPECT_EQ(value(0), 1000u);
  EXPECT_EQ(value(1), 1000u - 12);
  EXPECT_EQ(value(2), 500u);
  EXPECT_EQ(value(3), 500u - 3);

  Send("KILL F,\"A.TXT\"\r\n");
  EXPECT_EQ(Ask("ZZZFILES F\r\n"), "LOGO.BMP\r");
  Send("KILL \"*\"\r\n");
  EXPECT_EQ(Ask("ZZZFILES N\r\n"), "\r");
  EXPECT_EQ(Ask("ZZZFILES F\r\n"), "LOGO.BMP\r");
  Make(p);  // flash survives a restart, DRAM does not
  Send("DOWNLOAD \"D2\",1,x");
  Make(p);
  EXPECT_EQ(Ask("ZZZFILES F\r\n"), "LOGO.BMP\r");
  EXPECT_EQ(Ask("ZZZFILES N\r\n"), "\r");
}

TEST_F(DeviceTest, DownloadNamesCannotLeaveTheStore) {
  Make();
  for (const char *name : {"../escape", "/etc/x", "..", "a\\b", "%2e%2e"}) {
    Send("DOWNLOAD F,\"" + std::string(name) + "\",1,x");
  }
  // Everything that exists lies inside the flash directory.
  for (const auto &entry : std::filesystem::recursive_directory_iterator(root_)) {
    const auto rel = std::filesystem::relative(entry.path(), state_);
    EXPECT_FALSE(rel.string().starts_with("..")) << entry.path();
  }
  EXPECT_FALSE(std::filesystem::exists(root_ / "escape"));
  // Separators and dot names are refused; other bytes are stored encoded.
  EXPECT_EQ(Ask("ZZZFILES F\r\n"), "%2e%2e\r");
}

TEST_F(DeviceTest, TsplLabelElements) {
  Make();
  Send(
      "SIZE 40 mm,25 mm\r\nCLS\r\n"
      "TEXT 10,20,\"3\",90,2,1,\"a, \"b\"\"\r\n"
      "QRCODE 10,20,Q,4,A,0,M2,S7,ABC,DEF\r\n"
      "BARCODE 5,6,\"EAN13\",50,1,0,2,4,\"123456789012\"\r\n"
      "BITMAP 0,0,2,1,0\r\n\x00\x7F"s
      "PRINT 1,1\r\n");
  ASSERT_EQ(out_.labels.size(), 1u);
  const Label &l = out_.labels[0];
  EXPECT_EQ(l.height, 200);
  EXPECT_EQ(l.width, 576);
  ASSERT_EQ(l.elements.size(), 4u);
  EXPECT_EQ(l.elements[0].data, "a, \"b\"");
  EXPECT_EQ(l.elements[0].rotation, 90);
  EXPECT_EQ(l.elements[0].mul_x, 2);
  EXPECT_EQ(l.elements[1].data, "ABC,DEF");
  EXPECT_EQ(l.elements[1].option_1, 3);  // Q
  EXPECT_EQ(l.elements[1].size, 4);
  EXPECT_EQ(l.elements[2].symbology, TsplBarcodeSymbology("EAN13"));
  EXPECT_TRUE(l.elements[2].readable);
  // 0 bits are dark on the wire; the label keeps 1 = dark.
  EXPECT_EQ(l.elements[3].bits, (std::vector<uint8_t>{0xFF, 0x80}));
}

TEST_F(DeviceTest, CpclLabelAndGraphicsPolarity) {
  for (bool one_is_dark : {true, false}) {
    Persona p;
    p.cpcl_one_is_dark = one_is_dark;
    Make(p);
    Send(
        "! 0 200 200 400 1\r\nTEXT90 4 0 30 40 abc def\r\nB QR 10 20 M 2 U 6 \r\nQ,hi there\r\n"
        "ENDQR\r\nCOMPRESSED-GRAPHICS 1 1 5 5 \x0F"
        "FORM\r\nPRINT\r\n");
    ASSERT_EQ(out_.labels.size(), 1u);  // FORM ends the label, PRINT has none left
    const Label &l = out_.labels[0];
    EXPECT_EQ(l.height, 400);
    ASSERT_EQ(l.elements.size(), 3u);
    EXPECT_EQ(l.elements[0].data, "abc def");
    EXPECT_EQ(l.elements[0].rotation, 270);
    EXPECT_EQ(l.elements[1].data, "hi there");
    EXPECT_EQ(l.elements[1].option_1, 3);  // Q
    EXPECT_EQ(l.elements[2].bits, std::vector<uint8_t>{uint8_t(one_is_dark ? 0x0F : 0xF0)});
  }
}

TEST_F(DeviceTest, JobsThatPrint) {
  Make();
  Send("DOWNLOAD F,\"P.BAS\",29,CLS\r\nTEXT 1,1,\"1\",0,1,1,\"x\"\r\n");
  Send("RUN \"P.BAS\"\r\n");
  EXPECT_EQ(out_.labels.size(), 0u);  // the program has no PRINT
  Send("DOWNLOAD \"Q.BAS\"\r\nPRINT 1\r\nEOP\r\nRUN \"Q.BAS\"\r\n");
  Send("SELFTEST\r\n\x1D\x28\x41\x02\x00\x00\x02"s);
  Send("plain text\r\nsecond\n");
  EXPECT_EQ(out_.labels.size(), 3u);
  device_->EndSession();  // the plain text is one receipt, printed at the end
  ASSERT_EQ(out_.labels.size(), 4u);
  EXPECT_EQ(out_.labels[0].kind, "tspl");
  EXPECT_EQ(out_.labels[1].kind, "selftest");
  EXPECT_EQ(out_.labels[2].kind, "selftest");
  EXPECT_EQ(out_.labels[3].kind, "text");
  ASSERT_EQ(out_.labels[3].elements.size(), 2u);
  EXPECT_EQ(out_.labels[3].elements[1].data, "second");
}

TEST_F(DeviceTest, ImageBufferIsBounded) {
  Make();
  std::string job;
  for (size_t i = 0; i < kMaxElements + 10; ++i) job += "BAR 0,0,1,1\r\n";
  Send(job + "PRINT 1\r\n");
  // 32 bitmaps of 1024 x 1000 bytes would pass the raster limit.
  const std::string bitmap = "BITMAP 0,0,1024,1000,0\r\n" + std::string(1024 * 1000, '\0');
  Send("CLS\r\n");
  for (int i = 0; i < 32; ++i) Send(bitmap);
  Send("PRINT 1\r\n");
  ASSERT_EQ(out_.labels.size(), 2u);
  EXPECT_EQ(out_.labels[0].elements.size(), kMaxElements);
  EXPECT_LE(out_.labels[1].bitmap_bytes, kMaxBitmapBytes);
  EXPECT_EQ(out_.labels[1].elements.size(), kMaxBitmapBytes / (1024 * 1000));
}

TEST_F(DeviceTest, SecondCpclLabelKeepsItsKind) {
  Make();
  Send("! 0 200 200 50 1\r\nPRINT\r\n! 0 200 200 60 1\r\nFORM\r\n");
  ASSERT_EQ(out_.labels.size(), 2u);
  EXPECT_EQ(out_.labels[1].kind, "cpcl");
  EXPECT_EQ(out_.labels[1].width, 576);
  EXPECT_EQ(out_.labels[1].height, 60);
}

TEST_F(DeviceTest, GbkTextIsDecoded) {
  Make();
  Send("TEXT 0,0,\"3\",0,1,1,\"\xC4\xE3\xBA\xC3\"\r\nPRINT 1\r\n"s);
  ASSERT_EQ(out_.labels.size(), 1u);
  EXPECT_EQ(out_.labels[0].elements[0].data, "你好");
}

}  // namespace
}  // namespace ravo::sim

namespace ravo::sim {
namespace {

TEST(Persona, JsonFieldsAndErrors) {
  Persona p;
  std::string error;
  ASSERT_TRUE(LoadPersonaJson(R"({"model":"HMZ","serial":"X1","firmware":"1.0.2.5",
                                  "command_mode":null,"journey":-1,"flash_bytes":10})",
                              p, error))
      << error;
  EXPECT_EQ(p.family, Family::kHmz);
  EXPECT_EQ(p.width_dots, 848);
  EXPECT_EQ(p.serial, "X1");
  EXPECT_EQ(p.firmware, (std::vector<uint8_t>{1, 0, 2, 5}));
  EXPECT_FALSE(p.command_mode.has_value());
  EXPECT_EQ(p.journey, -1);
  EXPECT_EQ(p.flash_bytes, 10u);
  ASSERT_TRUE(LoadPersonaJson(R"({"block":")" + std::string(510, 'a') + R"(0F"})", p, error));
  EXPECT_EQ(p.block.size(), 256u);
  EXPECT_EQ(p.block[255], 0x0F);
  for (const char *bad : {R"({"block":"0102"})", R"({"model":"XYZ"})", R"({"firmware":"1.2"})",
                          R"({"colour":1})", R"([1,2])", R"({"width":3})", "{"}) {
    Persona q;
    EXPECT_FALSE(LoadPersonaJson(bad, q, error)) << bad;
  }
}

}  // namespace
}  // namespace ravo::sim
