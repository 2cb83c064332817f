#include "raw_host.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace ravo::sim {
namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool WaitFor(int fd, short events, Clock::time_point deadline) {
  pollfd p{fd, events, 0};
  return ::poll(&p, 1, MsLeft(deadline)) > 0;
}

}  // namespace

RawHost::RawHost(int port, int receive_buffer) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  if (receive_buffer > 0)
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  fd_ = fd;
}

RawHost::~RawHost() {
  Close();
}

void RawHost::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool RawHost::Send(std::string_view bytes) {
  const auto deadline = Clock::now() + std::chrono::seconds(2);
  while (!bytes.empty() && fd_ >= 0) {
    const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n > 0) {
      bytes.remove_prefix(static_cast<size_t>(n));
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      if (!WaitFor(fd_, POLLOUT, deadline) && Clock::now() >= deadline) return false;
    } else {
      return false;
    }
  }
  return bytes.empty();
}

std::string RawHost::Read(size_t n, std::chrono::milliseconds within) {
  std::string got;
  const auto deadline = Clock::now() + within;
  char buffer[4096];
  while (fd_ >= 0 && got.size() < n && WaitFor(fd_, POLLIN, deadline)) {
    const ssize_t r = ::recv(fd_, buffer, std::min(sizeof buffer, n - got.size()), 0);
    if (r < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (r <= 0) break;
    got.append(buffer, static_cast<size_t>(r));
  }
  return got;
}

bool RawHost::ClosedWithin(std::chrono::milliseconds within) {
  const auto deadline = Clock::now() + within;
  char buffer[4096];
  while (fd_ >= 0 && WaitFor(fd_, POLLIN, deadline)) {
    const ssize_t r = ::recv(fd_, buffer, sizeof buffer, 0);
    if (r == 0 || (r < 0 && errno != EAGAIN && errno != EINTR)) return true;
  }
  return false;
}

bool RawHost::SendUntilRefused(std::string_view unit, std::chrono::milliseconds settle) {
  const auto give_up = Clock::now() + std::chrono::seconds(10);
  while (fd_ >= 0 && Clock::now() < give_up) {
    const ssize_t n = ::send(fd_, unit.data(), unit.size(), MSG_NOSIGNAL);
    if (n >= 0 || errno == EINTR) continue;
    if (errno != EAGAIN) return false;
    if (!WaitFor(fd_, POLLOUT, Clock::now() + settle)) return true;
  }
  return false;
}

}  // namespace ravo::sim
