// The utility's binding of libegret, the library for printers in ESC mode:
// its Prt functions, looked up in the library itself (prt_library.h).
// Conversations reach it through PrinterLink with PrinterLibrary::Esc.
#pragma once

#include "prt_library.h"

namespace mdlPrinterLib_ESC {

// libegret's Prt functions.
const ravo::utility::PrtLibrary &Egret();

}  // namespace mdlPrinterLib_ESC
