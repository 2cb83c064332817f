// Turns 8-bit text from the wire into UTF-8 for drawing.
#pragma once

#include <string>
#include <string_view>

namespace ravo::sim {

// Valid UTF-8 stays as it is; anything else is read in code_page (an iconv
// name such as GBK), and bytes that do not convert become '?'.
std::string DecodeText(std::string_view bytes, const std::string &code_page);

}  // namespace ravo::sim
