// The PAPPL driver callbacks: set up a printer for a model, pick a driver
// for a discovered device, keep supplies and state reasons current and make
// a TSPL printer beep when asked to identify itself.
#pragma once

#include <pappl/pappl.h>

#include <vector>

namespace ravo::app {

// The driver list for papplSystemSetPrinterDrivers / papplMainloop.
std::vector<pappl_pr_driver_t> PapplDrivers();

bool SetUpDriver(pappl_system_t *system, const char *driverName, const char *deviceUri,
                 const char *deviceId, pappl_pr_driver_data_t *data, ipp_t **attrs, void *);

const char *PickDriver(const char *deviceInfo, const char *deviceUri, const char *deviceId, void *);

void PrinterCreated(pappl_printer_t *printer, void *);

}  // namespace ravo::app
