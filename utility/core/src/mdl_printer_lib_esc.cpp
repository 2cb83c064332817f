#include "mdl_printer_lib_esc.h"

namespace mdlPrinterLib_ESC {

const ravo::utility::PrtLibrary &Egret() {
  static const ravo::utility::PrtLibrary library = ravo::utility::BindPrtLibrary(RAVO_EGRET_FILE);
  return library;
}

}  // namespace mdlPrinterLib_ESC
