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

}  // namespace ravo::sim
