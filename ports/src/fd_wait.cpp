#include "fd_wait.h"

#include <poll.h>

#include <cerrno>

namespace ravo::io {

WaitResult WaitFd(int fd, short events, uint32_t timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd pfd{fd, events, 0};
    int n = ::poll(&pfd, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
    if (n > 0) {
      // HUP/ERR count as ready: the following read/write reports them.
      return WaitResult::Ready;
    }
    if (n == 0) return WaitResult::Timeout;
    if (errno != EINTR) return WaitResult::Error;
  }
}

}  // namespace ravo::io
