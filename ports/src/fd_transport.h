// What the descriptor-based transports (network, serial, parallel) share:
// one owned descriptor, closed with the transport.
#pragma once

#include <cstdint>

#include "transport.h"

namespace ravo::io {

class FdTransport : public Transport {
 public:
  explicit FdTransport(const PortAddress &target) : target_(target) {}
  // Transports with a closing step of their own call Close() in their own
  // destructor; this one only makes sure the descriptor is not leaked.
  ~FdTransport() override;
  bool IsOpen() const final { return fd_ >= 0; }

 protected:
  void ClosePort(uint32_t waitMs) override;
  // Bytes the kernel holds for reading (FIONREAD).
  int32_t CountWaiting(uint32_t &count) override;
  // Takes ownership of an opened descriptor.
  void Adopt(int fd) { fd_ = fd; }
  int fd() const { return fd_; }
  const PortAddress &target() const { return target_; }

 private:
  PortAddress target_;
  int fd_ = -1;
};

}  // namespace ravo::io
