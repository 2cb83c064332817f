// STATE/received.log: every byte the printer received, in the order it
// arrived.  Records (all integers little-endian):
//   'O' u32 session  u32 0          a session began
//   'D' u32 session  u32 n  n bytes  bytes received
//   'C' u32 session  u32 0          the session ended (its jobs are rendered)
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace ravo::sim {

class ReceivedLog {
 public:
  explicit ReceivedLog(const std::string &path);
  ~ReceivedLog();
  ReceivedLog(const ReceivedLog &) = delete;
  ReceivedLog &operator=(const ReceivedLog &) = delete;

  void Open(uint32_t session) { Record('O', session, {}); }
  void Data(uint32_t session, std::span<const uint8_t> bytes) { Record('D', session, bytes); }
  void Close(uint32_t session) { Record('C', session, {}); }

 private:
  void Record(char type, uint32_t session, std::span<const uint8_t> bytes);
  std::FILE *file_;
};

}  // namespace ravo::sim
