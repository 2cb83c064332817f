#include "server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <QString>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>

#include "label_renderer.h"

namespace ravo::sim {
namespace {

constexpr int kPtyIdleMs = 300;    // a pause this long ends a serial "session"
constexpr size_t kMaxHosts = 256;  // more wait in the listen queue
// A host with this much unread answer gets no more of its input read until
// it reads some: a host that never reads cannot make the printer grow.
constexpr size_t kMaxQueuedAnswers = 64 * 1024;
constexpr size_t kReadChunk = 16 * 1024;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool WantsInput(const Link &link) {
  return !link.input_ended && link.outbox.Bytes() < kMaxQueuedAnswers;
}

short WantedEvents(const Link &link, int64_t now) {
  short events = WantsInput(link) ? POLLIN : 0;
  const auto due = link.outbox.NextDueMs();
  if (due && *due <= now) events |= POLLOUT;
  return events;
}

// For one turn the device works on the link's unfinished work and answers
// go to the link's host.
class Turn {
 public:
  Turn(Device &device, Channel &channel, Link &link)
      : device_(device), channel_(channel), link_(link) {
    device_.SwapHostWork(link_.work);
    channel_.AnswerTo(link_.host_reads ? &link_.outbox : nullptr);
  }
  ~Turn() {
    channel_.AnswerTo(nullptr);
    device_.SwapHostWork(link_.work);
  }
  Turn(const Turn &) = delete;
  Turn &operator=(const Turn &) = delete;

 private:
  Device &device_;
  Channel &channel_;
  Link &link_;
};

}  // namespace

void Channel::Answer(std::string_view bytes) {
  if (outbox_) outbox_->Add(bytes, NowMs());
}

void Channel::Print(const Label &label) {
  const auto path = labels_.Next();
  if (!path) {
    std::fprintf(stderr, "label numbers are used up; a %s label was not saved\n",
                 label.kind.c_str());
    return;
  }
  if (SaveLabelPng(label, QString::fromStdString(path->string())))
    std::fprintf(stderr, "printed %s (%s, %dx%d)\n", path->c_str(), label.kind.c_str(), label.width,
                 label.height);
  else
    std::fprintf(stderr, "could not write %s\n", path->c_str());
}

void Channel::Note(std::string_view message) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

Server::Server(const DaemonOptions &options)
    : options_(options),
      channel_(options.state_dir),
      log_((std::filesystem::path(options.state_dir) / "received.log").string()),
      device_(options.persona, options.faults.bad_checksum, options.state_dir, channel_) {}

Server::~Server() {
  for (const auto &host : hosts_) ::close(host->fd);
  if (listen_fd_ >= 0) ::close(listen_fd_);
  if (pty_) ::close(pty_->fd);
  if (pty_slave_ >= 0) ::close(pty_slave_);
  if (!options_.pty_path.empty()) {
    std::error_code ec;
    if (std::filesystem::is_symlink(options_.pty_path, ec))
      std::filesystem::remove(options_.pty_path, ec);
  }
}

bool Server::Start(std::string &error) {
  listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
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
      ::listen(listen_fd_, SOMAXCONN) != 0) {
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
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (master < 0) {
    error = "no pseudo-terminal available";
    return false;
  }
  pty_ = std::make_unique<Link>(master, false, device_.NewHostWork(), options_.faults);
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0) {
    error = "no pseudo-terminal available";
    return false;
  }
  const char *slave_name = ::ptsname(master);
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

void Server::Feed(Link &link, std::span<const uint8_t> bytes) {
  log_.Data(link.session, bytes);
  Turn turn(device_, channel_, link);
  device_.Feed(bytes);
}

void Server::SendAnswers(Link &link, int64_t now) {
  if (!link.host_reads) return;
  size_t sent = 0;
  if (!link.outbox.Send(link.fd, link.is_socket, now, sent)) {
    // The host has gone: what it still sent is printed, answers are dropped.
    link.host_reads = false;
    link.outbox.Clear();
  }
  if (sent > 0) link.last_active_ms = now;
}

void Server::AcceptHosts(int64_t now) {
  while (hosts_.size() < kMaxHosts) {
    const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0 && (errno == EINTR || errno == ECONNABORTED)) continue;
    if (fd < 0) return;
    auto host = std::make_unique<Link>(fd, true, device_.NewHostWork(), options_.faults);
    host->session = ++session_;
    host->last_active_ms = now;
    log_.Open(host->session);
    hosts_.push_back(std::move(host));
  }
}

void Server::ServeHost(Link &host, bool readable, int64_t now) {
  if (readable && WantsInput(host)) {
    uint8_t buffer[kReadChunk];
    const ssize_t n = ::recv(host.fd, buffer, sizeof buffer, 0);
    if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
      host.input_ended = true;
      EndHostSession(host);
    } else if (n > 0) {
      size_t take = static_cast<size_t>(n);
      const uint64_t limit = options_.faults.close_after;
      if (limit > 0) take = static_cast<size_t>(std::min<uint64_t>(take, limit - host.received));
      host.received += take;
      host.last_active_ms = now;
      Feed(host, std::span(buffer, take));
      if (limit > 0 && host.received >= limit) {
        host.input_ended = true;  // the rest is not read
        EndHostSession(host);
      }
    }
  }
  SendAnswers(host, now);
}

void Server::ServePty(bool readable, int64_t now) {
  Link &pty = *pty_;
  if (readable && WantsInput(pty)) {
    uint8_t buffer[kReadChunk];
    const ssize_t n = ::read(pty.fd, buffer, sizeof buffer);
    if (n > 0) {
      if (pty.session == 0) {
        // Answers nobody read in an earlier session are gone, as on a real line.
        ::tcflush(pty_slave_, TCIFLUSH);
        pty.outbox.Clear();
        pty.host_reads = true;
        pty.session = ++session_;
        log_.Open(pty.session);
      }
      pty_last_ms_ = now;
      Feed(pty, std::span(buffer, static_cast<size_t>(n)));
    }
  }
  SendAnswers(pty, now);
  if (pty.session != 0 && now - pty_last_ms_ >= kPtyIdleMs) EndPtySession();
}

// The session ends: the receipt is printed, unfinished work dropped, and
// the close record written.  The connection may stay to deliver answers.
void Server::EndHostSession(Link &host) {
  if (host.session == 0) return;
  channel_.AnswerTo(host.host_reads ? &host.outbox : nullptr);
  device_.EndHostWork(std::move(host.work));
  channel_.AnswerTo(nullptr);
  log_.Close(host.session);
  host.session = 0;
}

// A quiet serial line ends a receipt; a label in progress stays open, since
// a slow host may pause in the middle of one.
void Server::EndPtySession() {
  if (!pty_ || pty_->session == 0) return;
  {
    Turn turn(device_, channel_, *pty_);
    device_.EndSession();
  }
  log_.Close(pty_->session);
  pty_->session = 0;
}

int64_t Server::IdleDeadline(const Link &host) const {
  return std::max(host.last_active_ms, host.outbox.LastDueMs()) +
         int64_t{options_.idle_timeout_s} * 1000;
}

void Server::CloseFinishedHosts(int64_t now) {
  std::erase_if(hosts_, [&](const std::unique_ptr<Link> &host) {
    const bool delivered = host->input_ended && host->outbox.Bytes() == 0;
    const bool idle = options_.idle_timeout_s > 0 && now >= IdleDeadline(*host);
    if (!delivered && !idle) return false;
    if (!delivered)
      std::fprintf(stderr, "closed a connection idle for %d s\n", options_.idle_timeout_s);
    EndHostSession(*host);
    ::close(host->fd);
    return true;
  });
}

int Server::PollTimeout(int64_t now) const {
  int64_t next = INT64_MAX;
  auto consider = [&](const Link &link) {
    const auto due = link.outbox.NextDueMs();
    if (due && *due > now) next = std::min(next, *due);
  };
  for (const auto &host : hosts_) {
    consider(*host);
    if (options_.idle_timeout_s > 0) next = std::min(next, IdleDeadline(*host));
  }
  if (pty_) {
    consider(*pty_);
    if (pty_->session != 0) next = std::min(next, pty_last_ms_ + kPtyIdleMs);
  }
  if (next == INT64_MAX) return -1;
  return static_cast<int>(std::clamp<int64_t>(next - now, 0, INT_MAX));
}

void Server::Run(int stop_fd) {
  std::vector<pollfd> fds;
  for (;;) {
    const int64_t before = NowMs();
    fds.clear();
    fds.push_back({stop_fd, POLLIN, 0});
    fds.push_back({hosts_.size() < kMaxHosts ? listen_fd_ : -1, POLLIN, 0});
    fds.push_back({pty_ ? pty_->fd : -1, pty_ ? WantedEvents(*pty_, before) : short{0}, 0});
    for (const auto &host : hosts_) fds.push_back({host->fd, WantedEvents(*host, before), 0});
    if (::poll(fds.data(), fds.size(), PollTimeout(before)) < 0 && errno != EINTR) {
      std::fprintf(stderr, "poll failed: %s\n", std::strerror(errno));
      break;
    }
    if (fds[0].revents != 0) break;
    const int64_t now = NowMs();
    // Hosts in the order they connected; those accepted below wait a turn.
    const size_t polled = hosts_.size();
    for (size_t i = 0; i < polled; ++i) ServeHost(*hosts_[i], fds[3 + i].revents != 0, now);
    if (pty_) ServePty(fds[2].revents != 0, now);
    if (fds[1].revents & POLLIN) AcceptHosts(now);
    CloseFinishedHosts(now);
  }
  for (const auto &host : hosts_) {
    EndHostSession(*host);
    ::close(host->fd);
  }
  hosts_.clear();
  EndPtySession();
}

}  // namespace ravo::sim
