#include "delivery.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "device_io.h"
#include "job_order.h"
#include "printer_extension.h"
#include "printer_status.h"

namespace ravo::app {
namespace {

// PAPPL 1.3 sends a write larger than its 8 KiB buffer straight on, after
// an empty write of that buffer: a zero-length packet on a USB printer.
constexpr size_t kWriteChunk = 8 * 1024;

enum class Readiness { kReady, kUnreachable, kStopped };

bool Stopping(pappl_job_t *job) {
  pappl_system_t *system = papplPrinterGetSystem(papplJobGetPrinter(job));
  return papplJobIsCanceled(job) || papplSystemIsShutdown(system);
}

// Sleeps `seconds`, waking early when the job is canceled; false then.
bool Pause(pappl_job_t *job, int seconds) {
  for (int tick = 0; tick < seconds * 10; ++tick) {
    if (Stopping(job)) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return !Stopping(job);
}

// In pieces, so that a canceled job stops sending.
bool WriteAll(pappl_job_t *job, pappl_device_t *device, std::span<const uint8_t> bytes) {
  for (size_t at = 0; at < bytes.size(); at += kWriteChunk) {
    if (Stopping(job)) return false;
    if (!WriteFully(device, bytes.subspan(at, std::min(kWriteChunk, bytes.size() - at)))) {
      return false;
    }
  }
  return true;
}

std::string ReasonText(pappl_preason_t reasons) {
  std::string text;
  auto add = [&](pappl_preason_t bit, const char *word) {
    if ((reasons & bit) == 0) return;
    if (!text.empty()) text += ", ";
    text += word;
  };
  add(PAPPL_PREASON_MEDIA_EMPTY, "out of labels");
  add(PAPPL_PREASON_COVER_OPEN, "print head open");
  add(PAPPL_PREASON_MARKER_SUPPLY_EMPTY, "out of ribbon");
  add(PAPPL_PREASON_MEDIA_JAM, "labels jammed");
  add(PAPPL_PREASON_OTHER, "printer error");
  return text;
}

// Asks a TSPL printer for its state until it can print.
Readiness WaitUntilReady(pappl_job_t *job, pappl_device_t *device) {
  pappl_printer_t *printer = papplJobGetPrinter(job);
  PrinterExtension *extension = ExtensionOf(printer);
  while (ShouldAskStatus(extension, printer)) {
    const StatusAnswer answer = QueryTsplStatus(device);
    if (!answer.reached) return Readiness::kUnreachable;
    if (!answer.status) {
      if (extension->statusQuery == StatusQuery::kUntried) {
        extension->statusQuery = StatusQuery::kSilent;
        papplLogJob(job, PAPPL_LOGLEVEL_INFO, "The printer does not answer status queries.");
      }
      return Readiness::kReady;
    }
    extension->statusQuery = StatusQuery::kAnswered;
    const pappl_preason_t reasons = ReasonsForTsplStatus(*answer.status);
    papplPrinterSetReasons(printer, reasons, kStatusReasons & ~reasons);
    if (!StopsPrinting(reasons)) return Readiness::kReady;
    papplJobSetMessage(job, "Waiting for the printer: %s.", ReasonText(reasons).c_str());
    if (!Pause(job, kStatusPollSeconds)) return Readiness::kStopped;
  }
  return Readiness::kReady;
}

void LogDeviceError(const char *message, void *data) {
  papplLogJob(static_cast<pappl_job_t *>(data), PAPPL_LOGLEVEL_WARN, "%s", message);
}

// TCP takes a whole label into its buffers before the printer has read
// it, so a printer that dies meanwhile leaves the write successful.  A
// printer that answers status queries answers only after everything before
// the query: an answer confirms the job, a closed line means it was lost.
// No answer at all (a busy printer) counts as delivered, so that nothing
// prints twice.
bool Confirmed(pappl_job_t *job, pappl_device_t *device) {
  PrinterExtension *extension = ExtensionOf(papplJobGetPrinter(job));
  if (extension == nullptr || extension->statusQuery != StatusQuery::kAnswered ||
      !ShouldAskStatus(extension, papplJobGetPrinter(job))) {
    return true;
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    const StatusAnswer answer = QueryTsplStatus(device);
    if (answer.status) return true;
    if (!answer.reached) return false;
  }
  return true;
}

bool Send(pappl_job_t *job, pappl_device_t *device, std::span<const uint8_t> bytes) {
  return WriteAll(job, device, bytes) && Confirmed(job, device);
}

bool SendOnNewConnections(pappl_job_t *job, std::span<const uint8_t> bytes) {
  pappl_printer_t *printer = papplJobGetPrinter(job);
  papplPrinterSetReasons(printer, PAPPL_PREASON_OFFLINE, PAPPL_PREASON_NONE);
  papplJobSetMessage(job, "The printer cannot be reached; the job waits for it.");
  papplLogJob(job, PAPPL_LOGLEVEL_WARN, "Printer unreachable, job kept until it is back.");
  bool sent = false;
  while (!sent && Pause(job, kRetrySeconds)) {
    pappl_device_t *device = papplDeviceOpen(papplPrinterGetDeviceURI(printer),
                                             papplPrinterGetName(printer), LogDeviceError, job);
    if (device == nullptr) continue;
    const Readiness readiness = WaitUntilReady(job, device);
    sent = readiness == Readiness::kReady && Send(job, device, bytes);
    papplDeviceClose(device);
    if (readiness == Readiness::kStopped) break;
  }
  papplPrinterSetReasons(printer, PAPPL_PREASON_NONE, PAPPL_PREASON_OFFLINE);
  if (sent) papplLogJob(job, PAPPL_LOGLEVEL_INFO, "Sent after the printer came back.");
  return sent;
}

// An older job of the printer that is processing: started at the same
// instant as `job` and still being prepared, or using the device.
bool OlderJobProcessing(pappl_job_t *job) {
  const int id = papplJobGetID(job);
  const std::vector<ActiveJob> jobs = ActiveJobs(papplJobGetPrinter(job));
  return std::any_of(jobs.begin(), jobs.end(), [id](const ActiveJob &other) {
    return other.id < id && other.state == IPP_JSTATE_PROCESSING;
  });
}

bool DeliverInTurn(pappl_job_t *job, pappl_device_t *device, std::span<const uint8_t> bytes) {
  const Readiness readiness = WaitUntilReady(job, device);
  if (readiness == Readiness::kStopped) return false;
  if (readiness == Readiness::kReady && Send(job, device, bytes)) return true;
  if (Stopping(job)) return false;
  return SendOnNewConnections(job, bytes);
}

}  // namespace

bool DeliverJob(pappl_job_t *job, pappl_device_t *device, std::span<const uint8_t> bytes) {
  PrinterExtension *extension = ExtensionOf(papplJobGetPrinter(job));
  if (extension == nullptr) return DeliverInTurn(job, device, bytes);
  const DeviceTurn turn(
      extension->device, papplJobGetID(job), [job] { return Stopping(job); },
      [job] { return OlderJobProcessing(job); });
  return turn.Held() && DeliverInTurn(job, device, bytes);
}

}  // namespace ravo::app
