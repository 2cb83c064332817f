#include "param_codec.h"

#include <cfenv>
#include <cmath>

#include "mdl_function.h"

namespace ravo::utility::param {

uint16_t ReadU16(const ParameterBlock &block, int offset) {
  return static_cast<uint16_t>(block[offset] | (block[offset + 1] << 8));
}

void WriteU16(ParameterBlock &block, int offset, uint16_t value) {
  block[offset] = static_cast<uint8_t>(value & 0xFF);
  block[offset + 1] = static_cast<uint8_t>(value >> 8);
}

int DecodeHeat(uint8_t low, uint8_t high) {
  return high != 0 ? low - 256 : low;
}

void EncodeHeat(int value, uint8_t &low, uint8_t &high) {
  low = static_cast<uint8_t>(value & 0xFF);
  high = value < 0 ? 0xFF : 0x00;
}

int DecodeLengthMm(uint16_t dots) {
  return dots >> 3;
}

uint16_t EncodeLengthMm(int mm) {
  return static_cast<uint16_t>(mm * kDotsPerMm);
}

uint16_t VoltsToRaw(double volts) {
  // nearbyint follows the rounding mode, which is to-nearest-even unless
  // someone changed it; make sure of it for this one call.
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double raw = std::nearbyint(volts * 4096.0 / kGapReferenceVolts);
  std::fesetround(saved);
  return static_cast<uint16_t>(raw);
}

QString RawToVoltsText(uint16_t raw, const QLocale &locale) {
  const double volts = mdlFunction::RoundDecimals(raw * kGapReferenceVolts / 4096.0, 1);
  // 'g' with enough digits drops trailing zeros: 1.0 -> "1", 1.5 -> "1.5".
  return locale.toString(volts, 'g', 6);
}

std::optional<double> ParseDecimal(const QString &text, const QLocale &locale) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  bool ok = false;
  double value = locale.toDouble(trimmed, &ok);
  if (!ok) value = QLocale::c().toDouble(trimmed, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

int CodePageIndexOf(uint8_t number) {
  const auto table = mdlFunction::CodePageTable();
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].number == number) return static_cast<int>(i);
  }
  return 0;
}

uint8_t CodePageNumberAt(int index) {
  const auto table = mdlFunction::CodePageTable();
  if (index < 0 || index >= static_cast<int>(table.size())) return 0;
  return static_cast<uint8_t>(table[index].number);
}

std::optional<int64_t> ParseWholeNumber(const QString &text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty() || trimmed.size() > 12) return std::nullopt;
  int start = (trimmed[0] == u'-' || trimmed[0] == u'+') ? 1 : 0;
  if (start == trimmed.size()) return std::nullopt;
  for (int i = start; i < trimmed.size(); ++i) {
    if (trimmed[i] < u'0' || trimmed[i] > u'9') return std::nullopt;
  }
  return trimmed.toLongLong();
}

}  // namespace ravo::utility::param
