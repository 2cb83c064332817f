#include "server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <QString>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <regex>
#include <thread>

#include "label_renderer.h"

namespace ravo::sim {
namespace {

constexpr int kPtyIdleMs = 300;  // a pause this long ends a serial "session"

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SleepMs(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int HighestLabelNumber(const std::filesystem::path &dir) {
  static const std::regex pattern(R"(label-(\d{4,})\.png)");
  int highest = 0;
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(dir, ec)) {
    std::smatch m;
    const std::string name = entry.path().filename().string();
    if (std::regex_match(name, m, pattern)) highest = std::max(highest, std::stoi(m[1]));
  }
  return highest;
}

}  // namespace

Channel::Channel(const Faults &faults, std::filesystem::path state_dir)
    : faults_(faults), state_dir_(std::move(state_dir)) {
  next_label_ = HighestLabelNumber(state_dir_) + 1;
}

void Channel::WriteAll(std::string_view bytes) {
  // A host that stopped reading must not stall the printer for long.
  const int64_t deadline = NowMs() + 2000;
  while (!bytes.empty() && fd_ >= 0 && NowMs() < deadline) {
    const ssize_t n = fd_is_socket_ ? ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                    : ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      pollfd p{fd_, POLLOUT, 0};
      ::poll(&p, 1, 100);
      continue;
    }
    if (n <= 0) return;  // the host has gone; nothing to tell it
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

void Channel::Answer(std::string_view bytes) {
  if (faults_.no_answer) return;
  SleepMs(faults_.answer_delay_ms);
  size_t piece = 0;
  while (!bytes.empty()) {
    size_t n = bytes.size();
    if (piece < faults_.split.size()) n = std::min<size_t>(n, faults_.split[piece]);
    WriteAll(bytes.substr(0, n));
    bytes.remove_prefix(n);
    ++piece;
    if (!bytes.empty()) SleepMs(faults_.split_pause_ms);
  }
}

void Channel::Print(const Label &label) {
  char name[32];
  std::snprintf(name, sizeof name, "label-%04d.png", next_label_++);
  const auto path = state_dir_ / name;
  if (SaveLabelPng(label, QString::fromStdString(path.string())))
    std::fprintf(stderr, "printed %s (%s, %dx%d)\n", path.c_str(), label.kind.c_str(), label.width,
                 label.height);
  else
    std::fprintf(stderr, "could not write %s\n", path.c_str());
}

void Channel::Note(std::string_view message) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

Server::Server(const DaemonOptions &options)
    : options_(options),
      channel_(options.faults, options.state_dir),
      log_((std::filesystem::path(options.state_dir) / "received.log").string()),
      device_(options.persona, options.faults.bad_checksum, options.state_dir, channel_) {}

Server::~Server() {
  if (listen_fd_ >= 0) ::close(listen_fd_);
  if (pty_master_ >= 0) ::close(pty_master_);
  if (pty_slave_ >= 0) ::close(pty_slave_);
  if (!options_.pty_path.empty()) {
    std::error_code ec;
    if (std::filesystem::is_symlink(options_.pty_path, ec))
      std::filesystem::remove(options_.pty_path, ec);
  }
}

bool Server::Start(std::string &error) {
  listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int one = 1;
  ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(options_.port));
  if (::inet_pton(AF_INET, options_.host.c_str(), &addr.sin_addr) != 1) {
    error = "not an IPv4 address: " + options_.host;
    return false;
  }
  if (::bind(listen_fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
      ::listen(listen_fd_, 8) != 0) {
    error = std::string("cannot listen: ") + std::strerror(errno);
    return false;
  }
  socklen_t len = sizeof addr;
  ::getsockname(listen_fd_, reinterpret_cast<sockaddr *>(&addr), &len);
  if (!options_.pty_path.empty() && !OpenPty(error)) return false;
  std::printf("listening %s:%u\n", options_.host.c_str(), ntohs(addr.sin_port));
  if (!options_.pty_path.empty()) std::printf("pty %s\n", options_.pty_path.c_str());
  std::fflush(stdout);
  return true;
}

bool Server::OpenPty(std::string &error) {
  pty_master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (pty_master_ < 0 || ::grantpt(pty_master_) != 0 || ::unlockpt(pty_master_) != 0) {
    error = "no pseudo-terminal available";
    return false;
  }
  const char *slave_name = ::ptsname(pty_master_);
  // Holding the slave open keeps the master readable between host sessions.
  pty_slave_ = ::open(slave_name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios raw{};
  if (pty_slave_ < 0 || ::tcgetattr(pty_slave_, &raw) != 0) {
    error = "cannot open the pseudo-terminal's slave side";
    return false;
  }
  ::cfmakeraw(&raw);
  ::tcsetattr(pty_slave_, TCSANOW, &raw);
  std::error_code ec;
  std::filesystem::remove(options_.pty_path, ec);
  std::filesystem::create_symlink(slave_name, options_.pty_path, ec);
  if (ec) {
    error = "cannot link " + options_.pty_path + ": " + ec.message();
    return false;
  }
  return true;
}

void Server::FeedBytes(std::span<const uint8_t> bytes) {
  device_.Feed(bytes);
}

void Server::ServeConnection(int fd, const std::atomic<bool> &stop) {
  const uint32_t session = ++session_;
  log_.Open(session);
  channel_.SetFd(fd, true);
  uint64_t received = 0;
  uint8_t buffer[4096];
  while (!stop) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 100) <= 0) continue;
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    size_t take = static_cast<size_t>(n);
    const uint64_t limit = options_.faults.close_after;
    if (limit > 0 && received + take >= limit) take = static_cast<size_t>(limit - received);
    received += take;
    log_.Data(session, std::span(buffer, take));
    FeedBytes(std::span(buffer, take));
    if (limit > 0 && received >= limit) break;
  }
  ::shutdown(fd, SHUT_RDWR);
  ::close(fd);
  channel_.SetFd(-1, true);
  device_.EndSession();
  log_.Close(session);
}

void Server::ServePty() {
  uint8_t buffer[4096];
  const ssize_t n = ::read(pty_master_, buffer, sizeof buffer);
  if (n <= 0) return;
  if (!pty_active_) {
    // Answers nobody read in an earlier session are gone, as on a real line.
    ::tcflush(pty_slave_, TCIFLUSH);
    pty_session_ = ++session_;
    log_.Open(pty_session_);
    pty_active_ = true;
  }
  pty_last_ms_ = NowMs();
  log_.Data(pty_session_, std::span(buffer, static_cast<size_t>(n)));
  channel_.SetFd(pty_master_, false);
  FeedBytes(std::span(buffer, static_cast<size_t>(n)));
}

void Server::Run(const std::atomic<bool> &stop) {
  while (!stop) {
    pollfd fds[2] = {{listen_fd_, POLLIN, 0}, {pty_master_, POLLIN, 0}};
    const int count = pty_master_ >= 0 ? 2 : 1;
    const int ready = ::poll(fds, count, 50);
    if (pty_active_ && NowMs() - pty_last_ms_ >= kPtyIdleMs) {
      device_.EndSession();
      log_.Close(pty_session_);
      pty_active_ = false;
    }
    if (ready <= 0) continue;
    if (count == 2 && (fds[1].revents & POLLIN)) ServePty();
    if (fds[0].revents & POLLIN) {
      const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0) ServeConnection(fd, stop);
    }
  }
  if (pty_active_) {
    device_.EndSession();
    log_.Close(pty_session_);
  }
}

}  // namespace ravo::sim
