// Each injected fault shows on the host's side of the wire.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host_session.h"

namespace ravo::sim {
namespace {

void Pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TEST(Faults, SplitAnswerArrivesInPieces) {
  SimProcess sim({"--split", "100,100,56", "--split-pause-ms", "250"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  HostSession host(sim, "TIMEOUT_1000");
  ASSERT_EQ(host.Write("ZZZCR\n"), 0);
  std::vector<size_t> pieces;
  std::vector<uint8_t> block;
  while (block.size() < 256) {
    const auto piece = host.ReadOnce(256 - block.size());
    if (piece.empty()) break;
    pieces.push_back(piece.size());
    block.insert(block.end(), piece.begin(), piece.end());
  }
  EXPECT_EQ(pieces, (std::vector<size_t>{100, 100, 56}));
  ASSERT_EQ(block.size(), 256u);
  EXPECT_EQ(block[0], 0x78);
}

TEST(Faults, DelayedAnswer) {
  SimProcess sim({"--answer-delay-ms", "700"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  HostSession host(sim, "TIMEOUT_200");
  ASSERT_EQ(host.Write("ZZZGETVERSION\r\n"), 0);
  EXPECT_TRUE(host.ReadOnce(3).empty());  // not within 200 ms
  Pause(700);
  EXPECT_EQ(host.ReadUpTo(3).size(), 3u);
}

TEST(Faults, NoAnswerButBytesReceived) {
  SimProcess sim({"--no-answer"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  {
    HostSession host(sim, "TIMEOUT_200");
    ASSERT_EQ(host.Write("\x1B\x1B\x08"), 0);
    EXPECT_TRUE(host.ReadUpTo(1).empty());
  }
  ASSERT_TRUE(sim.WaitForClosedSessions(1));
  EXPECT_EQ(sim.Sessions()[0].bytes, (std::vector<uint8_t>{0x1B, 0x1B, 0x08}));
}

TEST(Faults, WrongChecksumInBlock) {
  SimProcess sim({"--bad-checksum"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  HostSession host(sim);
  ASSERT_EQ(host.Write("ZZZCR\n"), 0);
  const auto block = host.ReadUpTo(256);
  ASSERT_EQ(block.size(), 256u);
  EXPECT_EQ(block[0], 0x78);
  const uint16_t sum = HostChecksum(block);
  EXPECT_FALSE(block[254] == (sum & 0xFF) && block[255] == (sum >> 8));
}

TEST(Faults, ConnectionClosedAfterNBytes) {
  SimProcess sim({"--close-after", "5"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  {
    HostSession host(sim, "TIMEOUT_200");
    ASSERT_EQ(host.Write("ZZZGETSN\r\n"), 0);
    int32_t result = 0;
    EXPECT_TRUE(host.ReadOnce(32, &result).empty());
  }
  ASSERT_TRUE(sim.WaitForClosedSessions(1));
  const auto first = sim.Sessions()[0];
  EXPECT_EQ(std::string(first.bytes.begin(), first.bytes.end()), "ZZZGE");
  // The limit is per connection: a short exchange afterwards works.
  HostSession again(sim);
  ASSERT_EQ(again.Write("\x1B\x1B\x08"), 0);
  EXPECT_EQ(again.ReadUpTo(1), std::vector<uint8_t>{1});
}

}  // namespace
}  // namespace ravo::sim
