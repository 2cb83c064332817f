// The network transport against a real loopback listener.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "loopback_listener.h"
#include "ravoio.h"

using ravo::testing::LoopbackListener;

namespace {

struct Port {
  IoPort *p = nullptr;
  ~Port() { ravo_io_port_destroy(p); }
};

// A port number nobody listens on: bind, read the number, close.
uint16_t ClosedPort() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
  ::close(fd);
  return ntohs(addr.sin_port);
}

TEST(NetTransport, WritesAndReadsAnAnswer) {
  LoopbackListener server([](const std::string &got) {
    return got.find("ZZZGETSN") != std::string::npos ? std::string("SN123\r") : std::string();
  });
  Port port;
  ASSERT_EQ(ravo_io_port_creator(&port.p, server.PortString().c_str()), 0);
  EXPECT_EQ(port.p->kind(port.p), RAVO_IO_KIND_NET);
  ASSERT_EQ(port.p->open(port.p), 0);
  EXPECT_EQ(port.p->open(port.p), RAVO_IO_ERR_ALREADY_OPEN);
  const std::string cmd = "ZZZGETSN\r\n";
  uint32_t n = 99;
  ASSERT_EQ(port.p->write(port.p, reinterpret_cast<const uint8_t *>(cmd.data()), 0,
                          static_cast<uint32_t>(cmd.size()), &n),
            0);
  EXPECT_EQ(n, cmd.size());
  uint8_t buf[64];
  ASSERT_EQ(port.p->read(port.p, buf, 0, sizeof buf, &n), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(buf), n), "SN123\r");
  EXPECT_EQ(server.Received(), cmd);
  EXPECT_EQ(port.p->close(port.p), 0);
  EXPECT_EQ(port.p->close(port.p), RAVO_IO_ERR_NOT_OPEN);
}

// The printer answered a query the program did not read and is still
// taking in the job when the program closes: the whole job arrives (a
// plain close would reset the connection and drop the unsent end), and
// close waits no longer than the read timeout for a printer that stalls.
TEST(NetTransport, CloseWithAnUnreadAnswerLosesNothingOfTheJob) {
  LoopbackListener server([](const std::string &got) {
    return got.starts_with("Q") ? std::string("A") : std::string();
  });
  server.SetReceiveBuffer(4096);
  for (const bool stalled : {false, true}) {
    Port port;
    ASSERT_EQ(ravo_io_port_creator(&port.p, (server.PortString() + ",TIMEOUT_300").c_str()), 0);
    ASSERT_EQ(port.p->open(port.p), 0);
    const size_t before = server.Received().size();
    std::string job = "Q";
    uint32_t n = 0;
    ASSERT_EQ(port.p->write(port.p, reinterpret_cast<const uint8_t *>(job.data()), 0, 1, &n), 0);
    ASSERT_TRUE(server.WaitForBytes(before + 1));
    server.PauseReading();  // the answer is on its way; the job waits in the buffers
    const std::string rest(256 * 1024, 'J');
    job += rest;
    ASSERT_EQ(port.p->write(port.p, reinterpret_cast<const uint8_t *>(rest.data()), 0,
                            static_cast<uint32_t>(rest.size()), &n),
              0);
    std::thread printer([&] {
      if (stalled) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      server.ResumeReading();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.p->close(port.p), 0);
    const auto waited = std::chrono::steady_clock::now() - start;
    printer.join();
    EXPECT_LT(waited, std::chrono::milliseconds(1500)) << "close waited past its timeout";
    if (stalled) {
      server.ResumeReading();
      continue;  // what was still queued may be lost: the printer would not take it
    }
    EXPECT_TRUE(server.WaitForBytes(before + job.size(), 5000));
    EXPECT_TRUE(server.Received().substr(before) == job) << "the job arrived cut off";
  }
}

TEST(NetTransport, ReadWaitsBoundedAndChunkDoesNotWait) {
  LoopbackListener server;
  Port port;
  ASSERT_EQ(ravo_io_port_creator(&port.p, server.PortString("TIMEOUT_100").c_str()), 0);
  ASSERT_EQ(port.p->open(port.p), 0);
  uint8_t buf[8];
  uint32_t n = 5;
  auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(port.p->readChunk(port.p, buf, 0, sizeof buf, &n), 0);
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(port.p->read(port.p, buf, 0, sizeof buf, &n), 0);
  EXPECT_EQ(n, 0u);
  auto waited = std::chrono::steady_clock::now() - t0;
  // Functional bound only: the read returned instead of blocking forever.
  EXPECT_LT(waited, std::chrono::seconds(5));
  EXPECT_EQ(port.p->read(port.p, buf, 0, 0, &n), 0);  // 0-length buffer
}

TEST(NetTransport, RefusedConnectionGives352) {
  Port port;
  std::string name = "NET,127.0.0.1:" + std::to_string(ClosedPort());
  ASSERT_EQ(ravo_io_port_creator(&port.p, name.c_str()), 0);
  EXPECT_EQ(port.p->open(port.p), RAVO_IO_ERR_CONNECT);
  uint32_t n = 0;
  EXPECT_EQ(port.p->write(port.p, reinterpret_cast<const uint8_t *>("x"), 0, 1, &n),
            RAVO_IO_ERR_NOT_OPEN);
}

TEST(NetTransport, PeerThatClosesGivesReadAndWriteErrorsNotSignals) {
  LoopbackListener server;
  Port port;
  ASSERT_EQ(ravo_io_port_creator(&port.p, server.PortString().c_str()), 0);
  ASSERT_EQ(port.p->open(port.p), 0);
  ASSERT_TRUE([&] {
    for (int i = 0; i < 200 && server.connections() == 0; ++i) ::usleep(5000);
    return server.connections() == 1;
  }());
  server.DropConnection();
  uint8_t buf[8];
  uint32_t n = 0;
  EXPECT_EQ(port.p->read(port.p, buf, 0, sizeof buf, &n), RAVO_IO_ERR_READ);
  std::string big(1 << 20, 'x');
  int32_t rc = 0;
  for (int i = 0; i < 5 && rc == 0; ++i) {
    rc = port.p->write(port.p, reinterpret_cast<const uint8_t *>(big.data()), 0,
                       static_cast<uint32_t>(big.size()), &n);
  }
  EXPECT_EQ(rc, RAVO_IO_ERR_WRITE);
}

TEST(NetTransport, CreatorRejectsBadArguments) {
  IoPort *p = reinterpret_cast<IoPort *>(0x1);
  EXPECT_EQ(ravo_io_port_creator(&p, "NOPE"), RAVO_IO_ERR_INVALID_SETTING);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(ravo_io_port_creator(&p, nullptr), RAVO_IO_ERR_INVALID_SETTING);
  EXPECT_EQ(ravo_io_port_creator(nullptr, "USB"), RAVO_IO_ERR_INVALID_HANDLE);
  EXPECT_EQ(ravo_io_port_destroy(nullptr), RAVO_IO_ERR_INVALID_HANDLE);
}

}  // namespace
