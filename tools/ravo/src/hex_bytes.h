// Hexadecimal bytes as `ravo send --hex` takes them: pieces separated by
// blanks, commas or line breaks, each piece whole bytes (an even number of
// hexadecimal digits) with an optional 0x prefix: "1B 40", "0x1b,0x40",
// "1B40".  Anything else is refused before a byte is sent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ravo::cli {

struct HexParse {
  std::vector<uint8_t> bytes;
  std::string badPiece;  // the first piece that is not whole bytes
  bool empty = false;    // no piece at all
  bool ok() const { return badPiece.empty() && !empty; }
};

HexParse ParseHexBytes(std::string_view text);

}  // namespace ravo::cli
