#include "sent_status.h"

#include "mdl_global.h"

namespace ravo::utility {
namespace {

struct ActionRow {
  SentAction action;
  const char *key;
};

constexpr ActionRow kActions[] = {
    {SentAction::ConfigurationPrint, "_Sent_ConfigurationPrint"},
    {SentAction::AutoLearn, "_Sent_AutoLearn"},
    {SentAction::FactoryReset, "_Sent_FactoryReset"},
    {SentAction::TestLabel, "_Sent_TestLabel"},
    {SentAction::TestText, "_Sent_TestText"},
};

QString ActionText(SentAction action) {
  for (const ActionRow &row : kActions) {
    if (row.action == action) return mdlGlobal::GetLangString(QLatin1String(row.key));
  }
  return {};
}

QString PrinterName(const PrinterTarget &printer) {
  if (printer.printerType.isEmpty()) return printer.port;
  return printer.printerType + QStringLiteral(" (") + printer.port + QLatin1Char(')');
}

}  // namespace

QString SentStatus(SentAction action, const QString &what, const PrinterTarget &printer,
                   const QTime &time) {
  QString status = mdlGlobal::GetLangString(QStringLiteral("_Sent_Status"));
  status.replace(QLatin1String("{time}"), time.toString(QStringLiteral("HH:mm:ss")));
  status.replace(QLatin1String("{action}"), ActionText(action));
  status.replace(QLatin1String("{printer}"), PrinterName(printer));
  status.replace(QLatin1String("{what}"), what);
  return status;
}

QString DeviceCommandShown(SentAction action, CommandSet commandSet) {
  switch (action) {
    case SentAction::ConfigurationPrint:
      return commandSet == CommandSet::Zzz ? QStringLiteral("SELFTEST")
                                           : QStringLiteral("1D 28 41 02 00 00 02");
    case SentAction::AutoLearn:
      return QStringLiteral("ZZZLEARN");
    case SentAction::FactoryReset:
      return QStringLiteral("1B 21 52");
    default:
      return {};
  }
}

int TextLineCount(const QString &text) {
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return int(lines.count(QLatin1Char('\n'))) + 1;
}

QString LabelLinesShown(int lines, const QString &width, const QString &height) {
  QString shown = mdlGlobal::GetLangString(QStringLiteral("_Sent_LabelLines"));
  shown.replace(QLatin1String("{lines}"), QString::number(lines));
  shown.replace(QLatin1String("{width}"), width);
  shown.replace(QLatin1String("{height}"), height);
  return shown;
}

QString TextLinesShown(int lines) {
  QString shown = mdlGlobal::GetLangString(QStringLiteral("_Sent_TextLines"));
  shown.replace(QLatin1String("{lines}"), QString::number(lines));
  return shown;
}

}  // namespace ravo::utility
