// Bounded writes on non-blocking file descriptors (ttys, FIFOs, devices).
#pragma once

#include <cstdint>
#include <span>

namespace ravo::io {

// Writes all of `data` to the non-blocking `fd` within `timeoutMs`.
// Returns 0, RAVO_IO_ERR_WRITE_TIMEOUT when time ran out, or
// RAVO_IO_ERR_WRITE when the descriptor failed (device gone, reader gone).
// A reader that went away gives an error, never SIGPIPE: the signal is
// blocked for the calling thread only and a pending one is consumed.
int32_t WriteAllBounded(int fd, std::span<const uint8_t> data, uint32_t timeoutMs,
                        uint32_t &written);

}  // namespace ravo::io
