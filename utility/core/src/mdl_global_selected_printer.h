// The printer the main window has selected, as a conversation's target.
// Windows pass it to PrinterService; conversations never read the
// selection themselves.
#pragma once

#include "printer_link.h"

namespace mdlGlobal {

// SelectedPort, SelectedModel and SelectedPrinterType for the library.
ravo::utility::PrinterTarget SelectedPrinter(
    ravo::utility::PrinterLibrary library = ravo::utility::PrinterLibrary::Tspl);

}  // namespace mdlGlobal
