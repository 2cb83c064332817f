// The system's serial and parallel ports under the names the printer
// dialog shows: "COM1:" for /dev/ttyS0, "ttyUSB0:" for other serial
// devices, "LPT1:" for /dev/lp0.  Kept apart from EnumPortNames so that the
// port library's own enumeration can replace it in one place.
#pragma once

#include <QStringList>

namespace ucore {

// Display name of a serial device path ("/dev/ttyS2" -> "COM3:").
QString SerialPortDisplayName(const QString &devicePath);

// Display name of a parallel device path ("/dev/lp0" -> "LPT1:"); empty for
// a path that is not /dev/lpN.
QString ParallelPortDisplayName(const QString &devicePath);

QStringList SystemSerialPorts();
QStringList SystemParallelPorts();

}  // namespace ucore
