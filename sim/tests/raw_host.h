// A host on a plain loopback socket, for what the SDK would never do:
// stay silent, stop reading, hold dozens of connections at once.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace ravo::sim {

class RawHost {
 public:
  // Connects to 127.0.0.1:port.  A small receive buffer makes a host that
  // does not read fill up quickly.
  explicit RawHost(int port, int receive_buffer = 0);
  ~RawHost();
  RawHost(const RawHost &) = delete;
  RawHost &operator=(const RawHost &) = delete;

  bool Connected() const { return fd_ >= 0; }
  // Sends all of bytes; false when the printer did not take them within 2 s.
  bool Send(std::string_view bytes);
  // What arrives until n bytes are in or `within` has passed.
  std::string Read(size_t n, std::chrono::milliseconds within);
  // True when the printer closes the connection within the time.
  bool ClosedWithin(std::chrono::milliseconds within);
  // Sends unit over and over without reading any answer, until the printer
  // has taken nothing for `settle`; false if it was still taking bytes
  // after 10 s.
  bool SendUntilRefused(std::string_view unit, std::chrono::milliseconds settle);
  void Close();

 private:
  int fd_ = -1;
};

}  // namespace ravo::sim
