// Serial ports ("COMn,BAUDRATE_b", "ttyUSB0,...", "/dev/...,BAUDRATE_b"):
// 8 data bits, no parity, 1 stop bit, no flow control.  The device is opened
// and configured through termios directly: libserialport refuses every device
// it cannot find in sysfs (pseudo-terminals, /dev/serial/by-id links), so it
// only enumerates ports.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "fd_read.h"
#include "fd_transport.h"
#include "fd_write.h"
#include "ravoio.h"

namespace ravo::io {
namespace {

speed_t SpeedFor(uint32_t baud) {
  switch (baud) {
    case 4800:
      return B4800;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B9600;
  }
}

// Raw 8N1 without hardware or software flow control.  VMIN=1/VTIME=0 keeps
// "no data" as EAGAIN on the non-blocking descriptor, so a read of 0 bytes
// means hang-up.
bool ConfigureRaw(termios &tio, uint32_t baud) {
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  return ::cfsetispeed(&tio, SpeedFor(baud)) == 0 && ::cfsetospeed(&tio, SpeedFor(baud)) == 0;
}

class SerialTransport final : public FdTransport {
 public:
  using FdTransport::FdTransport;
  ~SerialTransport() override { Close(); }

 protected:
  int32_t OpenPort() override {
    // O_NONBLOCK: neither the open (carrier detect) nor any later call blocks.
    int fd = ::open(target().device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == EBUSY ? RAVO_IO_ERR_IO : RAVO_IO_ERR_OPEN_FAILED;
    int32_t rc = Configure(fd);
    if (rc != RAVO_IO_OK) {
      ::close(fd);
      return rc;
    }
    Adopt(fd);
    return RAVO_IO_OK;
  }

  void ClosePort(uint32_t waitMs) override {
    ::ioctl(fd(), TIOCNXCL);
    FdTransport::ClosePort(waitMs);  // closing also drops the flock
  }

  int32_t WriteOpen(std::span<const uint8_t> data, uint32_t timeoutMs, uint32_t &written) override {
    return WriteAllBounded(fd(), data, timeoutMs, written);
  }

  int32_t ReadOpen(std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received) override {
    return ReadAvailable(fd(), buffer, timeoutMs, received);
  }

  int32_t FlushOpen() override {
    return ::tcflush(fd(), TCIFLUSH) == 0 ? RAVO_IO_OK : RAVO_IO_ERR_FLUSH;
  }

 private:
  // One owner at a time: flock keeps other port objects (and cooperating
  // programs) out, TIOCEXCL keeps out programs that ignore locks.
  int32_t Configure(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return RAVO_IO_ERR_IO;
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return RAVO_IO_ERR_GET_ATTR;
    if (!ConfigureRaw(tio, target().baudRate) || ::tcsetattr(fd, TCSANOW, &tio) != 0) {
      return RAVO_IO_ERR_SET_ATTR;
    }
    ::ioctl(fd, TIOCEXCL);
    ::tcflush(fd, TCIOFLUSH);
    return RAVO_IO_OK;
  }
};

}  // namespace

std::unique_ptr<Transport> MakeSerialTransport(const PortAddress &target) {
  return std::make_unique<SerialTransport>(target);
}

}  // namespace ravo::io
