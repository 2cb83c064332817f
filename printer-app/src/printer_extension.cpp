#include "printer_extension.h"

#include "printer_status.h"

namespace ravo::app {

PrinterExtension *ExtensionOf(pappl_printer_t *printer) {
  pappl_pr_driver_data_t data;
  if (printer == nullptr || papplPrinterGetDriverData(printer, &data) == nullptr) return nullptr;
  return static_cast<PrinterExtension *>(data.extension);
}

bool ShouldAskStatus(const PrinterExtension *extension, pappl_printer_t *printer) {
  return extension != nullptr && extension->driver->language == Language::kTspl &&
         extension->statusQuery != StatusQuery::kSilent &&
         CanAnswer(papplPrinterGetDeviceURI(printer));
}

}  // namespace ravo::app
