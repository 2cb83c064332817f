// Turns 8-bit text from the wire into UTF-8 for drawing.
#pragma once

#include <string>
#include <string_view>

namespace ravo::sim {

// Valid UTF-8 stays as it is; anything else is read in code_page (an iconv
// name such as GBK), and bytes that do not convert become '?'.
std::string DecodeText(std::string_view bytes, const std::string &code_page);

// Reads bytes in code_page only, as a printer told to use that page does;
// bytes that do not convert become '?'.
std::string DecodeIn(std::string_view bytes, const std::string &code_page);

// UTF-8 to code points; a malformed sequence gives U+FFFD.
std::u32string CodePoints(std::string_view utf8);

// Characters a fixed-pitch printer font draws two cells wide (CJK and
// full-width forms).
bool IsWide(char32_t c);

}  // namespace ravo::sim
