// Reads on non-blocking file descriptors shared by the serial transport.
#pragma once

#include <cstdint>
#include <span>

namespace ravo::io {

// Waits up to `timeoutMs` (0: not at all) for the first byte, then reads what
// has arrived.  Nothing in time gives 0 with `received` = 0; a hung-up or
// failed descriptor gives RAVO_IO_ERR_READ.
int32_t ReadAvailable(int fd, std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received);

}  // namespace ravo::io
