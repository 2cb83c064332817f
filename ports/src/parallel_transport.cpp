// Parallel ports ("LPTn", or an absolute path without BAUDRATE_): write-only
// character devices, FIFOs or files.  Reads return nothing, successfully.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "fd_transport.h"
#include "fd_write.h"
#include "ravoio.h"

namespace ravo::io {
namespace {

class ParallelTransport final : public FdTransport {
 public:
  using FdTransport::FdTransport;

 protected:
  int32_t OpenPort() override {
    // O_NONBLOCK: a FIFO without a reader fails at once (ENXIO) instead of
    // hanging, and a stuck printer cannot block a write past its timeout.
    // O_APPEND: a plain capture file collects jobs instead of overwriting.
    int fd =
        ::open(target().device.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC | O_APPEND);
    if (fd < 0) return errno == EBUSY ? RAVO_IO_ERR_IO : RAVO_IO_ERR_OPEN_FAILED;
    Adopt(fd);
    return RAVO_IO_OK;
  }

  int32_t WriteOpen(std::span<const uint8_t> data, uint32_t timeoutMs, uint32_t &written) override {
    return WriteAllBounded(fd(), data, timeoutMs, written);
  }

  // Write-only: there is never anything to read or to throw away.
  int32_t ReadOpen(std::span<uint8_t>, uint32_t, uint32_t &) override { return RAVO_IO_OK; }
  int32_t FlushOpen() override { return RAVO_IO_OK; }
  int32_t CountWaiting(uint32_t &) override { return RAVO_IO_OK; }
};

}  // namespace

std::unique_ptr<Transport> MakeParallelTransport(const PortAddress &target) {
  return std::make_unique<ParallelTransport>(target);
}

}  // namespace ravo::io
