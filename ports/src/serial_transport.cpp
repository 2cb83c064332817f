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
#include "fd_write.h"
#include "ravoio.h"
#include "transport.h"

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

class SerialTransport final : public Transport {
 public:
  explicit SerialTransport(const PortAddress &target) : target_(target) {}
  ~SerialTransport() override { Close(); }

  int32_t Open() override {
    if (fd_ >= 0) return RAVO_IO_ERR_ALREADY_OPEN;
    // O_NONBLOCK: neither the open (carrier detect) nor any later call blocks.
    int fd = ::open(target_.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == EBUSY ? RAVO_IO_ERR_IO : RAVO_IO_ERR_OPEN_FAILED;
    int32_t rc = Configure(fd);
    if (rc != RAVO_IO_OK) {
      ::close(fd);
      return rc;
    }
    fd_ = fd;
    return RAVO_IO_OK;
  }

  int32_t Close() override {
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);  // also drops the flock
    fd_ = -1;
    return RAVO_IO_OK;
  }

  bool IsOpen() const override { return fd_ >= 0; }

  int32_t Write(std::span<const uint8_t> data, uint32_t timeoutMs, uint32_t &written) override {
    written = 0;
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    return WriteAllBounded(fd_, data, timeoutMs, written);
  }

  int32_t Read(std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received) override {
    received = 0;
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    return ReadAvailable(fd_, buffer, timeoutMs, received);
  }

  int32_t Flush() override {
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    return ::tcflush(fd_, TCIFLUSH) == 0 ? RAVO_IO_OK : RAVO_IO_ERR_FLUSH;
  }

  int32_t BytesWaiting(uint32_t &count) override {
    count = 0;
    if (fd_ < 0) return RAVO_IO_ERR_NOT_OPEN;
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0) return RAVO_IO_ERR_READ;
    count = static_cast<uint32_t>(n);
    return RAVO_IO_OK;
  }

 private:
  // One owner at a time: flock keeps other port objects (and cooperating
  // programs) out, TIOCEXCL keeps out programs that ignore locks.
  int32_t Configure(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return RAVO_IO_ERR_IO;
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return RAVO_IO_ERR_GET_ATTR;
    if (!ConfigureRaw(tio, target_.baudRate) || ::tcsetattr(fd, TCSANOW, &tio) != 0) {
      return RAVO_IO_ERR_SET_ATTR;
    }
    ::ioctl(fd, TIOCEXCL);
    ::tcflush(fd, TCIOFLUSH);
    return RAVO_IO_OK;
  }

  PortAddress target_;
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<Transport> MakeSerialTransport(const PortAddress &target) {
  return std::make_unique<SerialTransport>(target);
}

}  // namespace ravo::io
