// The serial side: a pseudo-terminal linked at a chosen path, opened and
// closed by the host for each exchange.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "host_session.h"

namespace ravo::sim {
namespace {

std::string Exchange(const std::string &path, const std::string &request, size_t expect) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return "open failed";
  termios t{};
  ::tcgetattr(fd, &t);
  ::cfmakeraw(&t);
  ::cfsetspeed(&t, B9600);
  ::tcsetattr(fd, TCSANOW, &t);
  std::string answer;
  if (::write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size())) {
    char buffer[512];
    pollfd p{fd, POLLIN, 0};
    while (answer.size() < expect && ::poll(&p, 1, 1000) > 0) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      answer.append(buffer, static_cast<size_t>(n));
    }
  }
  ::close(fd);
  return answer;
}

TEST(Pty, AnswersOverThePseudoTerminalAndEndsSessionsWhenIdle) {
  const auto link =
      std::filesystem::temp_directory_path() / ("ravo-sim-pty-" + std::to_string(::getpid()));
  {
    SimProcess sim({"--pty", link.string(), "--firmware", "3.1.4"});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Exchange(link.string(), "ZZZGETVERSION\r\n", 3), std::string("\x03\x01\x04"));
    const std::string block = Exchange(link.string(), "ZZZCR\n", 256);
    ASSERT_EQ(block.size(), 256u);
    EXPECT_EQ(block[0], '\x78');
    // Text over the serial line is printed once the line goes quiet.
    EXPECT_EQ(Exchange(link.string(), "serial text\n", 0), "");
    ASSERT_TRUE(sim.WaitForClosedSessions(1));
    EXPECT_EQ(sim.Labels().size(), 1u);
    EXPECT_TRUE(sim.Stop());  // SIGTERM ends it cleanly
  }
  EXPECT_FALSE(std::filesystem::exists(link));  // the link goes with the daemon
}

TEST(Pty, SerialPortStringOfTheSdk) {
  const auto link =
      std::filesystem::temp_directory_path() / ("ravo-sim-tty-" + std::to_string(::getpid()));
  SimProcess sim({"--pty", link.string(), "--serial", "PTY-42"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  for (int round = 0; round < 2; ++round) {  // the host opens the port per action
    HostSession host(link.string() + ",BAUDRATE_9600");
    ASSERT_EQ(host.open_result(), 0);
    ASSERT_EQ(host.Write("ZZZGETSN\r\n"), 0);
    uint8_t sn[32] = {};
    int32_t stored = 0;
    EXPECT_EQ(PrtReadDataEOF(host.handle(), sn, 0, 32, 0, 0, &stored), 0);
    EXPECT_STREQ(reinterpret_cast<const char *>(sn + 1), "PTY-42");
  }
}

}  // namespace
}  // namespace ravo::sim
