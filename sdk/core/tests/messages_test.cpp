// PrtFormatErrorA/W: texts, encodings, area rules and system errors.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "code_page.h"
#include "messages.h"
#include "prt.h"
#include "ravoio.h"

namespace {

std::string Hex(std::string_view s) {
  std::string out;
  char b[4];
  for (unsigned char c : s) {
    std::snprintf(b, sizeof b, "%02X ", c);
    out += b;
  }
  return out;
}

std::string FormatA(int32_t code, int32_t lang, int32_t *rc = nullptr) {
  char area[512];
  int32_t r = PrtFormatErrorA(code, lang, area, 0, sizeof area);
  if (rc != nullptr) *rc = r;
  return area;
}

std::u16string FormatW(int32_t code, int32_t lang, int32_t *rc = nullptr) {
  PrtWChar area[256];
  int32_t r = PrtFormatErrorW(code, lang, area, 0, sizeof area);
  if (rc != nullptr) *rc = r;
  return reinterpret_cast<const char16_t *>(area);
}

class EnvScope {
 public:
  EnvScope(const char *name, const char *value) : name_(name) {
    const char *old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    ::setenv(name, value, 1);
  }
  ~EnvScope() {
    if (had_)
      ::setenv(name_, old_.c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char *name_;
  bool had_;
  std::string old_;
};

TEST(Messages, EveryRowHasBothTextsAndUniqueCodesAndFitsGbk) {
  std::set<int32_t> codes;
  for (const prt::MessageRow &row : prt::MessageTable()) {
    EXPECT_TRUE(codes.insert(row.code).second) << row.code;
    EXPECT_GT(std::strlen(row.english), 0u) << row.code;
    EXPECT_GT(std::strlen(row.chinese), 0u) << row.code;
    EXPECT_EQ(std::strchr(row.english, '\r'), nullptr);
    EXPECT_FALSE(prt::MessageGbk(row.code, true).empty()) << row.code;
  }
  EXPECT_EQ(codes.size(), 55u);
}

// Every code the public headers name has its row, under the same name
// where the printer libraries name it; the port library's codes have rows.
TEST(Messages, EveryNamedCodeHasItsRow) {
#define NAMED(code) \
  { code, #code }
  const struct {
    int32_t code;
    const char *name;
  } named[] = {
      NAMED(PRT_SUCCESS),
      NAMED(PRT_ERR_PARAMETER),
      NAMED(PRT_ERR_BUFFER_TOO_SMALL),
      NAMED(PRT_ERR_WRONG_PRINTER_TYPE),
      NAMED(PRT_ERR_INVALID_HANDLE),
      NAMED(PRT_ERR_UNKNOWN_MODEL),
      NAMED(PRT_ERR_OUT_OF_MEMORY),
      NAMED(PRT_ERR_IMAGE_LOAD),
      NAMED(PRT_ERR_IMAGE_SIZE),
      NAMED(PRT_ERR_INTERNAL),
      NAMED(PRT_ERR_PORT_NOT_OPEN),
      NAMED(PRT_ERR_READ_TIMEOUT),
  };
#undef NAMED
  for (const auto &n : named) {
    EXPECT_EQ(prt::MessageFor(n.code).code, n.code) << n.name;
    EXPECT_STREQ(prt::MessageFor(n.code).name, n.name);
  }
  for (int32_t port : {RAVO_IO_ERR_BUFFER_TOO_SMALL,
                       RAVO_IO_ERR_OUT_OF_MEMORY,
                       RAVO_IO_ERR_INTERNAL,
                       RAVO_IO_ERR_IO,
                       RAVO_IO_ERR_INVALID_SETTING,
                       RAVO_IO_ERR_NAME_TOO_LONG,
                       RAVO_IO_ERR_INVALID_HANDLE,
                       RAVO_IO_ERR_NOT_OPEN,
                       RAVO_IO_ERR_ALREADY_OPEN,
                       RAVO_IO_ERR_OPEN_FAILED,
                       RAVO_IO_ERR_GET_ATTR,
                       RAVO_IO_ERR_SET_ATTR,
                       RAVO_IO_ERR_WRITE,
                       RAVO_IO_ERR_WRITE_TIMEOUT,
                       RAVO_IO_ERR_READ,
                       RAVO_IO_ERR_READ_TIMEOUT,
                       RAVO_IO_ERR_FLUSH,
                       RAVO_IO_ERR_BAUDRATE,
                       RAVO_IO_ERR_CONNECT,
                       RAVO_IO_ERR_HANDSHAKE,
                       RAVO_IO_ERR_USB_PATH,
                       RAVO_IO_ERR_USB_NOT_FOUND,
                       RAVO_IO_ERR_USB_BUSY}) {
    EXPECT_EQ(prt::MessageFor(port).code, port);
  }
}

TEST(Messages, EnglishAndChineseInGbk) {
  int32_t rc = 0;
  EXPECT_EQ(FormatA(-309, 9, &rc), "IO port not open.\nPlease open the IO port.");
  EXPECT_EQ(rc, -309);
  // "IO错误：端口未打开。\n请先打开端口！" in GBK.
  std::string gbk = FormatA(-309, 4, &rc);
  EXPECT_EQ(Hex(gbk),
            "49 4F B4 ED CE F3 A3 BA B6 CB BF DA CE B4 B4 F2 BF AA A1 A3 0A C7 EB CF C8 B4 F2 "
            "BF AA B6 CB BF DA A3 A1 ");
  EXPECT_EQ(rc, -309);
  // The full-width colon of the English USB rows is GBK as well.
  EXPECT_EQ(FormatA(-1103, 9).substr(0, 10),
            "LIBUSB\xA3\xBA"
            "IO");
}

TEST(Messages, FallbackRowForCodesWithoutOne) {
  int32_t rc = 0;
  EXPECT_EQ(FormatA(-5, 9, &rc), "Printer Unknown Error!");
  EXPECT_EQ(rc, -5);
  EXPECT_EQ(FormatW(-99999, 4, &rc), u"未知错误!");
}

TEST(Messages, WideTextIsRightWhateverTheCodePage) {
  EnvScope acp("RAVO_ACP", "CP1252");
  int32_t rc = 0;
  EXPECT_EQ(FormatW(-309, 4, &rc), u"IO错误：端口未打开。\n请先打开端口！");
  EXPECT_EQ(rc, -309);
  EXPECT_EQ(FormatW(-1104, 9), u"LIBUSB：No IO Device. Please confirm the deviced has connected.");
}

TEST(Messages, LanguageZeroFollowsTheUser) {
  EnvScope all("LC_ALL", "zh_CN.UTF-8");
  int32_t rc = 1;
  EXPECT_EQ(FormatW(0, 0, &rc), u"操作成功完成。");
  EXPECT_EQ(rc, 0);
  EnvScope all2("LC_ALL", "de_DE.UTF-8");
  EXPECT_EQ(FormatA(0, 0), "The operation completed successfully.");
  // Only exactly 4 is Chinese.
  EXPECT_EQ(FormatA(0, 0x804), "The operation completed successfully.");
}

TEST(Messages, AreaRulesOfTheNarrowForm) {
  char area[16];
  std::memset(area, 'z', sizeof area);
  // Room 10 of a 16-byte area: zeroed, message too long, code returned.
  EXPECT_EQ(PrtFormatErrorA(-309, 9, area, 4, 14), -309);
  for (int i = 4; i < 14; ++i) EXPECT_EQ(area[i], 0) << i;
  EXPECT_EQ(area[3], 'z');
  EXPECT_EQ(area[14], 'z');
  // Offset equal to size: nothing written.
  EXPECT_EQ(PrtFormatErrorA(-1, 9, area, 16, 16), -1);
  EXPECT_EQ(area[15], 'z');
  // Exactly text plus terminator fits.
  const char *text = "Printer Unknown Error!";
  std::string exact(std::strlen(text) + 1, 'q');
  EXPECT_EQ(PrtFormatErrorA(-5, 9, exact.data(), 0, static_cast<int32_t>(exact.size())), -5);
  EXPECT_STREQ(exact.c_str(), text);
  EXPECT_EQ(PrtFormatErrorA(-5, 9, nullptr, 0, 10), PRT_ERR_PARAMETER);
  EXPECT_EQ(PrtFormatErrorA(-5, 9, area, 9, 4), PRT_ERR_PARAMETER);
}

TEST(Messages, AreaRulesOfTheWideFormCountBytes) {
  alignas(2) unsigned char raw[40];
  std::memset(raw, 0xEE, sizeof raw);
  auto *area = reinterpret_cast<PrtWChar *>(raw);
  // 9 bytes from offset 3: 8 are zeroed, 4 units of room, message does not fit.
  EXPECT_EQ(PrtFormatErrorW(-309, 9, area, 3, 12), -309);
  for (int i = 3; i < 11; ++i) EXPECT_EQ(raw[i], 0) << i;
  EXPECT_EQ(raw[11], 0xEE);
  // An odd offset still receives whole units.
  EXPECT_EQ(PrtFormatErrorW(0, 4, area, 1, 40), 0);
  char16_t first;
  std::memcpy(&first, raw + 1, 2);
  EXPECT_EQ(first, u'操');
}

TEST(Messages, PositiveCodesAreSystemErrors) {
  int32_t rc = -1;
  EXPECT_EQ(FormatA(ENOENT, 9, &rc), std::strerror(ENOENT));
  EXPECT_EQ(rc, 0);
  std::u16string w = FormatW(ENOENT, 4, &rc);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(w.size(), std::strlen(std::strerror(ENOENT)));
  char tiny[3];
  EXPECT_EQ(PrtFormatErrorA(ENOENT, 9, tiny, 0, 3), ERANGE);
  EXPECT_EQ(tiny[0], 0);
}

TEST(CodePage, FollowsRavoAcpThenTheLocale) {
  {
    EnvScope acp("RAVO_ACP", "GBK");
    EXPECT_EQ(prt::AnsiCharset(), "GBK");
    std::string out;
    ASSERT_EQ(prt::Utf16ToAnsi(u"中", out), 0);
    EXPECT_EQ(out, "\xD6\xD0");
    std::u16string back;
    ASSERT_EQ(prt::AnsiToUtf16(out, back), 0);
    EXPECT_EQ(back, u"中");
  }
  EnvScope acp("RAVO_ACP", "");
  EnvScope all("LC_ALL", "zh_TW.UTF-8");
  EXPECT_EQ(prt::AnsiCharset(), "BIG5");
  struct Case {
    const char *locale;
    const char *charset;
  };
  for (Case c : {Case{"C", "CP1252"}, Case{"POSIX", "CP1252"}, Case{"zh_SG", "GBK"},
                 Case{"ja_JP.UTF-8", "CP932"}, Case{"ru_RU", "CP1251"}, Case{"pl_PL", "CP1250"},
                 Case{"lt_LT", "CP1257"}, Case{"th_TH", "CP874"}, Case{"zu_ZA", "CP1252"},
                 Case{"en_US.UTF-8", "CP1252"}}) {
    EXPECT_EQ(prt::CharsetForLocale(c.locale), c.charset) << c.locale;
  }
}

TEST(CodePage, UnmappableCharacterIsAnErrno) {
  EnvScope acp("RAVO_ACP", "CP1252");
  std::string out;
  EXPECT_EQ(prt::Utf16ToAnsi(u"中", out), EILSEQ);
}

}  // namespace
