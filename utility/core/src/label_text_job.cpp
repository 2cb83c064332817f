#include "label_text_job.h"

#include "text_codec.h"

namespace ravo::utility {
namespace {

QString SizeOrLowest(const QString &text) {
  const QString trimmed = text.trimmed();
  return trimmed.isEmpty() ? QString::number(kLowestLabelSize) : trimmed;
}

bool AllDigits(const QString &text) {
  if (text.isEmpty()) return false;
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

QString CodePointName(char32_t c) {
  return QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
}

// The first control character other than a line feed, if any.
std::optional<char32_t> ControlCharacter(const QString &lines) {
  for (char32_t c : lines.toUcs4()) {
    if ((c < 0x20 && c != U'\n') || (c >= 0x7F && c < 0xA0)) return c;
  }
  return std::nullopt;
}

}  // namespace

QString ClampSizeText(const QString &text, int highest) {
  const QString trimmed = text.trimmed();
  if (!AllDigits(trimmed)) return QString::number(kLowestLabelSize);
  bool fits = false;
  qlonglong value = trimmed.toLongLong(&fits);
  if (!fits || value > highest) value = highest;  // too many digits is too large
  if (value < kLowestLabelSize) value = kLowestLabelSize;
  return QString::number(value);
}

QString EscapeTsplString(const QString &text) {
  QString escaped = text;
  escaped.replace(QLatin1Char('"'), QLatin1String("\\[\"]"));
  return escaped;
}

ServiceAnswer<QList<QByteArray>> LabelTextJob(const QString &width, const QString &height,
                                              const QString &text, Unprintable unprintable) {
  ServiceAnswer<QList<QByteArray>> job;
  if (text.trimmed().isEmpty()) {
    job.result = Failure(ServiceMessage::EmptyText);
    return job;
  }
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  // A CR would end the TEXT command and start another with the rest.
  if (const auto control = ControlCharacter(lines)) {
    job.result = Failure(ServiceMessage::TextControl, 0, CodePointName(*control));
    return job;
  }
  QStringList commands{
      QStringLiteral("CLS"),
      QStringLiteral("SIZE %1 mm,%2 mm").arg(SizeOrLowest(width), SizeOrLowest(height))};
  int y = kLabelTextTop;
  for (const QString &line : lines.split(QLatin1Char('\n'))) {
    // Concatenated, so that "%1" typed in a line stays as typed.
    commands +=
        QStringLiteral("TEXT 10,%1,\"%2\",0,1,1,\"").arg(y).arg(QLatin1String(kLabelTextFont)) +
        EscapeTsplString(line) + QLatin1Char('"');
    y += kLabelTextFontHeight;
  }
  commands += QStringLiteral("PRINT 1");
  for (const QString &command : commands) {
    QByteArray bytes;
    if (unprintable == Unprintable::Replace) {
      bytes = ToAnsi(command);
    } else if (!QStringToAnsi(command, bytes)) {
      job.result =
          Failure(ServiceMessage::TextCodePage, 0, UnprintableCharacters(command).value(0));
      job.value.clear();
      return job;
    }
    job.value += bytes;
  }
  return job;
}

}  // namespace ravo::utility
