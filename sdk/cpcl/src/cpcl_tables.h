// Words and value sets of the CPCL command fields.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace pelican {

// Element `index` of `table`, or nullptr outside it.
template <size_t N>
const char *Lookup(const std::array<const char *, N> &table, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < N ? table[index] : nullptr;
}

inline constexpr std::array<const char *, 3> kAlignWords = {"LEFT", "CENTER", "RIGHT"};

// Unknown rotations print unrotated rather than fail.
inline const char *TextCommandWord(int32_t rotate) {
  constexpr std::array<const char *, 4> kWords = {"TEXT", "TEXT90", "TEXT180", "TEXT270"};
  const char *word = Lookup(kWords, rotate);
  return word != nullptr ? word : "TEXT";
}

inline bool IsTextFont(int32_t font) {
  constexpr std::array<int32_t, 7> kFonts = {0, 1, 3, 4, 5, 8, 55};
  return std::find(kFonts.begin(), kFonts.end(), font) != kFonts.end();
}

inline constexpr std::array<const char *, 42> kBarcodeNames = {
    "128",        "128A",       "128B",        "128C",  "128E",   "39",      "39C",
    "93",         "CODABAR",    "CODABAR16",   "EAN13", "EAN132", "EAN135",  "EAN8",
    "EAN82",      "EAN85",      "F39",         "F39C",  "FIM",    "I2OF5",   "I2OF5C",
    "I2OF5G",     "INDUST2OF5", "INDUST2OF5C", "MSI",   "MSI10",  "MSI1010", "MSI1110",
    "NW7",        "NW7HEX",     "PLESSEY",     "PLUS2", "PLUS5",  "POSTNET", "UCCEAN128",
    "UCCEAN128E", "UPCA",       "UPCA2",       "UPCA5", "UPCE",   "UPCE2",   "UPCE5"};

// CPCL ratio codes: 0..4 and 20..30.
inline bool IsBarcodeRatio(int32_t ratio) {
  return (ratio >= 0 && ratio <= 4) || (ratio >= 20 && ratio <= 30);
}

inline char QrLevelLetter(int32_t level) {
  constexpr char kLetters[] = {'L', 'M', 'Q', 'H'};
  return level >= 0 && level <= 2 ? kLetters[level] : 'H';
}

inline bool InRange(int32_t value, int32_t low, int32_t high) {
  return value >= low && value <= high;
}

}  // namespace pelican
