// Raw TCP printers ("NET,host[:port]").
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "fd_wait.h"
#include "ravoio.h"
#include "transport.h"

namespace ravo::io {
namespace {

class NetTransport final : public Transport {
 public:
  explicit NetTransport(const PortAddress &target) : target_(target) {}
  ~NetTransport() override { Close(); }

  int32_t Open() override {
    if (fd_ >= 0) return RAVO_IO_ERR_ALREADY_OPEN;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *list = nullptr;
    std::string service = std::to_string(target_.tcpPort);
    if (::getaddrinfo(target_.host.c_str(), service.c_str(), &hints, &list) != 0) {
      return RAVO_IO_ERR_CONNECT;
    }
    int32_t rc = RAVO_IO_ERR_CONNECT;
    for (addrinfo *ai = list; ai != nullptr && fd_ < 0; ai = ai->ai_next) {
      rc = ConnectOne(*ai);
    }
    ::freeaddrinfo(list);
    return rc;
  }

  int32_t Close() override {
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    ::close(fd_);
    fd_ = -1;
    return RAVO_IO_OK;
  }

  bool IsOpen() const override { return fd_ >= 0; }

  int32_t Write(std::span<const uint8_t> data, uint32_t timeoutMs, uint32_t &written) override {
    written = 0;
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (written < data.size()) {
      // MSG_NOSIGNAL: a vanished peer must give an error, not SIGPIPE.
      ssize_t n =
          ::send(fd_, data.data() + written, data.size() - written, MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n > 0) {
        written += static_cast<uint32_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return RAVO_IO_ERR_WRITE;
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return RAVO_IO_ERR_WRITE_TIMEOUT;
      WaitResult w = WaitFd(fd_, POLLOUT, static_cast<uint32_t>(left.count()));
      if (w == WaitResult::Timeout) return RAVO_IO_ERR_WRITE_TIMEOUT;
      if (w == WaitResult::Error) return RAVO_IO_ERR_WRITE;
    }
    return RAVO_IO_OK;
  }

  int32_t Read(std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received) override {
    received = 0;
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    if (buffer.empty()) return RAVO_IO_OK;
    if (timeoutMs > 0) {
      WaitResult w = WaitFd(fd_, POLLIN, timeoutMs);
      if (w == WaitResult::Timeout) return RAVO_IO_OK;
      if (w == WaitResult::Error) return RAVO_IO_ERR_READ;
    }
    while (true) {
      ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT);
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

  int32_t Flush() override {
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    uint8_t sink[512];
    uint32_t got = 0;
    do {
      int32_t rc = Read(sink, 0, got);
      if (rc != RAVO_IO_OK) return RAVO_IO_ERR_FLUSH;
    } while (got > 0);
    return RAVO_IO_OK;
  }

  int32_t BytesWaiting(uint32_t &count) override {
    count = 0;
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0) return RAVO_IO_ERR_READ;
    count = static_cast<uint32_t>(n);
    return RAVO_IO_OK;
  }

 private:
  // Non-blocking connect bounded by the connect timeout.
  int32_t ConnectOne(const addrinfo &ai) {
    int fd = ::socket(ai.ai_family, ai.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai.ai_protocol);
    if (fd < 0) return RAVO_IO_ERR_CONNECT;
    int rc = ::connect(fd, ai.ai_addr, ai.ai_addrlen);
    if (rc != 0 && errno == EINPROGRESS) {
      if (WaitFd(fd, POLLOUT, target_.connectTimeoutMs) == WaitResult::Ready) {
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
    fd_ = fd;
    return RAVO_IO_OK;
  }

  PortAddress target_;
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<Transport> MakeNetTransport(const PortAddress &target) {
  return std::make_unique<NetTransport>(target);
}

}  // namespace ravo::io
