#include "hex_bytes.h"

namespace ravo::cli {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSeparator(char c) {
  return c == ' ' || c == ',' || c == '\r' || c == '\n' || c == '\t';
}

// The bytes of one piece; false when it is not whole bytes.
bool PieceBytes(std::string_view piece, std::vector<uint8_t> &bytes) {
  if (piece.size() >= 2 && piece[0] == '0' && (piece[1] == 'x' || piece[1] == 'X')) {
    piece.remove_prefix(2);
  }
  if (piece.empty() || piece.size() % 2 != 0) return false;
  std::vector<uint8_t> out;
  for (size_t i = 0; i < piece.size(); i += 2) {
    const int high = HexDigit(piece[i]);
    const int low = HexDigit(piece[i + 1]);
    if (high < 0 || low < 0) return false;
    out.push_back(static_cast<uint8_t>(high << 4 | low));
  }
  bytes.insert(bytes.end(), out.begin(), out.end());
  return true;
}

}  // namespace

HexParse ParseHexBytes(std::string_view text) {
  HexParse result;
  size_t start = 0;
  bool any = false;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    const std::string_view piece = text.substr(start, end - start);
    start = end + 1;
    if (piece.empty()) continue;
    any = true;
    if (!PieceBytes(piece, result.bytes)) {
      result.badPiece = std::string(piece);
      result.bytes.clear();
      return result;
    }
  }
  result.empty = !any;
  return result;
}

}  // namespace ravo::cli
