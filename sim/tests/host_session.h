// The host side for end-to-end tests: one printer handle of the SDK
// library on one connection to the virtual printer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "prt.h"
#include "sim_process.h"

namespace ravo::sim {

class HostSession {
 public:
  // Opens sim's port; port_options go after the address ("TIMEOUT_200").
  explicit HostSession(const SimProcess &sim, const std::string &port_options = "TIMEOUT_300");
  // Opens any port string (a serial device, for example).
  explicit HostSession(const std::string &port);
  ~HostSession();
  HostSession(const HostSession &) = delete;
  HostSession &operator=(const HostSession &) = delete;

  int32_t open_result() const { return open_result_; }
  int32_t Write(std::string_view bytes);
  // One PrtReadData call for at most n bytes.
  std::vector<uint8_t> ReadOnce(size_t n, int32_t *result = nullptr);
  // Reads until n bytes arrived or a read brings nothing.
  std::vector<uint8_t> ReadUpTo(size_t n);
  void Close();
  PrtHandle handle() const { return handle_; }

 private:
  PrtHandle handle_ = nullptr;
  int32_t open_result_ = -1;
  bool open_ = false;
};

// Sum of bytes 0..253, as the host computes it.
uint16_t HostChecksum(const std::vector<uint8_t> &block);

}  // namespace ravo::sim
