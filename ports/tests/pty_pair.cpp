#include "pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace ravo::testing {

PtyPair::PtyPair() {
  char name[128];
  if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  slavePath_ = name;
  // Raw on the slave until the port configures it, so nothing is echoed.
  termios tio{};
  ::tcgetattr(slave_, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(slave_, TCSANOW, &tio);
}

PtyPair::~PtyPair() {
  CloseMaster();
  ::close(slave_);
}

std::string PtyPair::PortString(const std::string &options) const {
  std::string s = slavePath_ + ",BAUDRATE_115200";
  if (!options.empty()) s += "," + options;
  return s;
}

void PtyPair::Send(const std::string &bytes) {
  if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    throw std::runtime_error("pty write failed");
  }
}

std::string PtyPair::Receive(size_t n, int ms) {
  std::string got;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (got.size() < n && std::chrono::steady_clock::now() < deadline) {
    pollfd pfd{master_, POLLIN, 0};
    if (::poll(&pfd, 1, 20) <= 0) continue;
    char buf[256];
    ssize_t r = ::read(master_, buf, std::min(sizeof buf, n - got.size()));
    if (r <= 0) break;
    got.append(buf, static_cast<size_t>(r));
  }
  return got;
}

void PtyPair::CloseMaster() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

}  // namespace ravo::testing
