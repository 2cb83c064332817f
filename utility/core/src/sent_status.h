// The status line a window shows after it sent something to a printer
// that does not answer (a test print, a configuration page, auto-learn, a
// factory reset), so that the user sees that something happened and what.
#pragma once

#include <QString>
#include <QTime>

#include "printer_link.h"
#include "printer_service.h"

namespace ravo::utility {

enum class SentAction { ConfigurationPrint, AutoLearn, FactoryReset, TestLabel, TestText };

// "{time}  {action} sent to {printer}: {what}" in the chosen language
// (key "_Sent_Status"), the printer named by its entry and port.
QString SentStatus(SentAction action, const QString &what, const PrinterTarget &printer,
                   const QTime &time = QTime::currentTime());

// What a device command puts on the wire, as the status line names it:
// "SELFTEST", "1D 28 41 02 00 00 02", "ZZZLEARN", "1B 21 52".
QString DeviceCommandShown(SentAction action, CommandSet commandSet);

// Lines of a typed text as the print windows send them (CR LF and LF end
// a line; a final line break adds an empty line).
int TextLineCount(const QString &text);

// "{lines} line(s) on a {width} × {height} mm label" ("_Sent_LabelLines").
QString LabelLinesShown(int lines, const QString &width, const QString &height);
// "{lines} line(s)" ("_Sent_TextLines").
QString TextLinesShown(int lines);

}  // namespace ravo::utility
