// Parallel ports ("LPTn", or an absolute path without BAUDRATE_): write-only
// character devices, FIFOs or files.  Reads return nothing, successfully.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "fd_write.h"
#include "ravoio.h"
#include "transport.h"

namespace ravo::io {
namespace {

class ParallelTransport final : public Transport {
 public:
  explicit ParallelTransport(const PortAddress &target) : target_(target) {}
  ~ParallelTransport() override { Close(); }

  int32_t Open() override {
    if (fd_ >= 0) return RAVO_IO_ERR_ALREADY_OPEN;
    // O_NONBLOCK: a FIFO without a reader fails at once (ENXIO) instead of
    // hanging, and a stuck printer cannot block a write past its timeout.
    // O_APPEND: a plain capture file collects jobs instead of overwriting.
    int fd =
        ::open(target_.device.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC | O_APPEND);
    if (fd < 0) return errno == EBUSY ? RAVO_IO_ERR_IO : RAVO_IO_ERR_OPEN_FAILED;
    fd_ = fd;
    return RAVO_IO_OK;
  }

  int32_t Close() override {
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    ::close(fd_);
    fd_ = -1;
    return RAVO_IO_OK;
  }

  bool IsOpen() const override { return fd_ >= 0; }

  int32_t Write(std::span<const uint8_t> data, uint32_t timeoutMs, uint32_t &written) override {
    written = 0;
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    return WriteAllBounded(fd_, data, timeoutMs, written);
  }

  int32_t Read(std::span<uint8_t>, uint32_t, uint32_t &received) override {
    received = 0;
    return fd_ < 0 ? RAVO_IO_ERR_NOT_OPEN : RAVO_IO_OK;
  }

  int32_t Flush() override { return fd_ < 0 ? RAVO_IO_ERR_NOT_OPEN : RAVO_IO_OK; }

  int32_t BytesWaiting(uint32_t &count) override {
    count = 0;
    return fd_ < 0 ? RAVO_IO_ERR_NOT_OPEN : RAVO_IO_OK;
  }

 private:
  PortAddress target_;
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<Transport> MakeParallelTransport(const PortAddress &target) {
  return std::make_unique<ParallelTransport>(target);
}

}  // namespace ravo::io
