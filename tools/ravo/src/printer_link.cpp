#include "printer_link.h"

#include <chrono>
#include <thread>

#include "mdl_printer_lib_tspl.h"

namespace ravo::cli {

namespace tspl = mdlPrinterLib_TSPL;

std::optional<Outcome> PrinterLink::Open(const Context &context, std::optional<PrinterLink> &link) {
  link.reset();
  const int32_t created = tspl::TsplCreatePrinter(context.model);
  if (created != 0) {
    return LibraryFailure(kExitUsage, "model " + context.model.toStdString(), created);
  }
  const int32_t opened = tspl::TsplOpenPort(context.port);
  if (opened != 0) {
    return LibraryFailure(kExitPort, "cannot open port " + context.port.toStdString(), opened);
  }
  link.emplace(PrinterLink());
  return std::nullopt;
}

PrinterLink::~PrinterLink() {
  if (open_) tspl::TsplClosePort();
}

int32_t PrinterLink::Write(std::span<const uint8_t> bytes) const {
  if (bytes.empty()) return 0;
  return tspl::TsplWriteData(bytes.data(), static_cast<int32_t>(bytes.size()));
}

int32_t PrinterLink::Write(std::string_view text) const {
  return Write(std::span(reinterpret_cast<const uint8_t *>(text.data()), text.size()));
}

std::vector<uint8_t> PrinterLink::Read(int32_t length, int pauseMs, int attempts,
                                       int32_t *result) const {
  std::vector<uint8_t> buffer(static_cast<size_t>(length > 0 ? length : 0));
  int32_t count = 0;
  const int32_t code =
      length > 0 ? tspl::TsplReadRetry(buffer.data(), length, count, pauseMs, attempts) : 0;
  if (result != nullptr) *result = code;
  buffer.resize(static_cast<size_t>(count));
  return buffer;
}

std::optional<Outcome> PrinterLink::Send(std::span<const uint8_t> bytes,
                                         const std::string &what) const {
  const int32_t written = Write(bytes);
  if (written != 0) return LibraryFailure(kExitPort, "writing " + what + " failed", written);
  return std::nullopt;
}

std::optional<Outcome> PrinterLink::Send(std::string_view text, const std::string &what) const {
  return Send(std::span(reinterpret_cast<const uint8_t *>(text.data()), text.size()), what);
}

void Pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace ravo::cli
