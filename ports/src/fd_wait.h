// poll() helpers shared by the file-descriptor transports.
#pragma once

#include <chrono>
#include <cstdint>

namespace ravo::io {

enum class WaitResult { Ready, Timeout, Error };

// Waits until fd is readable (events = POLLIN) or writable (POLLOUT), at
// most `timeoutMs`; retries on EINTR with the remaining time.
WaitResult WaitFd(int fd, short events, uint32_t timeoutMs);

}  // namespace ravo::io
