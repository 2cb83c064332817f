#include "mdl_global_selected_printer.h"

#include "mdl_global.h"

namespace mdlGlobal {

ravo::utility::PrinterTarget SelectedPrinter(ravo::utility::PrinterLibrary library) {
  return {SelectedPort, SelectedModel, SelectedPrinterType, library};
}

}  // namespace mdlGlobal
