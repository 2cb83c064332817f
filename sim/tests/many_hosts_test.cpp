// A networked printer serves whoever connects: a host that is silent, stops
// reading or leaves a job half sent holds only its own connection.
#include <gtest/gtest.h>

#include <QImage>
#include <csignal>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "raw_host.h"
#include "sim_process.h"

namespace ravo::sim {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

const std::string kSerial = "NET-7";
const std::string kSerialAnswer = "\x05NET-7\0"s;

// Asks for the serial number on a connection of its own.
std::string SerialFromAnotherHost(const SimProcess &sim) {
  RawHost host(sim.Port());
  if (!host.Send("ZZZGETSN\r\n")) return "send failed";
  return host.Read(kSerialAnswer.size(), 1s);
}

int DarkDots(const QImage &img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += qGray(img.pixel(x, y)) < 128;
  return n;
}

QImage Load(const std::filesystem::path &path) {
  return QImage(QString::fromStdString(path.string()));
}

TEST(ManyHosts, OthersAreAnsweredWhileOneMisbehavesAndStopSignalsStillWork) {
  struct Row {
    const char *name;
    std::function<void(RawHost &)> misbehave;
    int stop_signal;
  };
  const Row rows[] = {
      {"silent", [](RawHost &) {}, SIGTERM},
      {"open CPCL label",
       [](RawHost &h) { EXPECT_TRUE(h.Send("! 0 200 200 210 1\r\nTEXT 4 0 30 40 A\r\n")); },
       SIGINT},
      {"half a parameter block",
       [](RawHost &h) { EXPECT_TRUE(h.Send("ZZZCW " + std::string(100, '\x78'))); }, SIGTERM},
      {"not reading", [](RawHost &h) { EXPECT_TRUE(h.SendUntilRefused("ZZZCR\n", 300ms)); },
       SIGTERM},
      {"not reading", [](RawHost &h) { EXPECT_TRUE(h.SendUntilRefused("ZZZCR\n", 300ms)); },
       SIGINT},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    SimProcess sim({"--serial", kSerial});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    RawHost bad(sim.Port(), 4096);
    ASSERT_TRUE(bad.Connected());
    row.misbehave(bad);
    EXPECT_EQ(SerialFromAnotherHost(sim), kSerialAnswer);
    EXPECT_EQ(SerialFromAnotherHost(sim), kSerialAnswer);
    EXPECT_TRUE(sim.Stop(1s, row.stop_signal));
  }
}

TEST(ManyHosts, WhatAConnectionLeavesUnfinishedIsDroppedWhenItCloses) {
  const std::string tspl_setup = "SIZE 40 mm,25 mm\r\nGAP 2 mm,0\r\nCLS\r\n";
  struct Row {
    const char *name;
    std::string left_over;  // sent by the first host, which then closes
    std::string then;       // sent by the next host after its serial query
    size_t labels;          // the next host's label is blank and 25 mm high
  };
  const Row rows[] = {
      {"CPCL label", "! 0 200 200 210 1\r\nTEXT 4 0 30 40 OLD\r\n", "PRINT\r\n", 0},
      {"TSPL drawing", tspl_setup + "BAR 0,0,320,200\r\n", "PRINT 1\r\n", 1},
      {"half a bitmap", tspl_setup + "BITMAP 0,0,40,200,0\r\n" + std::string(1000, '\0'),
       "PRINT 1\r\n", 1},
      {"half a parameter block", "ZZZCW " + std::string(100, '\x78'), "", 0},
      {"half a download", "DOWNLOAD \"A.BAS\",400," + std::string(100, 'A'), "", 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    SimProcess sim({"--serial", kSerial});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    {
      RawHost first(sim.Port());
      ASSERT_TRUE(first.Send(row.left_over));
    }
    ASSERT_TRUE(sim.WaitForClosedSessions(1));
    {
      RawHost next(sim.Port());
      ASSERT_TRUE(next.Send("ZZZGETSN\r\n" + row.then));
      EXPECT_EQ(next.Read(kSerialAnswer.size(), 1s), kSerialAnswer);
    }
    ASSERT_TRUE(sim.WaitForClosedSessions(2));
    const auto labels = sim.Labels();
    ASSERT_EQ(labels.size(), row.labels);
    if (!labels.empty()) {
      const QImage img = Load(labels[0]);
      EXPECT_EQ(img.height(), 200);  // the settings stay, the drawing goes
      EXPECT_EQ(DarkDots(img), 0);
    }
    EXPECT_FALSE(sim.StoredBlock().has_value());
  }
}

TEST(ManyHosts, SixtyFourHostsAtOnceAreAllAnswered) {
  SimProcess sim({"--serial", kSerial});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  std::vector<std::unique_ptr<RawHost>> hosts;
  for (int i = 0; i < 64; ++i) {
    hosts.push_back(std::make_unique<RawHost>(sim.Port()));
    ASSERT_TRUE(hosts.back()->Connected()) << i;
  }
  for (auto &host : hosts) ASSERT_TRUE(host->Send("ZZZGETSN\r\n"));
  for (size_t i = 0; i < hosts.size(); ++i)
    EXPECT_EQ(hosts[i]->Read(kSerialAnswer.size(), 5s), kSerialAnswer) << i;
  hosts.clear();
  EXPECT_TRUE(sim.WaitForClosedSessions(64));
}

TEST(ManyHosts, IdleConnectionsAreClosed) {
  SimProcess sim({"--serial", kSerial, "--idle-timeout", "1"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  RawHost silent(sim.Port()), busy(sim.Port());
  // Talking more often than the timeout keeps a connection open.
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(busy.Send("ZZZGETSN\r\n"));
    EXPECT_EQ(busy.Read(kSerialAnswer.size(), 1s), kSerialAnswer) << i;
    std::this_thread::sleep_for(250ms);
  }
  EXPECT_TRUE(silent.ClosedWithin(5s));
  EXPECT_TRUE(busy.ClosedWithin(5s));
  EXPECT_TRUE(sim.WaitForClosedSessions(2));
}

}  // namespace
}  // namespace ravo::sim
