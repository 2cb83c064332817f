#include "host_session.h"

namespace ravo::sim {

HostSession::HostSession(const SimProcess &sim, const std::string &port_options) {
  if (PrtPrinterCreatorA(&handle_, "unknown") != 0) return;
  open_result_ = PrtPortOpenA(handle_, sim.PortString(port_options).c_str());
  open_ = open_result_ == 0;
}

HostSession::HostSession(const std::string &port) {
  if (PrtPrinterCreatorA(&handle_, "unknown") != 0) return;
  open_result_ = PrtPortOpenA(handle_, port.c_str());
  open_ = open_result_ == 0;
}

HostSession::~HostSession() {
  Close();
  if (handle_) PrtPrinterDestroy(handle_);
}

void HostSession::Close() {
  if (open_) PrtPortClose(handle_);
  open_ = false;
}

int32_t HostSession::Write(std::string_view bytes) {
  return PrtWriteData(handle_, reinterpret_cast<const uint8_t *>(bytes.data()),
                      static_cast<int32_t>(bytes.size()));
}

std::vector<uint8_t> HostSession::ReadOnce(size_t n, int32_t *result) {
  std::vector<uint8_t> buffer(n);
  int32_t received = 0;
  const int32_t r = PrtReadData(handle_, buffer.data(), static_cast<int32_t>(n), &received);
  if (result) *result = r;
  buffer.resize(r == 0 ? static_cast<size_t>(received) : 0);
  return buffer;
}

std::vector<uint8_t> HostSession::ReadUpTo(size_t n) {
  std::vector<uint8_t> all;
  while (all.size() < n) {
    const auto piece = ReadOnce(n - all.size());
    if (piece.empty()) break;
    all.insert(all.end(), piece.begin(), piece.end());
  }
  return all;
}

uint16_t HostChecksum(const std::vector<uint8_t> &block) {
  unsigned sum = 0;
  for (size_t i = 0; i < 254 && i < block.size(); ++i) sum += block[i];
  return static_cast<uint16_t>(sum);
}

}  // namespace ravo::sim
