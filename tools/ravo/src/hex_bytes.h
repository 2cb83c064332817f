// Hexadecimal text of raw commands, in the command-test window's notation:
// pieces separated by blanks, commas or line breaks, "0x" prefixes allowed,
// each piece at most eight digits of which the lowest byte is sent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravo::cli {

struct HexParse {
  std::vector<uint8_t> bytes;
  std::string badPiece;  // the first piece that is not a number; empty on success
};

HexParse ParseHexBytes(std::string_view text);

// Two upper-case digits and a blank per byte ("1B 40 ").
std::string BytesToHexText(const std::vector<uint8_t> &bytes);

}  // namespace ravo::cli
