#include "loopback_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace ravo::testing {

LoopbackListener::LoopbackListener(Responder responder) : responder_(std::move(responder)) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int one = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(listenFd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
      ::listen(listenFd_, 8) != 0) {
    throw std::runtime_error("listener: bind/listen failed");
  }
  socklen_t len = sizeof addr;
  ::getsockname(listenFd_, reinterpret_cast<sockaddr *>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  if (::pipe(wakeFd_) != 0) throw std::runtime_error("listener: pipe failed");
  thread_ = std::thread([this] { Run(); });
}

LoopbackListener::~LoopbackListener() {
  char b = 'q';
  (void)!::write(wakeFd_[1], &b, 1);
  thread_.join();
  ::close(listenFd_);
  ::close(wakeFd_[0]);
  ::close(wakeFd_[1]);
}

std::string LoopbackListener::PortString(const std::string &options) const {
  std::string s = "NET,127.0.0.1:" + std::to_string(port_);
  if (!options.empty()) s += "," + options;
  return s;
}

std::string LoopbackListener::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool LoopbackListener::WaitForBytes(size_t n, int ms) const {
  std::unique_lock lock(mutex_);
  return cv_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return received_.size() >= n; });
}

void LoopbackListener::DropConnection() {
  drop_ = true;
  char b = 'd';
  (void)!::write(wakeFd_[1], &b, 1);
}

void LoopbackListener::PauseReading() {
  paused_ = true;
  char b = 'p';
  (void)!::write(wakeFd_[1], &b, 1);
}

void LoopbackListener::ResumeReading() {
  paused_ = false;
  char b = 'r';
  (void)!::write(wakeFd_[1], &b, 1);
}

void LoopbackListener::SetReceiveBuffer(int bytes) {
  ::setsockopt(listenFd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

void LoopbackListener::Run() {
  int client = -1;
  while (true) {
    // While paused an open connection is not watched, so nothing is read.
    const bool watchPeer = client < 0 || !paused_;
    pollfd fds[2] = {{wakeFd_[0], POLLIN, 0}, {client >= 0 ? client : listenFd_, POLLIN, 0}};
    if (::poll(fds, watchPeer ? 2 : 1, -1) < 0) continue;
    if (fds[0].revents != 0) {
      char b = 0;
      (void)!::read(wakeFd_[0], &b, 1);
      if (b == 'q') break;
      if (drop_.exchange(false) && client >= 0) {
        ::close(client);
        client = -1;
      }
      continue;
    }
    if (client < 0) {
      client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client >= 0) ++connections_;
      continue;
    }
    char buf[4096];
    ssize_t n = ::recv(client, buf, sizeof buf, 0);
    if (n <= 0) {
      ::close(client);
      client = -1;
      continue;
    }
    std::string piece(buf, static_cast<size_t>(n));
    {
      std::lock_guard lock(mutex_);
      received_ += piece;
    }
    cv_.notify_all();
    if (responder_) {
      std::string answer = responder_(piece);
      if (!answer.empty()) (void)!::send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
    }
  }
  if (client >= 0) ::close(client);
}

}  // namespace ravo::testing
