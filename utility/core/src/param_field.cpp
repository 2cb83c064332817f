#include "param_field.h"

#include <algorithm>

#include "mdl_function.h"

namespace ravo::utility::param {
namespace {

constexpr int kHeatLowest = -50;
constexpr int kHeatStep = 5;
constexpr int kHeatEntries = 21;
constexpr int kCharacterSets = 16;
constexpr int kLowestSpeed = 2;
constexpr int kNumberTop = 255;

int ClampIndex(int index, int count) {
  return index >= 0 && index < count ? index : 0;
}

FieldError WholeNumberError(const QString &text) {
  return FieldError{FieldError::NotWholeNumber, text, {}, {}, {}};
}

FieldError RangeError(const QString &text, int64_t low, int64_t high) {
  return FieldError{FieldError::OutOfRange, text, QString::number(low), QString::number(high), {}};
}

// A whole number for a field stored in `top`-bounded form: clamped fields
// take the ends of their range, others must fit.
FieldError CheckedNumber(const FieldSpec &field, const QString &text, int storageTop, int &value) {
  const std::optional<int64_t> parsed = ParseWholeNumber(text);
  if (!parsed) return WholeNumberError(text);
  int64_t v = *parsed;
  if (field.clampTop > 0) v = std::clamp<int64_t>(v, 0, field.clampTop);
  if (v < 0 || v > storageTop) return RangeError(text, 0, storageTop);
  value = static_cast<int>(v);
  return {};
}

FieldError EncodeAddress(const FieldSpec &field, const QString &text, ParameterBlock &block) {
  const QStringList parts = mdlFunction::SplitString(text.trimmed(), u'.');
  if (parts.size() != 4) return FieldError{FieldError::NotAddress, text, {}, {}, {}};
  uint8_t bytes[4];
  for (int i = 0; i < 4; ++i) {
    const std::optional<int64_t> part = ParseWholeNumber(parts[i]);
    if (!part) return WholeNumberError(parts[i]);
    if (*part < 0 || *part > kNumberTop) return RangeError(parts[i], 0, kNumberTop);
    bytes[i] = static_cast<uint8_t>(*part);
  }
  std::copy(bytes, bytes + 4, block.begin() + field.offset);
  return {};
}

QString StripCaption(QString caption) {
  caption = caption.trimmed();
  while (caption.endsWith(u':') || caption.endsWith(QChar(0xFF1A))) caption.chop(1);
  return caption.trimmed();
}

}  // namespace

int WidthOf(Encoding encoding) {
  switch (encoding) {
    case Encoding::HeatAdjust:
    case Encoding::Length:
    case Encoding::GapVoltage:
      return 2;
    case Encoding::Address:
      return 4;
    default:
      return 1;
  }
}

bool IsChoice(Encoding encoding) {
  switch (encoding) {
    case Encoding::Length:
    case Encoding::Number:
    case Encoding::GapVoltage:
    case Encoding::Address:
      return false;
    default:
      return true;
  }
}

QStringList ListEntries(const FieldSpec &field, const MapContext &context) {
  QStringList entries;
  switch (field.encoding) {
    case Encoding::Speed:
      for (int s = kLowestSpeed; s <= context.topSpeed; ++s) entries << QString::number(s);
      break;
    case Encoding::CodePage:
      entries = mdlFunction::FillCodePageList();
      break;
    case Encoding::CharacterSet:
      entries = mdlFunction::InternationalCharacterList();
      if (field.emptyLast) entries << QString();
      break;
    case Encoding::HeatAdjust:
      for (int i = 0; i < kHeatEntries; ++i)
        entries << QString::number(kHeatLowest + i * kHeatStep);
      break;
    default:
      for (const char *item : field.items) entries << QString::fromUtf8(item);
      break;
  }
  return entries;
}

int DecodeChoice(const FieldSpec &field, const ParameterBlock &block, const MapContext &context) {
  const uint8_t b = block[field.offset];
  const int count = static_cast<int>(ListEntries(field, context).size());
  switch (field.encoding) {
    case Encoding::OnOff:
      return b != 0 ? 1 : 0;
    case Encoding::Speed:
      return ClampIndex(b - kLowestSpeed, count);
    case Encoding::CodePage:
      return CodePageIndexOf(b);
    case Encoding::PaperPlusOne:
      return ClampIndex(b - 1, count);
    case Encoding::HeatAdjust: {
      const int value = DecodeHeat(b, block[field.offset + 1]);
      if ((value - kHeatLowest) % kHeatStep != 0) return 0;
      return ClampIndex((value - kHeatLowest) / kHeatStep, count);
    }
    default:
      return ClampIndex(b, count);
  }
}

void EncodeChoice(const FieldSpec &field, int index, ParameterBlock &block) {
  index = std::max(index, 0);
  uint8_t &b = block[field.offset];
  switch (field.encoding) {
    case Encoding::Speed:
      b = static_cast<uint8_t>(index + kLowestSpeed);
      break;
    case Encoding::CodePage:
      b = CodePageNumberAt(index);
      break;
    case Encoding::CharacterSet:
      b = static_cast<uint8_t>(index < kCharacterSets ? index : 0);
      break;
    case Encoding::PaperPlusOne:
      b = static_cast<uint8_t>(index + 1);
      break;
    case Encoding::PaperKind:
      b = index < static_cast<int>(field.kinds.size()) ? field.kinds[index] : 0;
      break;
    case Encoding::HeatAdjust:
      EncodeHeat(kHeatLowest + index * kHeatStep, block[field.offset], block[field.offset + 1]);
      break;
    default:
      b = static_cast<uint8_t>(index);
      break;
  }
}

QString DecodeText(const FieldSpec &field, const ParameterBlock &block, const QLocale &locale) {
  const int at = field.offset;
  switch (field.encoding) {
    case Encoding::Length:
      return QString::number(DecodeLengthMm(ReadU16(block, at)));
    case Encoding::Number:
      return QString::number(block[at]);
    case Encoding::GapVoltage:
      return RawToVoltsText(ReadU16(block, at), locale);
    case Encoding::Address:
      return QStringLiteral("%1.%2.%3.%4")
          .arg(block[at])
          .arg(block[at + 1])
          .arg(block[at + 2])
          .arg(block[at + 3]);
    default:
      return {};
  }
}

FieldError EncodeText(const FieldSpec &field, const QString &text, ParameterBlock &block,
                      const QLocale &locale) {
  int value = 0;
  switch (field.encoding) {
    case Encoding::Length:
      if (FieldError e = CheckedNumber(field, text, kMaxStoredLengthMm, value); !e.ok()) return e;
      WriteU16(block, field.offset, EncodeLengthMm(value));
      return {};
    case Encoding::Number:
      if (FieldError e = CheckedNumber(field, text, kNumberTop, value); !e.ok()) return e;
      block[field.offset] = static_cast<uint8_t>(value);
      return {};
    case Encoding::GapVoltage: {
      const std::optional<double> volts = ParseDecimal(text, locale);
      if (!volts) return FieldError{FieldError::NotANumber, text, {}, {}, {}};
      if (*volts < 0 || *volts > kGapReferenceVolts) {
        return FieldError{FieldError::OutOfRange,
                          text,
                          QStringLiteral("0"),
                          locale.toString(kGapReferenceVolts, 'g', 6),
                          {}};
      }
      WriteU16(block, field.offset, VoltsToRaw(*volts));
      return {};
    }
    case Encoding::Address:
      return EncodeAddress(field, text, block);
    default:
      return FieldError{FieldError::UnknownEntry, text, {}, {}, {}};
  }
}

FieldError ClampText(const FieldSpec &field, QString &text) {
  if (field.clampTop <= 0) return {};
  const std::optional<int64_t> value = ParseWholeNumber(text);
  if (!value) return WholeNumberError(text);
  if (*value > field.clampTop) text = QString::number(field.clampTop);
  if (*value < 0) text = QStringLiteral("0");
  return {};
}

QString FieldError::Describe(const QString &caption) const {
  const QString name = StripCaption(caption);
  switch (kind) {
    case None:
      return {};
    case NotWholeNumber:
      return QStringLiteral("%1: '%2' is not a valid whole number.").arg(name, text);
    case NotANumber:
      return QStringLiteral("%1: '%2' is not a valid number.").arg(name, text);
    case OutOfRange:
      return QStringLiteral("%1: %2 is outside the range %3 to %4.")
          .arg(name, text, minimum, maximum);
    case NotAddress:
      return QStringLiteral("%1: '%2' is not four numbers joined by dots.").arg(name, text);
    case UnknownEntry:
      if (allowed.isEmpty())
        return QStringLiteral("%1: '%2' is not one of the choices.").arg(name, text);
      return QStringLiteral("%1: '%2' is not one of %3.")
          .arg(name, text, allowed.join(QStringLiteral(", ")));
    case UnknownField:
      return QStringLiteral("There is no parameter named '%1'.").arg(name);
  }
  return {};
}

}  // namespace ravo::utility::param
