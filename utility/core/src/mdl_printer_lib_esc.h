// The utility's binding of libegret: the one ESC printer handle, used by the
// command test and plain print-text windows.
#pragma once

#include <QString>
#include <cstdint>

#include "prt.h"
#include "prt_library.h"

namespace mdlPrinterLib_ESC {

// libegret's Prt functions.
const ravo::utility::PrtLibrary &Egret();

int32_t EscCreatePrinter(const QString &model);
// -6 without calling the library when no handle is held.
int32_t EscOpenPort(const QString &port);
int32_t EscClosePort();
int32_t EscWriteData(const uint8_t *bytes, int32_t count);
int32_t EscReadData(uint8_t *buffer, int32_t length, int32_t &count);
int32_t EscReadRetry(uint8_t *buffer, int32_t length, int32_t &count, int pauseMs, int attempts);

PrtHandle EscHandle();

}  // namespace mdlPrinterLib_ESC
