#include "label_job.h"

namespace ravo::utility {

namespace {

QString SizeOrLowest(const QString &text) {
  QString trimmed = text.trimmed();
  return trimmed.isEmpty() ? QString::number(kLowestLabelSize) : trimmed;
}

bool AllDigits(const QString &text) {
  if (text.isEmpty()) return false;
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

}  // namespace

bool IsNumberBoxKey(QChar key) {
  ushort code = key.unicode();
  return (code >= '0' && code <= '9') || code == 8 || code == 13 || code == 127;
}

QString ClampSizeText(const QString &text, int highest) {
  QString trimmed = text.trimmed();
  if (!AllDigits(trimmed)) return QString::number(kLowestLabelSize);
  bool fits = false;
  qlonglong value = trimmed.toLongLong(&fits);
  if (!fits || value > highest) value = highest;  // too many digits is too large
  if (value < kLowestLabelSize) value = kLowestLabelSize;
  return QString::number(value);
}

QStringList LabelJobCommands(const QString &width, const QString &height, const QString &text) {
  QStringList commands{
      QStringLiteral("CLS"),
      QStringLiteral("SIZE %1 mm,%2 mm").arg(SizeOrLowest(width), SizeOrLowest(height))};
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  int y = 10;
  for (const QString &line : lines.split(QLatin1Char('\n'))) {
    // Concatenated, so that "%1" or "{2}" typed in a line stays as typed.
    commands += QStringLiteral("TEXT 10,%1,\"5\",0,1,1,\"").arg(y) + line + QLatin1Char('"');
    y += 30;
  }
  commands += QStringLiteral("PRINT 1");
  return commands;
}

}  // namespace ravo::utility
