#include "firmware_update.h"

#include <QRegularExpression>
#include <QStandardPaths>

namespace ravo::utility {

QString FindDfuUtil() {
  return QStandardPaths::findExecutable(QStringLiteral("dfu-util"));
}

QStringList DfuUtilArguments(const QString &firmwareFile) {
  return {QStringLiteral("--wait"), QStringLiteral("--download"), firmwareFile};
}

std::optional<int> DfuProgressPercent(const QString &output) {
  static const QRegularExpression percent(QStringLiteral("\\b(\\d{1,3})%"));
  std::optional<int> last;
  for (auto it = percent.globalMatch(output); it.hasNext();) {
    const int value = it.next().captured(1).toInt();
    if (value <= 100) last = value;
  }
  return last;
}

QString DfuOutputForLog(const QString &output) {
  QStringList lines;
  for (const QString &line : QString(output)
                                 .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                 .split(QLatin1Char('\n'))) {
    lines << line.section(QLatin1Char('\r'), -1, -1, QString::SectionSkipEmpty);
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace ravo::utility
