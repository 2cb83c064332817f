// The utility's binding of libheron, the TSPL library: its Prt functions,
// looked up in the library itself (prt_library.h).  Conversations reach it
// through PrinterLink; the TSPL_ functions, which only libheron exports,
// are called directly (heron.h).
#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "prt_library.h"

namespace mdlPrinterLib_TSPL {

// libheron's Prt functions.
const ravo::utility::PrtLibrary &Heron();

// libheron's English text for a result code (empty when it has none).
std::string ErrorText(int32_t code);

// libheron's text for a result code in Chinese (chinese) or English.
QString ErrorMessage(int32_t code, bool chinese);

}  // namespace mdlPrinterLib_TSPL
