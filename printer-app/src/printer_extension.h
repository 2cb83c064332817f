// What the application keeps per printer, hung on PAPPL's driver data.
#pragma once

#include <pappl/pappl.h>

#include <atomic>

#include "device_turn.h"
#include "job_claim.h"
#include "job_order.h"
#include "model_drivers.h"

namespace ravo::app {

enum class StatusQuery { kUntried, kAnswered, kSilent };

struct PrinterExtension {
  const ModelDriver *driver = nullptr;
  // Whether the printer answers the TSPL status query; a printer that
  // stayed silent once is not asked again (each try costs a read timeout).
  std::atomic<StatusQuery> statusQuery{StatusQuery::kUntried};
  ArrivalOrder order;
  DeviceQueue device;
  JobClaims claims;
};

// The printer's extension, or nullptr for a printer of another driver.
PrinterExtension *ExtensionOf(pappl_printer_t *printer);

// Whether to send the printer the TSPL status query: a TSPL model, not
// known to stay silent, on a device that can answer (not a parallel port).
bool ShouldAskStatus(const PrinterExtension *extension, pappl_printer_t *printer);

}  // namespace ravo::app
