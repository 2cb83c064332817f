// How the printer stores single parameter values in its 256-byte block.
// Multi-byte values are little-endian.  Pure functions, no Qt widgets.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

#include "param_block.h"

namespace ravo::utility::param {

uint16_t ReadU16(const ParameterBlock &block, int offset);
void WriteU16(ParameterBlock &block, int offset, uint16_t value);

// Heat adjustment: low byte = the value's low 8 bits, high byte 0xFF for a
// negative value, else 0x00.  Any nonzero high byte reads as negative.
int DecodeHeat(uint8_t low, uint8_t high);
void EncodeHeat(int value, uint8_t &low, uint8_t &high);

// Lengths are stored in printer dots, 8 per millimetre; shown in whole
// millimetres, truncated.
inline constexpr int kDotsPerMm = 8;
inline constexpr int kMaxStoredLengthMm = 0xFFFF / kDotsPerMm;  // 8191
int DecodeLengthMm(uint16_t dots);
uint16_t EncodeLengthMm(int mm);

// Gap voltage: raw = volts × 4096 / 3.3, the printer's 12-bit converter
// against its 3.3 V reference.
inline constexpr double kGapReferenceVolts = 3.3;
// Rounds halves to the even neighbour; volts must lie in 0 ... 3.3.
uint16_t VoltsToRaw(double volts);
// raw × 3.3 / 4096 to one decimal place, without trailing zeros ("1.5",
// "2", "0"), in the locale's number format.
QString RawToVoltsText(uint16_t raw, const QLocale &locale = QLocale::c());
// The decimal number in text (locale format first, then plain C format);
// nothing when it is not a number.
std::optional<double> ParseDecimal(const QString &text, const QLocale &locale = QLocale::c());

// Code page: the block stores the printer's number, the list shows the
// names of mdlFunction::CodePageTable.  Number to list position takes the
// first row with that number ("Default" for 0); unknown numbers give 0.
int CodePageIndexOf(uint8_t number);
uint8_t CodePageNumberAt(int index);

// A whole decimal number (optional sign, digits only); nothing otherwise.
std::optional<int64_t> ParseWholeNumber(const QString &text);

}  // namespace ravo::utility::param
