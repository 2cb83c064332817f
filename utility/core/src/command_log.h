// The command test window's log of what the printer sent: every arrival
// stamped with its time, sixteen bytes a line as hexadecimal with the same
// bytes as ASCII beside them (a dot for anything that is not printable).
#pragma once

#include <QByteArray>
#include <QString>
#include <QTime>

namespace ravo::utility {

inline constexpr int kLogBytesPerLine = 16;

// "10:15:02.123  41 42 0D 0A ...  AB.." plus further lines of sixteen bytes
// indented under the first; every line ends with a line break.
QString ReceivedLogEntry(const QTime &time, const QByteArray &bytes);

// "10:15:02.123  text" and a line break, for what is not bytes.
QString LogNote(const QTime &time, const QString &text);

}  // namespace ravo::utility
