// Exported PrtFormatErrorA / PrtFormatErrorW.
#include <cerrno>
#include <cstring>
#include <string>

#include "c_boundary.h"
#include "code_page.h"
#include "locale_env.h"
#include "messages.h"
#include "prt.h"

using namespace prt;

namespace {

constexpr int32_t kChinese = 4;

bool WantsChinese(int32_t code, int32_t language) {
  if (language == 0 && code <= 0) language = PrimaryLanguage(UserLanguageId());
  return language == kChinese;
}

// System error text; the language cannot change it here.
std::string SystemText(int32_t code) {
  char scratch[256];
  const char *text = ::strerror_r(code, scratch, sizeof scratch);
  return text != nullptr ? text : "";
}

bool AreaValid(const void *buffer, int32_t offset, int32_t size) {
  return buffer != nullptr && offset >= 0 && size >= offset;
}

}  // namespace

extern "C" PRT_API int32_t PrtFormatErrorA(int32_t code, int32_t language, char *buffer,
                                           int32_t offset, int32_t size) {
  if (!AreaValid(buffer, offset, size)) return PRT_ERR_PARAMETER;
  char *area = buffer + offset;
  const size_t room = static_cast<size_t>(size - offset);
  std::memset(area, 0, room);
  return Guarded([&]() -> int32_t {
    if (code <= 0) {
      std::string_view text = MessageGbk(code, WantsChinese(code, language));
      if (text.size() + 1 <= room) std::memcpy(area, text.data(), text.size());
      return code;
    }
    std::string text = SystemText(code);
    if (text.empty() || text.size() + 1 > room) return ERANGE;
    std::memcpy(area, text.data(), text.size());
    return 0;
  });
}

extern "C" PRT_API int32_t PrtFormatErrorW(int32_t code, int32_t language, PrtWChar *buffer,
                                           int32_t offset, int32_t size) {
  if (!AreaValid(buffer, offset, size)) return PRT_ERR_PARAMETER;
  // Offsets count bytes; the area may start at an odd address, so copy bytes.
  char *area = reinterpret_cast<char *>(buffer) + offset;
  const size_t roomBytes = static_cast<size_t>(size - offset) & ~size_t{1};
  std::memset(area, 0, roomBytes);
  return Guarded([&]() -> int32_t {
    std::u16string text;
    if (code <= 0) {
      const MessageRow &row = MessageFor(code);
      Utf8ToUtf16(WantsChinese(code, language) ? row.chinese : row.english, text);
    } else {
      std::string sys = SystemText(code);
      // strerror follows the C library's locale, which is UTF-8 or ASCII.
      if (Utf8ToUtf16(sys, text) != 0) text.assign(sys.begin(), sys.end());
      if (text.empty()) return ERANGE;
    }
    if ((text.size() + 1) * 2 > roomBytes) return code <= 0 ? code : ERANGE;
    std::memcpy(area, text.data(), text.size() * 2);
    return code <= 0 ? code : 0;
  });
}
