// The printer object behind a PrtHandle, its command context and the
// registry that tells live handles from anything else.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "prt.h"
#include "ravoio.h"

namespace prt {

// Raster width used when a context has no limits record.
inline constexpr uint32_t kDefaultRasterWidth = 576;
inline constexpr uint32_t kInitialBufferSize = 256;

struct PrtModelLimits {
  uint32_t maxRasterWidth = 0;  // dots
};

struct PrtCommandContext {
  int32_t modelId = 0;
  std::string modelName;        // at most 255 bytes
  uint32_t flags = 0;           // (id << 16) | capability bits
  std::vector<uint8_t> buffer;  // size() is the capacity
  uint32_t used = 0;            // pending bytes at the front
  bool growable = true;
  std::unique_ptr<PrtModelLimits> info;

  uint32_t capacity() const { return static_cast<uint32_t>(buffer.size()); }
  uint32_t rasterWidth() const { return info ? info->maxRasterWidth : kDefaultRasterWidth; }
  bool hasCapability(uint32_t bit) const { return (flags & bit) != 0; }
};

}  // namespace prt

// The exported handle type names this struct, so it lives outside the
// namespace.
struct PrtPrinter {
  int32_t signature = 0;
  std::unique_ptr<prt::PrtCommandContext> context;
  IoPort *port = nullptr;  // owned; released through the port binding
  uint8_t portOpen = 0;

  PrtPrinter() = default;
  PrtPrinter(const PrtPrinter &) = delete;
  PrtPrinter &operator=(const PrtPrinter &) = delete;
  ~PrtPrinter();
};

namespace prt {

struct ModelRow;

// A fresh command context for a model-table row: its id, name, capability
// bits and raster width, an empty 256-byte buffer.  Throws bad_alloc.
std::unique_ptr<PrtCommandContext> MakeCommandContext(const ModelRow &row);

// Creates a printer object for a model-table row id; nullptr when memory
// runs out.  The object is registered as live.
PrtPrinter *CreatePrinter(int32_t modelId);

// Unregisters and frees a live object.
void DestroyPrinter(PrtPrinter *printer);

// True for a registered object with the right signature.  Never reads
// through a pointer that is not registered.
bool IsLiveHandle(const PrtPrinter *printer);

// Destroys the attached port object, if any, and clears the open flag.
void ReleasePort(PrtPrinter &printer);

}  // namespace prt
