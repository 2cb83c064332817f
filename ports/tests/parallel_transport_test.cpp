// The parallel transport over a regular file and FIFOs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "port_test_util.h"

using ravo::testing::Port;

namespace {

std::string TempPath(const char *stem) {
  return std::string("/tmp/ravo-") + stem + "-" + std::to_string(::getpid());
}

std::string Slurp(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool SigpipeBlocked() {
  sigset_t mask;
  pthread_sigmask(SIG_BLOCK, nullptr, &mask);
  return sigismember(&mask, SIGPIPE) == 1;
}

TEST(ParallelTransport, WritesAppendAndReadsReturnNothing) {
  const std::string path = TempPath("lp.prn");
  std::ofstream(path) << "old;";
  Port port;
  ASSERT_EQ(port.Create(path), 0);
  EXPECT_EQ(port.p->kind(port.p), RAVO_IO_KIND_PARALLEL);
  ASSERT_EQ(port.Open(), 0);
  uint32_t written = 0;
  ASSERT_EQ(port.Write("SIZE 40 mm,30 mm\r\n", &written), 0);
  EXPECT_EQ(written, 18u);
  std::string got = "x";
  EXPECT_EQ(port.Read(got), 0);
  EXPECT_EQ(got, "");
  EXPECT_EQ(port.Read(got, 16, false), 0);
  EXPECT_EQ(got, "");
  uint32_t waiting = 7;
  EXPECT_EQ(port.p->bytes_waiting(port.p, &waiting), 0);
  EXPECT_EQ(waiting, 0u);
  EXPECT_EQ(port.Close(), 0);
  EXPECT_EQ(Slurp(path), "old;SIZE 40 mm,30 mm\r\n");
  ::unlink(path.c_str());
}

TEST(ParallelTransport, MissingDevicesAndReaderlessFifosFailToOpen) {
  const std::string fifo = TempPath("fifo-noreader");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string &name : {std::string("LPT64"), std::string("/tmp/ravo-no/such"), fifo}) {
    Port port;
    ASSERT_EQ(port.Create(name), 0) << name;
    EXPECT_EQ(port.Open(), RAVO_IO_ERR_OPEN_FAILED) << name;
  }
  ::unlink(fifo.c_str());
}

TEST(ParallelTransport, StuckReaderGivesWriteTimeout) {
  const std::string fifo = TempPath("fifo-stuck");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  Port port;
  ASSERT_EQ(port.Create(fifo + ",WTIMEOUT_100"), 0);
  ASSERT_EQ(port.Open(), 0);
  std::string big(1 << 20, 'x');
  uint32_t written = 0;
  EXPECT_EQ(port.Write(big, &written), RAVO_IO_ERR_WRITE_TIMEOUT);
  EXPECT_GT(written, 0u);
  EXPECT_LT(written, big.size());
  ::close(reader);
  ::unlink(fifo.c_str());
}

TEST(ParallelTransport, ReaderThatLeavesGivesWriteErrorNotSignal) {
  const std::string fifo = TempPath("fifo-gone");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  Port port;
  ASSERT_EQ(port.Create(fifo), 0);
  ASSERT_EQ(port.Open(), 0);
  ASSERT_EQ(port.Write("first"), 0);
  ::close(reader);
  // SIGPIPE keeps its default action (which would kill the test): the port
  // must neither raise it nor change the process's disposition or our mask.
  struct sigaction before {};
  sigaction(SIGPIPE, nullptr, &before);
  ASSERT_EQ(before.sa_handler, SIG_DFL);
  EXPECT_EQ(port.Write("second"), RAVO_IO_ERR_WRITE);
  struct sigaction after {};
  sigaction(SIGPIPE, nullptr, &after);
  EXPECT_EQ(after.sa_handler, SIG_DFL);
  EXPECT_FALSE(SigpipeBlocked());
  sigset_t pending;
  sigpending(&pending);
  EXPECT_FALSE(sigismember(&pending, SIGPIPE));
  ::unlink(fifo.c_str());
}

}  // namespace
