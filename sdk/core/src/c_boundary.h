// Helpers every exported function uses so that no exception crosses the C
// boundary and every command follows the same validate-build-flush steps.
#pragma once

#include <cstdint>

#include "command_buffer.h"
#include "printer.h"
#include "ravo_boundary.h"

static_assert(PRT_ERR_OUT_OF_MEMORY == ravo::kBoundaryOutOfMemory &&
              PRT_ERR_INTERNAL == ravo::kBoundaryInternalError);

namespace prt {

// Runs `body` under the libraries' one exception policy: out of memory
// gives -9, any other exception -100.
template <typename Body>
int32_t Guarded(Body &&body) noexcept {
  return ravo::AtCBoundary(body);
}

// Validates the handle (-6) and its open port (-309), then runs `body`
// with the printer.
template <typename Body>
int32_t WithOpenPrinter(PrtHandle handle, Body &&body) noexcept {
  return Guarded([&]() -> int32_t {
    if (!IsLiveHandle(handle)) return PRT_ERR_INVALID_HANDLE;
    if (handle->portOpen == 0 || handle->port == nullptr) return PRT_ERR_PORT_NOT_OPEN;
    return body(*handle);
  });
}

// The sequence of every command export: validate, build into the buffer
// (a nonzero result is returned and nothing is sent), flush.
template <typename Build>
int32_t RunCommand(PrtHandle handle, Build &&build) noexcept {
  return WithOpenPrinter(handle, [&](PrtPrinter &printer) -> int32_t {
    int32_t rc = build(*printer.context);
    if (rc != PRT_SUCCESS) return rc;
    return FlushCommandBuffer(printer);
  });
}

}  // namespace prt
