#include "escpos_framing.h"

#include <cstdint>

namespace ravo::sim {
namespace {

constexpr unsigned char kEsc = 0x1B, kFs = 0x1C, kGs = 0x1D, kDle = 0x10;

using Status = EscPosExtent::Status;

// Commands whose length is fixed: introducer, code, parameter bytes.
struct Fixed {
  unsigned char lead;
  unsigned char code;
  uint8_t params;
};

constexpr Fixed kFixed[] = {
    {kEsc, 0x0C, 0}, {kEsc, ' ', 1}, {kEsc, '!', 1}, {kEsc, '$', 2},  {kEsc, '%', 1},
    {kEsc, '-', 1},  {kEsc, '2', 0}, {kEsc, '3', 1}, {kEsc, '7', 3},  {kEsc, '8', 2},
    {kEsc, '9', 1},  {kEsc, '<', 0}, {kEsc, '=', 1}, {kEsc, '?', 1},  {kEsc, '@', 0},
    {kEsc, 'B', 2},  {kEsc, 'E', 1}, {kEsc, 'G', 1}, {kEsc, 'J', 1},  {kEsc, 'K', 1},
    {kEsc, 'L', 0},  {kEsc, 'M', 1}, {kEsc, 'R', 1}, {kEsc, 'S', 0},  {kEsc, 'T', 1},
    {kEsc, 'U', 1},  {kEsc, 'V', 1}, {kEsc, 'W', 8}, {kEsc, '\\', 2}, {kEsc, 'a', 1},
    {kEsc, 'c', 2},  {kEsc, 'd', 1}, {kEsc, 'e', 1}, {kEsc, 'i', 0},  {kEsc, 'm', 0},
    {kEsc, 'p', 3},  {kEsc, 'r', 1}, {kEsc, 't', 1}, {kEsc, 'u', 1},  {kEsc, 'v', 0},
    {kEsc, '{', 1},  {kGs, '!', 1},  {kGs, '$', 2},  {kGs, '/', 1},   {kGs, ':', 0},
    {kGs, 'B', 1},   {kGs, 'E', 1},  {kGs, 'H', 1},  {kGs, 'I', 1},   {kGs, 'L', 2},
    {kGs, 'P', 2},   {kGs, 'T', 1},  {kGs, 'W', 2},  {kGs, '\\', 2},  {kGs, '^', 3},
    {kGs, 'a', 1},   {kGs, 'b', 1},  {kGs, 'c', 0},  {kGs, 'f', 1},   {kGs, 'h', 1},
    {kGs, 'j', 1},   {kGs, 'r', 1},  {kGs, 'w', 1},  {kFs, '!', 1},   {kFs, '&', 0},
    {kFs, '-', 1},   {kFs, '.', 0},  {kFs, 'C', 1},  {kFs, 'S', 2},   {kFs, 'W', 1},
    {kFs, 'p', 2},
};

uint8_t At(std::string_view b, size_t i) {
  return static_cast<uint8_t>(b[i]);
}

EscPosExtent Need() {
  return {Status::kNeedMore, 0, 0};
}

EscPosExtent Unknown(size_t drop) {
  return {Status::kUnknown, drop, 0};
}

EscPosExtent Sized(size_t header, uint64_t data, size_t max_data) {
  if (data > max_data) return {Status::kTooLong, header, static_cast<size_t>(data)};
  return {Status::kComplete, header, static_cast<size_t>(data)};
}

// lead code fn pL pH, then pL + 256 pH bytes (the "( x" families).
EscPosExtent LengthPrefixed(std::string_view b, size_t max_data) {
  if (b.size() < 5) return Need();
  return Sized(5, At(b, 3) | At(b, 4) << 8, max_data);
}

// Parameter bytes up to and including a NUL, at most `limit` of them.
EscPosExtent NulTerminated(std::string_view b, size_t from, size_t limit) {
  for (size_t i = from; i < b.size() && i < from + limit; ++i)
    if (b[i] == '\0') return {Status::kComplete, i + 1, 0};
  return b.size() < from + limit ? Need() : Unknown(2);
}

// ESC * m nL nH: nL + 256 nH columns of one byte (8-dot) or three (24-dot).
EscPosExtent BitImage(std::string_view b, size_t max_data) {
  if (b.size() < 5) return Need();
  const uint64_t columns = At(b, 3) | At(b, 4) << 8;
  return Sized(5, columns * (At(b, 2) >= 32 ? 3 : 1), max_data);
}

// ESC & y c1 c2 [x d1 ... d(y*x)] for every character c1..c2.
EscPosExtent UserCharacters(std::string_view b) {
  if (b.size() < 5) return Need();
  const unsigned y = At(b, 2), first = At(b, 3), last = At(b, 4);
  if (y == 0 || y > 3 || last < first) return Unknown(2);
  size_t i = 5;
  for (unsigned c = first; c <= last; ++c) {
    if (i >= b.size()) return Need();
    i += 1 + size_t{y} * At(b, i);
  }
  return i <= b.size() ? EscPosExtent{Status::kComplete, i, 0} : Need();
}

// FS q n, then n images of xL xH yL yH and x * y * 8 bytes each.
EscPosExtent NvImages(std::string_view b, size_t max_data) {
  if (b.size() < 3) return Need();
  uint64_t total = 3;
  for (unsigned image = 0; image < At(b, 2); ++image) {
    if (b.size() < total + 4) return Need();
    const uint64_t x = At(b, total) | At(b, total + 1) << 8;
    const uint64_t y = At(b, total + 2) | At(b, total + 3) << 8;
    total += 4 + x * y * 8;
    if (total > max_data) return {Status::kTooLong, 0, static_cast<size_t>(total)};
  }
  return total <= b.size() ? EscPosExtent{Status::kComplete, static_cast<size_t>(total), 0}
                           : Need();
}

// GS v 0 m xL xH yL yH (and GS Q 0, its column-less twin): x bytes by y rows.
EscPosExtent Raster(std::string_view b, size_t max_data) {
  if (b.size() < 3) return Need();
  if (b[2] != '0') return Unknown(2);
  if (b.size() < 8) return Need();
  const uint64_t x = At(b, 4) | At(b, 5) << 8;
  const uint64_t y = At(b, 6) | At(b, 7) << 8;
  return Sized(8, x * y, max_data);
}

// GS k m: m 0..6 ends with NUL, m 65.. gives the length in its next byte.
EscPosExtent Barcode(std::string_view b, size_t max_data) {
  if (b.size() < 3) return Need();
  if (At(b, 2) <= 6) return NulTerminated(b, 3, 256);
  if (b.size() < 4) return Need();
  return Sized(4, At(b, 3), max_data);
}

EscPosExtent Esc(std::string_view b, size_t max_data) {
  switch (b[1]) {
    case '&':
      return UserCharacters(b);
    case '*':
      return BitImage(b, max_data);
    case 'D':
      return NulTerminated(b, 2, 33);
    case '(':
      return LengthPrefixed(b, max_data);
    default:
      return Unknown(2);
  }
}

EscPosExtent Gs(std::string_view b, size_t max_data) {
  const auto fixed_length = [&](size_t n) { return b.size() < n ? Need() : Sized(n, 0, max_data); };
  switch (b[1]) {
    case '(':
      return LengthPrefixed(b, max_data);
    case '*': {
      if (b.size() < 4) return Need();
      return Sized(4, uint64_t{At(b, 2)} * At(b, 3) * 8, max_data);
    }
    case '8': {
      if (b.size() < 7) return Need();
      if (b[2] != 'L') return Unknown(2);
      const uint64_t n = At(b, 3) | At(b, 4) << 8 | At(b, 5) << 16 | uint64_t{At(b, 6)} << 24;
      return Sized(7, n, max_data);
    }
    case 'C': {
      if (b.size() < 3) return Need();
      const uint8_t fn = At(b, 2);
      if (fn == '0' || fn == '2') return fixed_length(5);
      if (fn == '1') return fixed_length(9);
      return Unknown(2);
    }
    case 'V': {
      if (b.size() < 3) return Need();
      const uint8_t m = At(b, 2);
      return fixed_length(m == 65 || m == 66 || m == 97 || m == 98 || m == 103 || m == 104 ? 4 : 3);
    }
    case 'g':
      if (b.size() < 3) return Need();
      return b[2] == '0' || b[2] == '2' ? fixed_length(6) : Unknown(2);
    case 'k':
      return Barcode(b, max_data);
    case 'v':
    case 'Q':
      return Raster(b, max_data);
    default:
      return Unknown(2);
  }
}

EscPosExtent Fs(std::string_view b, size_t max_data) {
  switch (b[1]) {
    case '(':
      return LengthPrefixed(b, max_data);
    case '2':
      return b.size() < 4 ? Need() : Sized(4, 72, max_data);
    case 'q':
      return NvImages(b, max_data);
    default:
      return Unknown(2);
  }
}

// DLE EOT n [a], DLE ENQ n, DLE DC4 fn ...: the real-time commands.
EscPosExtent Dle(std::string_view b) {
  const auto fixed_length = [&](size_t n) {
    return b.size() < n ? Need() : EscPosExtent{Status::kComplete, n, 0};
  };
  switch (At(b, 1)) {
    case 0x04:
      if (b.size() < 3) return Need();
      return fixed_length(At(b, 2) == 7 || At(b, 2) == 8 ? 4 : 3);
    case 0x05:
      return fixed_length(3);
    case 0x14: {
      if (b.size() < 3) return Need();
      static constexpr size_t kLengths[] = {3, 5, 5, 5, 3, 3, 3, 4, 9};
      return fixed_length(At(b, 2) < 9 ? kLengths[At(b, 2)] : 3);
    }
    default:
      return Unknown(1);  // a stray DLE: only it is dropped
  }
}

}  // namespace

bool IsEscPosIntroducer(unsigned char c) {
  return c == kEsc || c == kFs || c == kGs || c == kDle;
}

EscPosExtent MeasureEscPos(std::string_view bytes, size_t max_data) {
  if (bytes.size() < 2) return Need();
  const auto lead = static_cast<unsigned char>(bytes[0]);
  if (lead == kDle) return Dle(bytes);
  for (const Fixed &f : kFixed) {
    if (f.lead == lead && static_cast<char>(f.code) == bytes[1]) {
      if (bytes.size() < 2u + f.params) return Need();
      return {Status::kComplete, 2u + f.params, 0};
    }
  }
  switch (lead) {
    case kEsc:
      return Esc(bytes, max_data);
    case kGs:
      return Gs(bytes, max_data);
    case kFs:
      return Fs(bytes, max_data);
    default:
      return Unknown(1);
  }
}

}  // namespace ravo::sim
