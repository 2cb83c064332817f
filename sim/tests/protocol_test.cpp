// The printer's answers as the host reads them through the SDK library.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "host_session.h"

namespace ravo::sim {
namespace {

using namespace std::string_literals;

std::vector<uint8_t> ReadBlock(const SimProcess &sim, std::string_view request) {
  HostSession host(sim);
  EXPECT_EQ(host.Write(request), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return host.ReadUpTo(256);
}

bool Valid(const std::vector<uint8_t> &b) {
  const uint16_t sum = HostChecksum(b);
  return b.size() == 256 && b[0] == 0x78 && b[254] == (sum & 0xFF) && b[255] == (sum >> 8);
}

void WriteBlock(const SimProcess &sim, std::string_view header, std::vector<uint8_t> block) {
  HostSession host(sim);
  EXPECT_EQ(host.Write(header), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(host.Write(std::string(block.begin(), block.end())), 0);
}

std::vector<uint8_t> Sealed(std::vector<uint8_t> b) {
  const uint16_t sum = HostChecksum(b);
  b[254] = sum & 0xFF;
  b[255] = sum >> 8;
  return b;
}

TEST(Protocol, BlockReadWriteInBothForms) {
  struct Row {
    const char *command_mode;
    std::string read, write;
  };
  for (const Row &r : {Row{"1", "ZZZCR\n", "ZZZCW "}, Row{"none", "\x12\x62", "\x12\x63"}}) {
    SimProcess sim({"--model", "TQM", "--command-mode", r.command_mode});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    const auto original = ReadBlock(sim, r.read);
    ASSERT_TRUE(Valid(original));

    // A block whose checksum is wrong is refused; the stored one stays.
    auto edited = original;
    edited[34] = static_cast<uint8_t>(edited[34] ^ 0x03);
    auto wrong = Sealed(edited);
    wrong[255] ^= 0x01;
    WriteBlock(sim, r.write, wrong);
    ASSERT_TRUE(sim.WaitForClosedSessions(2));
    EXPECT_EQ(ReadBlock(sim, r.read), original);
    EXPECT_FALSE(sim.StoredBlock().has_value());

    // A sound block is kept, also across a restart.
    WriteBlock(sim, r.write, Sealed(edited));
    ASSERT_TRUE(sim.WaitForClosedSessions(4));
    EXPECT_EQ(sim.StoredBlock(), Sealed(edited));
    ASSERT_TRUE(sim.Restart()) << sim.Error();
    EXPECT_EQ(ReadBlock(sim, r.read), Sealed(edited));

    // Factory reset brings the first block back.
    {
      HostSession host(sim);
      EXPECT_EQ(host.Write("\x1B\x21\x52"), 0);
    }
    EXPECT_EQ(ReadBlock(sim, r.read), original);
  }
}

TEST(Protocol, InformationAnswers) {
  SimProcess sim({"--serial", "A1B2C3D4E5", "--firmware", "2.0.13.4", "--journey", "12345",
                  "--command-mode", "0"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  HostSession host(sim);
  ASSERT_EQ(host.open_result(), 0);

  ASSERT_EQ(host.Write("ZZZGETSN\r\n"), 0);
  uint8_t sn[32] = {};
  int32_t stored = 0;
  EXPECT_EQ(PrtReadDataEOF(host.handle(), sn, 0, 32, 0, 0, &stored), 0);
  EXPECT_STREQ(reinterpret_cast<const char *>(sn + 1), "A1B2C3D4E5");

  ASSERT_EQ(host.Write("ZZZGETJOURNEY\r\n"), 0);
  EXPECT_EQ(host.ReadUpTo(4), (std::vector<uint8_t>{0, 0, 0x30, 0x39}));
  ASSERT_EQ(host.Write("ZZZGETVERSION\r\n"), 0);
  EXPECT_EQ(host.ReadUpTo(4), (std::vector<uint8_t>{2, 0, 13, 4}));
  ASSERT_EQ(host.Write("\x1B\x1B\x08"), 0);
  EXPECT_EQ(host.ReadUpTo(1), std::vector<uint8_t>{0});
}

TEST(Protocol, DownloadListAndKill) {
  SimProcess sim({"--flash-size", "65536", "--dram-size", "32768"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  HostSession host(sim);
  ASSERT_EQ(host.open_result(), 0);
  auto list = [&](const char *which) {
    EXPECT_EQ(host.Write("ZZZFILES "s + which + "\r\n"), 0);
    std::vector<uint8_t> buffer(1024);
    int32_t stored = 0;
    EXPECT_EQ(PrtReadDataEOF(host.handle(), buffer.data(), 0, 1024, 0, 0x0D, &stored), 0);
    return std::string(buffer.begin(), buffer.begin() + stored);
  };

  // A 2500-byte file goes out as the prefix and pieces of 1024 bytes.
  const std::string body = "\"BIG.DAT\",2485," + std::string(2485, '\x1B');
  ASSERT_EQ(body.size(), 2500u);
  EXPECT_EQ(host.Write("DOWNLOAD F,"), 0);
  for (size_t at = 0; at < body.size(); at += 1024) EXPECT_EQ(host.Write(body.substr(at, 1024)), 0);
  EXPECT_EQ(host.Write("DOWNLOAD \"T.BAS\"\r\nCLS\r\nPRINT 1\r\nEOP\r\n"), 0);
  EXPECT_EQ(list("F"), "BIG.DAT\r");
  EXPECT_EQ(list("N"), "T.BAS\r");

  EXPECT_EQ(host.Write("ZZZFILESSIZE\r\n"), 0);
  const auto sizes = host.ReadUpTo(16);
  ASSERT_EQ(sizes.size(), 16u);
  auto le = [&](int i) {
    return static_cast<int32_t>(sizes[i] | sizes[i + 1] << 8 | sizes[i + 2] << 16 |
                                sizes[i + 3] << 24);
  };
  EXPECT_EQ(le(0), 65536);
  EXPECT_EQ(le(4), 65536 - 2485);
  EXPECT_EQ(le(8), 32768);

  EXPECT_EQ(host.Write("RUN \"T.BAS\"\r\nKILL F,\"BIG.DAT\"\r\nKILL \"*\"\r\n"), 0);
  EXPECT_EQ(list("F"), "\r");
  EXPECT_EQ(list("N"), "\r");
  host.Close();
  ASSERT_TRUE(sim.WaitForClosedSessions(1));
  EXPECT_EQ(sim.Labels().size(), 1u);  // the stored program printed

  // The log holds exactly what the host sent.
  const auto sessions = sim.Sessions();
  ASSERT_EQ(sessions.size(), 1u);
  const std::string logged(sessions[0].bytes.begin(), sessions[0].bytes.end());
  EXPECT_EQ(logged.substr(0, 11), "DOWNLOAD F,");
  EXPECT_NE(logged.find(body), std::string::npos);
}

}  // namespace
}  // namespace ravo::sim
