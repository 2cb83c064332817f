// Answers on their way to one host.  Each answer queues behind the ones
// before it, delayed and cut into pieces as the fault options say, and
// goes out without blocking, as fast as the host reads.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "persona.h"

namespace ravo::sim {

class Outbox {
 public:
  explicit Outbox(const Faults &faults) : faults_(faults) {}

  void Add(std::string_view answer, int64_t now_ms);
  // Writes the pieces that are due as far as fd takes them; false when the
  // host has gone.  sent counts the bytes written.
  bool Send(int fd, bool is_socket, int64_t now_ms, size_t &sent);
  // When the first waiting piece falls due; nothing when none waits.
  std::optional<int64_t> NextDueMs() const;
  // When the last queued piece falls due (0 when none waits).
  int64_t LastDueMs() const { return pieces_.empty() ? 0 : pieces_.back().due_ms; }
  size_t Bytes() const { return bytes_; }
  void Clear();

 private:
  struct Piece {
    std::string bytes;
    int64_t due_ms;
  };
  const Faults &faults_;
  std::deque<Piece> pieces_;
  size_t bytes_ = 0;
};

}  // namespace ravo::sim
