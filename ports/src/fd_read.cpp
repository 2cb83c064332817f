#include "fd_read.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "fd_wait.h"
#include "ravoio.h"

namespace ravo::io {
namespace {

// True when the far side hung up: a tty whose device vanished or whose
// pseudo-terminal master closed reports POLLHUP/POLLERR.
bool HungUp(int fd) {
  pollfd pfd{fd, POLLIN, 0};
  return ::poll(&pfd, 1, 0) > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

int32_t ReadAvailable(int fd, std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received) {
  received = 0;
  if (buffer.empty()) return RAVO_IO_OK;
  if (timeoutMs > 0) {
    WaitResult w = WaitFd(fd, POLLIN, timeoutMs);
    if (w == WaitResult::Timeout) return RAVO_IO_OK;
    if (w == WaitResult::Error) return RAVO_IO_ERR_READ;
  }
  while (true) {
    ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n > 0) {
      received = static_cast<uint32_t>(n);
      return RAVO_IO_OK;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return HungUp(fd) ? RAVO_IO_ERR_READ : RAVO_IO_OK;
    }
    return RAVO_IO_ERR_READ;  // 0: end of file (hang-up); <0: device error
  }
}

}  // namespace ravo::io
