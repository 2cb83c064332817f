#include "outbox.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace ravo::sim {

void Outbox::Add(std::string_view answer, int64_t now_ms) {
  if (faults_.no_answer || answer.empty()) return;
  int64_t due = std::max(now_ms, LastDueMs()) + faults_.answer_delay_ms;
  for (size_t piece = 0; !answer.empty(); ++piece) {
    size_t n = answer.size();
    if (piece < faults_.split.size()) n = std::min<size_t>(n, faults_.split[piece]);
    if (piece > 0) due += faults_.split_pause_ms;
    pieces_.push_back({std::string(answer.substr(0, n)), due});
    bytes_ += n;
    answer.remove_prefix(n);
  }
}

bool Outbox::Send(int fd, bool is_socket, int64_t now_ms, size_t &sent) {
  sent = 0;
  while (!pieces_.empty() && pieces_.front().due_ms <= now_ms) {
    std::string &bytes = pieces_.front().bytes;
    const ssize_t n = is_socket ? ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                : ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
    bytes_ -= static_cast<size_t>(n);
    bytes.erase(0, static_cast<size_t>(n));
    if (bytes.empty()) pieces_.pop_front();
  }
  return true;
}

std::optional<int64_t> Outbox::NextDueMs() const {
  if (pieces_.empty()) return std::nullopt;
  return pieces_.front().due_ms;
}

void Outbox::Clear() {
  pieces_.clear();
  bytes_ = 0;
}

}  // namespace ravo::sim
