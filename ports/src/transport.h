// The interface each kind of port implements; one file per transport.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "port_address.h"

namespace ravo::io {

class Transport {
 public:
  virtual ~Transport() = default;
  // Each returns 0 or a RAVO_IO_ERR_* code.
  virtual int32_t Open() = 0;
  virtual int32_t Close() = 0;
  virtual bool IsOpen() const = 0;
  // Writes every byte within `timeoutMs` or fails.
  virtual int32_t Write(std::span<const uint8_t> data, uint32_t timeoutMs, uint32_t &written) = 0;
  // Waits up to `timeoutMs` for the first byte (0: do not wait), then
  // returns what has arrived.
  virtual int32_t Read(std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received) = 0;
  virtual int32_t Flush() = 0;
  virtual int32_t BytesWaiting(uint32_t &count) = 0;
};

// Factories, one per transport file.
std::unique_ptr<Transport> MakeNetTransport(const PortAddress &target);
std::unique_ptr<Transport> MakeSerialTransport(const PortAddress &target);
std::unique_ptr<Transport> MakeParallelTransport(const PortAddress &target);
std::unique_ptr<Transport> MakeUsbTransport(const PortAddress &target);

}  // namespace ravo::io
