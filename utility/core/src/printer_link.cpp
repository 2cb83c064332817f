#include "printer_link.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "mdl_printer_lib_esc.h"
#include "mdl_printer_lib_tspl.h"

namespace ravo::utility {
namespace {

constexpr int kPauseSliceMs = 20;

const PrtLibrary &LibraryOf(PrinterLibrary library) {
  return library == PrinterLibrary::Esc ? mdlPrinterLib_ESC::Egret() : mdlPrinterLib_TSPL::Heron();
}

const PrtWChar *Wide(const std::u16string &text) {
  return reinterpret_cast<const PrtWChar *>(text.c_str());
}

// The libraries convert a wide model name in one process-wide scratch
// area, so handles are made one at a time.
int32_t CreateHandle(const PrtLibrary &library, const QString &model, PrtHandle &handle) {
  static std::mutex creating;
  const std::lock_guard lock(creating);
  const std::u16string name = model.toStdU16String();
  handle = nullptr;
  const int32_t result = library.creatorW(&handle, Wide(name));
  if (result != PRT_SUCCESS) handle = nullptr;
  return result;
}

}  // namespace

std::unique_ptr<PrinterLink> PrinterLink::Open(const PrinterTarget &target, ServiceResult &result,
                                               const TaskControl *control) {
  const PrtLibrary &library = LibraryOf(target.library);
  PrtHandle handle = nullptr;
  const int32_t created = CreateHandle(library, target.model, handle);
  if (created != PRT_SUCCESS) {
    result = Failure(ServiceMessage::CreatePrinter, created, target.model);
    return nullptr;
  }
  const std::u16string port = target.port.toStdU16String();
  const int32_t opened = library.portOpenW(handle, Wide(port));
  if (opened != PRT_SUCCESS) {
    library.destroy(handle);
    result = Failure(ServiceMessage::OpenPort, opened, target.port);
    return nullptr;
  }
  result = {};
  return std::unique_ptr<PrinterLink>(new PrinterLink(library, handle, control));
}

ServiceResult PrinterLink::CheckModel(const QString &model, PrinterLibrary library) {
  const PrtLibrary &functions = LibraryOf(library);
  PrtHandle handle = nullptr;
  const int32_t created = CreateHandle(functions, model, handle);
  if (created != PRT_SUCCESS) return Failure(ServiceMessage::CreatePrinter, created, model);
  functions.destroy(handle);
  return {};
}

PrinterLink::~PrinterLink() {
  library_.portClose(handle_);
  library_.destroy(handle_);
}

int32_t PrinterLink::Write(QByteArrayView bytes) {
  if (bytes.isEmpty()) return PRT_SUCCESS;
  return library_.writeData(handle_, reinterpret_cast<const uint8_t *>(bytes.data()),
                            static_cast<int32_t>(bytes.size()));
}

PrinterLink::Answer PrinterLink::Read(int32_t length, int pauseMs, int attempts) {
  Answer answer;
  if (length <= 0) return answer;
  std::vector<uint8_t> scratch(static_cast<size_t>(length));
  for (int attempt = 0; attempt < attempts && answer.bytes.size() < length; ++attempt) {
    const int32_t missing = length - static_cast<int32_t>(answer.bytes.size());
    int32_t got = 0;
    answer.code = library_.readData(handle_, scratch.data(), missing, &got);
    got = std::clamp(got, 0, missing);
    answer.bytes.append(reinterpret_cast<const char *>(scratch.data()), got);
    if (answer.bytes.size() < length && !Pause(pauseMs)) break;
  }
  return answer;
}

PrinterLink::Answer PrinterLink::ReadUntil(uint8_t endByte, int32_t most) {
  Answer answer;
  if (most <= 0) return answer;
  std::vector<uint8_t> buffer(static_cast<size_t>(most));
  int32_t stored = 0;
  answer.code = library_.readDataEOF(handle_, buffer.data(), 0, most, 0, endByte, &stored);
  answer.bytes =
      QByteArray(reinterpret_cast<const char *>(buffer.data()), std::clamp(stored, 0, most));
  return answer;
}

bool PrinterLink::Pause(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!Cancelled()) {
    const auto left = end - std::chrono::steady_clock::now();
    if (left <= std::chrono::milliseconds(0)) return true;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
        left, std::chrono::milliseconds(kPauseSliceMs)));
  }
  return false;
}

bool PrinterLink::Cancelled() const {
  return control_ != nullptr && control_->Cancelled();
}

}  // namespace ravo::utility
