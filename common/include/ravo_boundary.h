// The one exception policy of every exported C function of the port
// library and of the printer libraries: no exception crosses the boundary.
// Running out of memory gives -9 and any other exception -100, whichever
// library the function belongs to.  The public headers name both codes
// (PRT_ERR_OUT_OF_MEMORY / PRT_ERR_INTERNAL in prt.h,
// RAVO_IO_ERR_OUT_OF_MEMORY / RAVO_IO_ERR_INTERNAL in ravoio.h).
#pragma once

#include <cstdint>
#include <new>

namespace ravo {

inline constexpr int32_t kBoundaryOutOfMemory = -9;
inline constexpr int32_t kBoundaryInternalError = -100;

// Runs `body` and returns its result, or the policy's code for an
// exception it let escape.
template <typename Body>
int32_t AtCBoundary(Body &&body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc &) {
    return kBoundaryOutOfMemory;
  } catch (...) {
    return kBoundaryInternalError;
  }
}

}  // namespace ravo
