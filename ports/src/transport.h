// The interface each kind of port implements; one file per transport.
// The public calls check the open state once, here, so a transport only
// writes what happens on an open port.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "port_address.h"
#include "ravoio.h"

namespace ravo::io {

class Transport {
 public:
  virtual ~Transport() = default;
  virtual bool IsOpen() const = 0;

  // Each returns 0 or a RAVO_IO_ERR_* code.
  int32_t Open() { return IsOpen() ? RAVO_IO_ERR_ALREADY_OPEN : OpenPort(); }
  // `waitMs`: how long the close may wait for written data to reach the
  // printer (the network port waits; the others hand it to the kernel).
  int32_t Close(uint32_t waitMs = 0) {
    if (!IsOpen()) return RAVO_IO_ERR_NOT_OPEN;
    ClosePort(waitMs);
    return RAVO_IO_OK;
  }
  // Writes every byte within `timeoutMs` or fails.
  int32_t Write(std::span<const uint8_t> data, uint32_t timeoutMs, uint32_t &written) {
    written = 0;
    return IsOpen() ? WriteOpen(data, timeoutMs, written) : RAVO_IO_ERR_NOT_OPEN;
  }
  // Waits up to `timeoutMs` for the first byte (0: do not wait), then
  // returns what has arrived.
  int32_t Read(std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received) {
    received = 0;
    if (!IsOpen()) return RAVO_IO_ERR_NOT_OPEN;
    return buffer.empty() ? RAVO_IO_OK : ReadOpen(buffer, timeoutMs, received);
  }
  int32_t Flush() { return IsOpen() ? FlushOpen() : RAVO_IO_ERR_NOT_OPEN; }
  int32_t BytesWaiting(uint32_t &count) {
    count = 0;
    return IsOpen() ? CountWaiting(count) : RAVO_IO_ERR_NOT_OPEN;
  }

 protected:
  // Called only in the right state: OpenPort on a closed port, the rest on
  // an open one (Read with a non-empty buffer).
  virtual int32_t OpenPort() = 0;
  virtual void ClosePort(uint32_t waitMs) = 0;
  virtual int32_t WriteOpen(std::span<const uint8_t> data, uint32_t timeoutMs,
                            uint32_t &written) = 0;
  virtual int32_t ReadOpen(std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received) = 0;
  virtual int32_t FlushOpen() = 0;
  virtual int32_t CountWaiting(uint32_t &count) = 0;
};

// Factories, one per transport file.
std::unique_ptr<Transport> MakeNetTransport(const PortAddress &target);
std::unique_ptr<Transport> MakeSerialTransport(const PortAddress &target);
std::unique_ptr<Transport> MakeParallelTransport(const PortAddress &target);
std::unique_ptr<Transport> MakeUsbTransport(const PortAddress &target);

}  // namespace ravo::io
