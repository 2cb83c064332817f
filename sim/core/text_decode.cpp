#include "text_decode.h"

#include <iconv.h>

#include <vector>

namespace ravo::sim {
namespace {

bool IsUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
    if (extra == 9 || i + extra >= s.size()) return false;
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += extra + 1;
  }
  return true;
}

std::string Latin(std::string_view s) {
  std::string out;
  for (unsigned char c : s) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace

std::string DecodeText(std::string_view bytes, const std::string &code_page) {
  if (IsUtf8(bytes)) return std::string(bytes);
  return DecodeIn(bytes, code_page);
}

std::string DecodeIn(std::string_view bytes, const std::string &code_page) {
  if (code_page == "UTF-8" && IsUtf8(bytes)) return std::string(bytes);
  iconv_t cd = iconv_open("UTF-8", code_page.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return Latin(bytes);
  std::string out;
  std::vector<char> chunk(bytes.size() * 4 + 16);
  std::string in(bytes);
  char *src = in.data();
  size_t src_left = in.size();
  while (src_left > 0) {
    char *dst = chunk.data();
    size_t dst_left = chunk.size();
    const size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    out.append(chunk.data(), chunk.size() - dst_left);
    if (r == static_cast<size_t>(-1) && src_left > 0) {
      out.push_back('?');  // skip one byte that does not convert
      ++src;
      --src_left;
    }
  }
  iconv_close(cd);
  return out;
}

std::u32string CodePoints(std::string_view utf8) {
  std::u32string out;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const size_t extra = c < 0x80         ? 0
                         : (c >> 5) == 6  ? 1
                         : (c >> 4) == 14 ? 2
                         : (c >> 3) == 30 ? 3
                                          : 9;
    char32_t cp = extra == 0 ? c : extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
    bool ok = extra != 9 && i + extra < utf8.size();
    for (size_t k = 1; ok && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      ok = (next >> 6) == 2;
      cp = cp << 6 | (next & 0x3F);
    }
    out.push_back(ok ? cp : U'\uFFFD');
    i += ok ? extra + 1 : 1;
  }
  return out;
}

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
         (c >= 0x3041 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
         (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

}  // namespace ravo::sim
