// Firmware is written with dfu-util (Debian package dfu-util) once the
// printer has been switched to its firmware-download mode.  The window
// runs the program; what to run and how to read its output lives here.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace ravo::utility {

// dfu-util found on PATH; empty when it is not installed.
QString FindDfuUtil();

// The arguments for writing a firmware file: wait for the printer to come
// back as a DFU device, then download the file to it.
QStringList DfuUtilArguments(const QString &firmwareFile);

// The last percentage dfu-util reported in its output ("Download [===  ]
// 45%"), nothing when it reported none.
std::optional<int> DfuProgressPercent(const QString &output);

// dfu-util redraws its progress line with carriage returns; the log shows
// the last state of each line.
QString DfuOutputForLog(const QString &output);

}  // namespace ravo::utility
