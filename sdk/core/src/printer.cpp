#include "printer.h"

#include <mutex>
#include <new>
#include <unordered_set>

#include "model_table.h"
#include "port_binding.h"

namespace prt {
namespace {

// Handles are checked against this set so that a stale or foreign pointer
// gives -6 instead of undefined behaviour.
std::mutex &RegistryMutex() {
  static std::mutex m;
  return m;
}

std::unordered_set<const PrtPrinter *> &Registry() {
  static std::unordered_set<const PrtPrinter *> live;
  return live;
}

}  // namespace

std::unique_ptr<PrtCommandContext> MakeCommandContext(const ModelRow &row) {
  auto ctx = std::make_unique<PrtCommandContext>();
  ctx->modelId = row.id;
  ctx->modelName = std::string(row.name).substr(0, 255);
  ctx->flags = (static_cast<uint32_t>(row.id) << 16) | row.capabilities;
  ctx->buffer.assign(kInitialBufferSize, 0);
  ctx->info = std::make_unique<PrtModelLimits>();
  ctx->info->maxRasterWidth = row.widthDots;
  return ctx;
}

PrtPrinter *CreatePrinter(int32_t modelId) {
  const ModelRow *row = FindModelById(modelId);
  if (row == nullptr) return nullptr;
  try {
    auto printer = std::make_unique<PrtPrinter>();
    printer->context = MakeCommandContext(*row);
    printer->signature = PRT_PRINTER_SIGNATURE;
    std::lock_guard lock(RegistryMutex());
    Registry().insert(printer.get());
    return printer.release();
  } catch (const std::bad_alloc &) {
    return nullptr;
  }
}

void DestroyPrinter(PrtPrinter *printer) {
  {
    std::lock_guard lock(RegistryMutex());
    Registry().erase(printer);
  }
  printer->signature = 0;
  std::unique_ptr<PrtPrinter> owned(printer);
}

bool IsLiveHandle(const PrtPrinter *printer) {
  if (printer == nullptr) return false;
  std::lock_guard lock(RegistryMutex());
  return Registry().count(printer) != 0 && printer->signature == PRT_PRINTER_SIGNATURE;
}

void ReleasePort(PrtPrinter &printer) {
  if (printer.port != nullptr) PortBinding().destroy(printer.port);
  printer.port = nullptr;
  printer.portOpen = 0;
}

}  // namespace prt

PrtPrinter::~PrtPrinter() {
  prt::ReleasePort(*this);
}
