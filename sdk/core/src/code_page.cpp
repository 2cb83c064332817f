#include "code_page.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "locale_env.h"

namespace prt {
namespace {

struct LanguageCharset {
  std::string_view language;  // ISO 639 code or language_TERRITORY
  const char *charset;
};

// Longer (territory) entries come first so that they win over the language.
constexpr std::array<LanguageCharset, 40> kCharsets = {{
    {"zh_CN", "GBK"},    {"zh_SG", "GBK"},    {"zh_TW", "BIG5"},   {"zh_HK", "BIG5"},
    {"zh_MO", "BIG5"},   {"zh", "GBK"},       {"ja", "CP932"},     {"ko", "CP949"},
    {"ru", "CP1251"},    {"uk", "CP1251"},    {"be", "CP1251"},    {"bg", "CP1251"},
    {"sr", "CP1251"},    {"mk", "CP1251"},    {"kk", "CP1251"},    {"ky", "CP1251"},
    {"mn", "CP1251"},    {"tt", "CP1251"},    {"el", "CP1253"},    {"tr", "CP1254"},
    {"az", "CP1254"},    {"he", "CP1255"},    {"ar", "CP1256"},    {"fa", "CP1256"},
    {"ur", "CP1256"},    {"vi", "CP1258"},    {"th", "CP874"},     {"cs", "CP1250"},
    {"pl", "CP1250"},    {"hu", "CP1250"},    {"sk", "CP1250"},    {"sl", "CP1250"},
    {"hr", "CP1250"},    {"ro", "CP1250"},    {"sq", "CP1250"},    {"bs", "CP1250"},
    {"lt", "CP1257"},    {"lv", "CP1257"},    {"et", "CP1257"},    {"", "CP1252"},
}};

class Iconv {
 public:
  Iconv(const char *from, const char *to) : cd_(::iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) ::iconv_close(cd_);
  }
  Iconv(const Iconv &) = delete;
  Iconv &operator=(const Iconv &) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

std::string CharsetForLocale(std::string_view locale) {
  for (const LanguageCharset &entry : kCharsets) {
    if (entry.language.empty()) break;
    if (locale.substr(0, entry.language.size()) != entry.language) continue;
    // "zh" must not match "zu"; the next character ends the language part.
    if (locale.size() == entry.language.size()) return entry.charset;
    char next = locale[entry.language.size()];
    if (next == '_' || next == '.' || next == '@' || next == '-') return entry.charset;
  }
  return "CP1252";
}

std::string AnsiCharset() {
  const char *forced = std::getenv("RAVO_ACP");
  if (forced != nullptr && *forced != '\0') return forced;
  return CharsetForLocale(LocaleFromEnvironment({"LC_ALL", "LC_CTYPE", "LANG"}));
}

int32_t ConvertCharset(const char *from, const char *to, std::string_view in, std::string &out) {
  out.clear();
  Iconv cd(from, to);
  if (!cd.ok()) return EINVAL;
  std::string result(in.size() * 4 + 8, '\0');
  char *src = const_cast<char *>(in.data());
  size_t srcLeft = in.size();
  char *dst = result.data();
  size_t dstLeft = result.size();
  while (srcLeft > 0) {
    if (::iconv(cd.get(), &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
    if (errno != E2BIG) return errno;
    size_t done = result.size() - dstLeft;
    result.resize(result.size() * 2);
    dst = result.data() + done;
    dstLeft = result.size() - done;
  }
  result.resize(result.size() - dstLeft);
  out = std::move(result);
  return 0;
}

int32_t Utf16ToAnsi(std::u16string_view in, std::string &out) {
  std::string_view bytes(reinterpret_cast<const char *>(in.data()), in.size() * 2);
  return ConvertCharset("UTF-16LE", AnsiCharset().c_str(), bytes, out);
}

namespace {
int32_t BytesToUtf16(const char *from, std::string_view in, std::u16string &out) {
  std::string bytes;
  out.clear();
  int32_t rc = ConvertCharset(from, "UTF-16LE", in, bytes);
  if (rc != 0) return rc;
  out.resize(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return 0;
}
}  // namespace

int32_t AnsiToUtf16(std::string_view in, std::u16string &out) {
  return BytesToUtf16(AnsiCharset().c_str(), in, out);
}

int32_t Utf8ToUtf16(std::string_view in, std::u16string &out) {
  return BytesToUtf16("UTF-8", in, out);
}

int32_t Utf8ToCharset(std::string_view in, const char *charset, std::string &out) {
  return ConvertCharset("UTF-8", charset, in, out);
}

std::u16string_view WideView(const PrtWChar *text) {
  if (text == nullptr) return {};
  size_t n = 0;
  while (text[n] != 0) ++n;
  return {reinterpret_cast<const char16_t *>(text), n};
}

}  // namespace prt
