#include "fd_write.h"

#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "fd_wait.h"
#include "ravoio.h"

namespace ravo::io {
namespace {

// Blocks SIGPIPE for this thread while it lives; a SIGPIPE raised by our own
// write is taken off the thread's pending set before the old mask returns.
class SigpipeGuard {
 public:
  SigpipeGuard() {
    sigemptyset(&pipeSet_);
    sigaddset(&pipeSet_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeSet_, &oldMask_);
  }
  ~SigpipeGuard() {
    if (raised_ && !wasPending_) {
      timespec zero{};
      while (sigtimedwait(&pipeSet_, nullptr, &zero) == SIGPIPE) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &oldMask_, nullptr);
  }
  SigpipeGuard(const SigpipeGuard &) = delete;
  SigpipeGuard &operator=(const SigpipeGuard &) = delete;
  void NoteRaised() { raised_ = true; }

 private:
  sigset_t pipeSet_{};
  sigset_t oldMask_{};
  bool wasPending_ = false;
  bool raised_ = false;
};

}  // namespace

int32_t WriteAllBounded(int fd, std::span<const uint8_t> data, uint32_t timeoutMs,
                        uint32_t &written) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  SigpipeGuard guard;
  written = 0;
  bool pollSaidReady = false;
  while (written < data.size()) {
    ssize_t n = ::write(fd, data.data() + written, data.size() - written);
    if (n > 0) {
      written += static_cast<uint32_t>(n);
      pollSaidReady = false;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EPIPE) guard.NoteRaised();
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return RAVO_IO_ERR_WRITE;
    // Some drivers (lp) report "writable" while still refusing bytes; back
    // off briefly so such a device is not polled in a busy loop.
    if (pollSaidReady) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return RAVO_IO_ERR_WRITE_TIMEOUT;
    WaitResult w = WaitFd(fd, POLLOUT, static_cast<uint32_t>(left.count()));
    if (w == WaitResult::Timeout) return RAVO_IO_ERR_WRITE_TIMEOUT;
    if (w == WaitResult::Error) return RAVO_IO_ERR_WRITE;
    pollSaidReady = true;
  }
  return RAVO_IO_OK;
}

}  // namespace ravo::io
