// The utility's binding of libheron: the one TSPL printer handle and the
// calls made on it.  Each returns the library's result code (0 = success).
#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "prt.h"
#include "prt_library.h"

namespace mdlPrinterLib_TSPL {

// libheron's Prt functions.
const ravo::utility::PrtLibrary &Heron();

// libheron's English text for a result code (empty when it has none).
std::string ErrorText(int32_t code);

// Replaces the held handle with one for the model (the old one is destroyed).
int32_t TsplCreatePrinter(const QString &model);
// -6 without calling the library when no handle is held.
int32_t TsplOpenPort(const QString &port);
int32_t TsplClosePort();
int32_t TsplWriteData(const uint8_t *bytes, int32_t count);
int32_t TsplReadData(uint8_t *buffer, int32_t length, int32_t &count);
int32_t TsplReadDataEOF(uint8_t *buffer, int32_t start, int32_t end, uint8_t beginByte,
                        uint8_t endByte, int32_t &stored);
// Up to `attempts` reads for the bytes still missing, pauseMs after each
// read that leaves bytes missing; count <= length; last read's code.
int32_t TsplReadRetry(uint8_t *buffer, int32_t length, int32_t &count, int pauseMs, int attempts);
// TSPL_SelfTest on the held handle (SELFTEST).
int32_t TsplSelfTest();
// TSPL_GetSN into a caller's area of at least 32 bytes.
int32_t TsplGetSN(char *serial32);

// The held handle (null before the first successful TsplCreatePrinter).
PrtHandle TsplHandle();

}  // namespace mdlPrinterLib_TSPL
