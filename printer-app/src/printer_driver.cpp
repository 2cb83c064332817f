#include "printer_driver.h"

#include <array>
#include <cstring>

#include "device_io.h"
#include "driver_data.h"
#include "printer_extension.h"
#include "printer_status.h"
#include "raster_job.h"
#include "raw_job.h"

namespace ravo::app {
namespace {

constexpr std::string_view kBeep = "SOUND 5,200\r\n";

void DeletePrinter(pappl_printer_t *, pappl_pr_driver_data_t *data) {
  delete static_cast<PrinterExtension *>(data->extension);
  data->extension = nullptr;
}

// Labels always; ribbon for the thermal-transfer TSPL models, whose status
// byte reports it.  Levels are unknown (-1) until the printer says empty.
void SetSupplies(pappl_printer_t *printer, const ModelDriver &driver, pappl_preason_t reasons) {
  std::array<pappl_supply_t, 2> supplies{};
  auto fill = [&](pappl_supply_t &s, const char *what, pappl_supply_type_t type, bool empty) {
    s.color = type == PAPPL_SUPPLY_TYPE_INK_RIBBON ? PAPPL_SUPPLY_COLOR_BLACK
                                                   : PAPPL_SUPPLY_COLOR_NO_COLOR;
    papplCopyString(s.description, what, sizeof s.description);
    s.is_consumed = true;
    s.level = empty ? 0 : -1;
    s.type = type;
  };
  const bool labels = driver.language != Language::kEsc;
  fill(supplies[0], labels ? "Labels" : "Paper", PAPPL_SUPPLY_TYPE_OTHER,
       (reasons & PAPPL_PREASON_MEDIA_EMPTY) != 0);
  const bool ribbon = driver.language == Language::kTspl;
  if (ribbon) {
    fill(supplies[1], "Ribbon", PAPPL_SUPPLY_TYPE_INK_RIBBON,
         (reasons & PAPPL_PREASON_MARKER_SUPPLY_EMPTY) != 0);
  }
  papplPrinterSetSupplies(printer, ribbon ? 2 : 1, supplies.data());
}

// Asks a TSPL printer for its state when PAPPL wants fresh status; a
// printer busy with a job is left alone (the job asks it itself).
bool UpdateStatus(pappl_printer_t *printer) {
  PrinterExtension *extension = ExtensionOf(printer);
  if (!ShouldAskStatus(extension, printer)) return true;
  pappl_device_t *device = papplPrinterOpenDevice(printer);
  if (device == nullptr) return true;
  const StatusAnswer answer = QueryTsplStatus(device);
  papplPrinterCloseDevice(printer);
  if (answer.status) {
    extension->statusQuery = StatusQuery::kAnswered;
    const pappl_preason_t reasons = ReasonsForTsplStatus(*answer.status);
    papplPrinterSetReasons(printer, reasons, kStatusReasons & ~reasons);
    SetSupplies(printer, *extension->driver, reasons);
  } else if (answer.reached && extension->statusQuery == StatusQuery::kUntried) {
    extension->statusQuery = StatusQuery::kSilent;
  }
  return true;
}

void Identify(pappl_printer_t *printer, pappl_identify_actions_t actions, const char *) {
  if ((actions & PAPPL_IDENTIFY_ACTIONS_SOUND) == 0) return;
  pappl_device_t *device = papplPrinterOpenDevice(printer);
  if (device == nullptr) return;
  WriteFully(device, std::span(reinterpret_cast<const uint8_t *>(kBeep.data()), kBeep.size()));
  papplPrinterCloseDevice(printer);
}

}  // namespace

std::vector<pappl_pr_driver_t> PapplDrivers() {
  std::vector<pappl_pr_driver_t> drivers;
  for (const ModelDriver &driver : ModelDrivers()) {
    drivers.push_back(
        {driver.name.c_str(), driver.description.c_str(), driver.deviceId.c_str(), nullptr});
  }
  return drivers;
}

bool SetUpDriver(pappl_system_t *, const char *driverName, const char *, const char *,
                 pappl_pr_driver_data_t *data, ipp_t **attrs, void *) {
  const ModelDriver *driver = FindDriver(driverName != nullptr ? driverName : "");
  if (driver == nullptr) return false;
  DescribeDriver(*driver, *data);
  data->printfile_cb = PrintRawFile;
  data->rstartjob_cb = StartRasterJob;
  data->rstartpage_cb = StartRasterPage;
  data->rwriteline_cb = WriteRasterLine;
  data->rendpage_cb = EndRasterPage;
  data->rendjob_cb = EndRasterJob;
  data->status_cb = UpdateStatus;
  data->delete_cb = DeletePrinter;
  if (driver->language == Language::kTspl) data->identify_cb = Identify;
  auto extension = std::make_unique<PrinterExtension>();
  extension->driver = driver;
  data->extension = extension.release();
  if (attrs != nullptr) *attrs = DriverAttributes(*driver);
  return true;
}

const char *PickDriver(const char *, const char *, const char *deviceId, void *) {
  const ModelDriver *driver = DriverForDeviceId(deviceId != nullptr ? deviceId : "");
  return driver != nullptr ? driver->name.c_str() : nullptr;
}

void PrinterCreated(pappl_printer_t *printer, void *) {
  if (PrinterExtension *extension = ExtensionOf(printer)) {
    SetSupplies(printer, *extension->driver, PAPPL_PREASON_NONE);
  }
}

}  // namespace ravo::app
