// Value tables and normalisations of the TSPL command fields.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace heron {

inline constexpr std::array<const char *, 30> kBarcodeNames = {
    "128",  "128M",  "EAN128",  "25",      "25C",   "39",     "39C",    "39S",
    "93",   "EAN13", "EAN13+2", "EAN13+5", "EAN8",  "EAN8+2", "EAN8+5", "CODA",
    "POST", "UPCA",  "UPCA+2",  "UPCA+5",  "UPCE",  "UPCE+2", "UPCE+5", "CPOST",
    "MSI",  "MSIC",  "PLESSEY", "ITF14",   "EAN14", "11"};

// Name of a bar-code type, or nullptr outside 0..29.
inline const char *BarcodeName(int32_t type) {
  return type >= 0 && type < static_cast<int32_t>(kBarcodeNames.size()) ? kBarcodeNames[type]
                                                                        : nullptr;
}

// 0, 90, 180 and 270 are kept; the printer gets 0 for anything else.
inline int32_t NormalRotation(int32_t rotation) {
  return rotation == 90 || rotation == 180 || rotation == 270 ? rotation : 0;
}

inline char QrLevelLetter(int32_t level) {
  constexpr char kLetters[] = {'L', 'M', 'Q', 'H'};
  return level >= 1 && level <= 3 ? kLetters[level] : 'L';
}

inline int32_t QrMask(int32_t mask) {
  return mask >= 0 && mask <= 8 ? mask : 7;
}

// Fonts 0..8 are the printer's bitmap fonts by number; above 8 the
// scalable font.
inline std::string FontName(int32_t font) {
  return font > 8 ? "ROMAN.TTF" : std::to_string(font);
}

inline int32_t BitmapMode(int32_t mode) {
  return mode >= 0 && mode <= 2 ? mode : 0;
}

}  // namespace heron
