#include "scripted_printer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace ravo::testing {

ScriptedPrinter::ScriptedPrinter() {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(listenFd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
  ::listen(listenFd_, 4);
  socklen_t len = sizeof addr;
  ::getsockname(listenFd_, reinterpret_cast<sockaddr *>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Run(); });
}

ScriptedPrinter::~ScriptedPrinter() {
  stop_ = true;
  thread_.join();
  ::close(listenFd_);
}

void ScriptedPrinter::Answer(const QByteArray &request, std::vector<Piece> pieces) {
  std::lock_guard lock(mutex_);
  script_[request] = std::move(pieces);
}

QString ScriptedPrinter::PortString() const {
  return QStringLiteral("NET,127.0.0.1:%1").arg(port_);
}

QByteArray ScriptedPrinter::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool ScriptedPrinter::WaitForBytes(qsizetype n, int ms) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Received().size() >= n) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return Received().size() >= n;
}

void ScriptedPrinter::Run() {
  while (!stop_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) continue;
    const int fd = ::accept(listenFd_, nullptr, nullptr);
    if (fd < 0) continue;
    Serve(fd);
    ::close(fd);
  }
}

void ScriptedPrinter::Serve(int fd) {
  QByteArray connection;
  while (!stop_) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) continue;
    char buffer[512];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    connection.append(buffer, n);
    std::vector<Piece> pieces;
    {
      std::lock_guard lock(mutex_);
      received_.append(buffer, n);
      for (const auto &[request, answer] : script_) {
        if (connection.endsWith(request)) pieces = answer;
      }
    }
    for (const Piece &piece : pieces) {
      std::this_thread::sleep_for(std::chrono::milliseconds(piece.delayMs));
      ::send(fd, piece.bytes.constData(), static_cast<size_t>(piece.bytes.size()), MSG_NOSIGNAL);
    }
  }
}

}  // namespace ravo::testing
