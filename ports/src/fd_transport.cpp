#include "fd_transport.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace ravo::io {

FdTransport::~FdTransport() {
  if (fd_ >= 0) ::close(fd_);
}

void FdTransport::ClosePort(uint32_t) {
  ::close(fd_);
  fd_ = -1;
}

int32_t FdTransport::CountWaiting(uint32_t &count) {
  int n = 0;
  if (::ioctl(fd_, FIONREAD, &n) != 0) return RAVO_IO_ERR_READ;
  count = static_cast<uint32_t>(n);
  return RAVO_IO_OK;
}

}  // namespace ravo::io
