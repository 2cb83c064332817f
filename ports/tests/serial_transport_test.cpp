// The serial transport over pseudo-terminal pairs.
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "port_test_util.h"
#include "pty_pair.h"

using ravo::testing::Port;
using ravo::testing::PtyPair;

namespace {

TEST(SerialTransport, ExchangesBytesWithThePrinterSide) {
  PtyPair pty;
  Port port;
  ASSERT_EQ(port.Create(pty.PortString("TIMEOUT_500")), 0);
  EXPECT_EQ(port.p->kind(port.p), RAVO_IO_KIND_SERIAL);
  ASSERT_EQ(port.Open(), 0);
  uint32_t written = 0;
  ASSERT_EQ(port.Write("ZZZGETSN\r\n", &written), 0);
  EXPECT_EQ(written, 10u);
  EXPECT_EQ(pty.Receive(10), "ZZZGETSN\r\n");

  std::string got;
  EXPECT_EQ(port.Read(got, 64, false), 0);  // readChunk: nothing yet, no wait
  EXPECT_EQ(got, "");
  pty.Send("SN12345\r");
  EXPECT_EQ(port.Read(got), 0);
  // A tty may hand over the answer in pieces; collect them.
  for (std::string more; got.size() < 8 && port.Read(more) == 0 && !more.empty();) got += more;
  EXPECT_EQ(got, "SN12345\r");
}

TEST(SerialTransport, ReadWaitsForTheFirstByteAndReadChunkDoesNot) {
  PtyPair pty;
  Port port;
  ASSERT_EQ(port.Create(pty.PortString("TIMEOUT_5000")), 0);
  ASSERT_EQ(port.Open(), 0);
  std::string got = "x";
  EXPECT_EQ(port.Read(got, 16, false), 0);
  EXPECT_EQ(got, "");
  std::thread printer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    pty.Send("A");
  });
  EXPECT_EQ(port.Read(got), 0);  // returns once the byte is there
  printer.join();
  EXPECT_EQ(got, "A");
}

TEST(SerialTransport, BytesWaitingAndFlushDiscardInput) {
  PtyPair pty;
  Port port;
  ASSERT_EQ(port.Create(pty.PortString()), 0);
  ASSERT_EQ(port.Open(), 0);
  pty.Send("stale");
  uint32_t waiting = 0;
  for (int i = 0; i < 100 && waiting < 5; ++i) {
    ASSERT_EQ(port.p->bytes_waiting(port.p, &waiting), 0);
    ::usleep(2000);
  }
  EXPECT_EQ(waiting, 5u);
  EXPECT_EQ(port.p->flush(port.p), 0);
  std::string got;
  EXPECT_EQ(port.Read(got, 64, false), 0);
  EXPECT_EQ(got, "");
}

TEST(SerialTransport, ConfiguresEightNOneAtTheRequestedRate) {
  struct Case {
    const char *baud;
    speed_t speed;
  };
  for (Case c :
       {Case{"4800", B4800}, Case{"9600", B9600}, Case{"38400", B38400}, Case{"115200", B115200}}) {
    PtyPair pty;
    Port port;
    ASSERT_EQ(port.Create(pty.slavePath() + ",BAUDRATE_" + c.baud), 0);
    ASSERT_EQ(port.Open(), 0) << c.baud;
    termios tio{};
    ASSERT_EQ(::tcgetattr(pty.slaveFd(), &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), c.speed) << c.baud;
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8)) << c.baud;
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u) << c.baud;
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u) << c.baud;
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u) << c.baud;
  }
}

TEST(SerialTransport, OpenFailuresHaveTheirOwnCodes) {
  PtyPair pty;
  char file[] = "/tmp/ravo-notatty-XXXXXX";
  int fd = ::mkstemp(file);
  ASSERT_GE(fd, 0);
  ::close(fd);
  struct Case {
    std::string name;
    int32_t rc;
  };
  for (const Case &c : {Case{"/dev/ravo-no-such-tty,BAUDRATE_9600", RAVO_IO_ERR_OPEN_FAILED},
                        Case{"ttyRAVONONE", RAVO_IO_ERR_OPEN_FAILED},
                        Case{std::string(file) + ",BAUDRATE_9600", RAVO_IO_ERR_GET_ATTR}}) {
    Port port;
    ASSERT_EQ(port.Create(c.name), 0) << c.name;
    EXPECT_EQ(port.Open(), c.rc) << c.name;
    EXPECT_EQ(port.Close(), RAVO_IO_ERR_NOT_OPEN) << c.name;  // nothing left open
  }
  ::unlink(file);

  // One owner at a time: a second port object on the same device is refused
  // until the first one closes.
  Port first, second;
  ASSERT_EQ(first.Create(pty.PortString()), 0);
  ASSERT_EQ(second.Create(pty.PortString()), 0);
  ASSERT_EQ(first.Open(), 0);
  EXPECT_EQ(second.Open(), RAVO_IO_ERR_IO);
  ASSERT_EQ(first.Close(), 0);
  EXPECT_EQ(second.Open(), 0);
}

TEST(SerialTransport, WriteToAStalledPeerTimesOutWithAPartialCount) {
  PtyPair pty;  // nobody reads the master: the tty buffer fills up
  Port port;
  ASSERT_EQ(port.Create(pty.PortString("WTIMEOUT_100")), 0);
  ASSERT_EQ(port.Open(), 0);
  std::string big(1 << 20, 'x');
  uint32_t written = 0;
  EXPECT_EQ(port.Write(big, &written), RAVO_IO_ERR_WRITE_TIMEOUT);
  EXPECT_GT(written, 0u);
  EXPECT_LT(written, big.size());
}

TEST(SerialTransport, VanishedDeviceGivesReadAndWriteErrors) {
  PtyPair pty;
  Port port;
  ASSERT_EQ(port.Create(pty.PortString("TIMEOUT_100,WTIMEOUT_100")), 0);
  ASSERT_EQ(port.Open(), 0);
  pty.CloseMaster();
  std::string got;
  EXPECT_EQ(port.Read(got), RAVO_IO_ERR_READ);
  EXPECT_EQ(port.Read(got, 16, false), RAVO_IO_ERR_READ);
  EXPECT_EQ(port.Write("after"), RAVO_IO_ERR_WRITE);
  EXPECT_EQ(port.Close(), 0);
}

}  // namespace
