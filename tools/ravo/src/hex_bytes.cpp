#include "hex_bytes.h"

namespace ravo::cli {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<uint8_t> PieceValue(const std::string &piece) {
  if (piece.empty() || piece.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : piece) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | uint32_t(digit);
  }
  return static_cast<uint8_t>(value & 0xFF);
}

}  // namespace

HexParse ParseHexBytes(std::string_view text) {
  // Only a lower-case "0x" is a prefix; "0X" leaves an invalid piece.
  std::string cleaned;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '0' && i + 1 < text.size() && text[i + 1] == 'x') {
      ++i;
      continue;
    }
    const char c = text[i];
    cleaned += (c == ',' || c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
  }
  HexParse result;
  size_t start = 0;
  while (start < cleaned.size()) {
    const size_t end = std::min(cleaned.find(' ', start), cleaned.size());
    const std::string piece = cleaned.substr(start, end - start);
    start = end + 1;
    if (piece.empty()) continue;
    const auto value = PieceValue(piece);
    if (!value) {
      result.badPiece = piece;
      return result;
    }
    result.bytes.push_back(*value);
  }
  return result;
}

std::string BytesToHexText(const std::vector<uint8_t> &bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 0xF];
    text += ' ';
  }
  return text;
}

}  // namespace ravo::cli
