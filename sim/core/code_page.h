// The character tables the printer languages name, as iconv names.
#pragma once

#include <string>
#include <string_view>

namespace ravo::sim {

// The TSPL CODEPAGE argument ("437", "1252", "UTF-8", "8859-1", "936" ...);
// empty when the reference defines no such page.  The 7-bit national sets
// ("USA", "GER" ...) differ from ASCII in a few signs only and read as ASCII.
std::string TsplCodePage(std::string_view name);

// The ESC/POS character code table of ESC t n; empty when unknown.
std::string_view EscPosCodeTable(int n);

}  // namespace ravo::sim
