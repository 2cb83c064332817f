// Raw TCP printers ("NET,host[:port]").
#include <fcntl.h>
#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>

#include "fd_transport.h"
#include "fd_wait.h"
#include "ravoio.h"

namespace ravo::io {
namespace {

using Clock = std::chrono::steady_clock;

// While waiting at close, the send queue is looked at after pauses that
// grow from the first to the last: a printer on the LAN acknowledges
// within a fraction of a millisecond.
constexpr std::chrono::microseconds kFirstPause{50};
constexpr std::chrono::microseconds kLongestPause{2000};

class NetTransport final : public FdTransport {
 public:
  using FdTransport::FdTransport;
  ~NetTransport() override { Close(); }

 protected:
  int32_t OpenPort() override {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *list = nullptr;
    std::string service = std::to_string(target().tcpPort);
    if (::getaddrinfo(target().host.c_str(), service.c_str(), &hints, &list) != 0) {
      return RAVO_IO_ERR_CONNECT;
    }
    int32_t rc = RAVO_IO_ERR_CONNECT;
    for (addrinfo *ai = list; ai != nullptr && !IsOpen(); ai = ai->ai_next) {
      rc = ConnectOne(*ai);
    }
    ::freeaddrinfo(list);
    return rc;
  }

  // A socket closed with unread input resets the connection, and the
  // reset throws away what the kernel has not sent yet: the end of the
  // job.  So the end of the data is marked (FIN after the last byte) and,
  // until the printer has taken every byte or closed its side, whatever it
  // sends is read and dropped; at most `waitMs`, then the socket closes
  // (what is still queued then goes on in the background, as ever).
  void ClosePort(uint32_t waitMs) override {
    ::shutdown(fd(), SHUT_WR);
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = kFirstPause;
    while (DropInput() && Unsent() > 0) {
      const auto left =
          std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
      if (left.count() <= 0) break;
      AwaitInput(std::min(pause, left));
      pause = std::min(pause * 2, kLongestPause);
    }
    FdTransport::ClosePort(waitMs);
  }

  int32_t WriteOpen(std::span<const uint8_t> data, uint32_t timeoutMs, uint32_t &written) override {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (written < data.size()) {
      // MSG_NOSIGNAL: a vanished peer must give an error, not SIGPIPE.
      ssize_t n =
          ::send(fd(), data.data() + written, data.size() - written, MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n > 0) {
        written += static_cast<uint32_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return RAVO_IO_ERR_WRITE;
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return RAVO_IO_ERR_WRITE_TIMEOUT;
      WaitResult w = WaitFd(fd(), POLLOUT, static_cast<uint32_t>(left.count()));
      if (w == WaitResult::Timeout) return RAVO_IO_ERR_WRITE_TIMEOUT;
      if (w == WaitResult::Error) return RAVO_IO_ERR_WRITE;
    }
    return RAVO_IO_OK;
  }

  int32_t ReadOpen(std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received) override {
    if (timeoutMs > 0) {
      WaitResult w = WaitFd(fd(), POLLIN, timeoutMs);
      if (w == WaitResult::Timeout) return RAVO_IO_OK;
      if (w == WaitResult::Error) return RAVO_IO_ERR_READ;
    }
    while (true) {
      ssize_t n = ::recv(fd(), buffer.data(), buffer.size(), MSG_DONTWAIT);
      if (n > 0) {
        received = static_cast<uint32_t>(n);
        return RAVO_IO_OK;
      }
      if (n == 0) return RAVO_IO_ERR_READ;  // peer closed the connection
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) return RAVO_IO_OK;
      return RAVO_IO_ERR_READ;
    }
  }

  int32_t FlushOpen() override {
    uint8_t sink[512];
    uint32_t got = 0;
    do {
      got = 0;
      if (ReadOpen(sink, 0, got) != RAVO_IO_OK) return RAVO_IO_ERR_FLUSH;
    } while (got > 0);
    return RAVO_IO_OK;
  }

 private:
  // Reads and drops what has arrived; false once the printer closed its
  // side or the connection failed (nothing more can come).
  bool DropInput() {
    uint8_t sink[512];
    while (true) {
      const ssize_t n = ::recv(fd(), sink, sizeof sink, MSG_DONTWAIT);
      if (n > 0) continue;
      if (n < 0 && errno == EINTR) continue;
      return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
  }

  // Waits at most `pause` (under a second) for something to read.
  void AwaitInput(std::chrono::microseconds pause) const {
    pollfd pfd{fd(), POLLIN, 0};
    const timespec wait{0, static_cast<long>(pause.count()) * 1000};
    ::ppoll(&pfd, 1, &wait, nullptr);
  }

  // Bytes written but not yet acknowledged by the printer.
  int Unsent() const {
    int queued = 0;
    return ::ioctl(fd(), SIOCOUTQ, &queued) == 0 ? queued : 0;
  }

  // Non-blocking connect bounded by the connect timeout.
  int32_t ConnectOne(const addrinfo &ai) {
    int fd = ::socket(ai.ai_family, ai.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai.ai_protocol);
    if (fd < 0) return RAVO_IO_ERR_CONNECT;
    int rc = ::connect(fd, ai.ai_addr, ai.ai_addrlen);
    if (rc != 0 && errno == EINPROGRESS) {
      if (WaitFd(fd, POLLOUT, target().connectTimeoutMs) == WaitResult::Ready) {
        int err = 0;
        socklen_t len = sizeof err;
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
        rc = err == 0 ? 0 : -1;
      }
    }
    if (rc != 0) {
      ::close(fd);
      return RAVO_IO_ERR_CONNECT;
    }
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    Adopt(fd);
    return RAVO_IO_OK;
  }
};

}  // namespace

std::unique_ptr<Transport> MakeNetTransport(const PortAddress &target) {
  return std::make_unique<NetTransport>(target);
}

}  // namespace ravo::io
