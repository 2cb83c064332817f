// Whatever lies in the state directory, the printer starts, and label
// numbers carry on without running over.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "raw_host.h"
#include "sim_process.h"

namespace ravo::sim {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

std::set<std::string> Names(const std::filesystem::path &dir) {
  std::set<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

void Touch(const std::filesystem::path &path) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path) << "x";
}

TEST(StateDir, OddNamesDoNotStopStartUpAndNumbersDoNotRunOver) {
  struct Row {
    std::vector<std::string> planted;
    std::string next;  // the label the next job is saved as; empty: none
  };
  const Row rows[] = {
      {{"label-0003.png", "label-99999999999.png"}, "label-100000000000.png"},
      {{"label-2147483647.png"}, "label-2147483648.png"},
      {{"label-9223372036854775807.png"}, ""},
      {{"label-99999999999999999999999.png", "label--5.png", "label-.png", "label-x1.png",
        "label-0007.png.bak", "label-12", "notes.txt", "flash/odd%ZZ", "flash/sub/file",
        "dram/sub/file"},
       "label-0001.png"},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.planted.front());
    SimProcess sim({"--serial", "DIR-1"});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    ASSERT_TRUE(sim.Stop());
    for (const auto &name : row.planted) Touch(sim.StateDir() / name);
    const auto before = Names(sim.StateDir());
    ASSERT_TRUE(sim.Restart()) << sim.Error();
    {
      RawHost host(sim.Port());
      ASSERT_TRUE(host.Send("SIZE 10 mm,5 mm\r\nCLS\r\nPRINT 1\r\nZZZGETSN\r\nZZZFILES F\r\n"));
      EXPECT_EQ(host.Read(7 + 1, 2s),
                "\x05"
                "DIR-1\0\r"s);
    }
    ASSERT_TRUE(sim.WaitForClosedSessions(1));
    std::set<std::string> added;
    for (const auto &name : Names(sim.StateDir()))
      if (!before.contains(name) && name.starts_with("label")) added.insert(name);
    EXPECT_EQ(added, row.next.empty() ? std::set<std::string>{} : std::set{row.next});
  }
}

}  // namespace
}  // namespace ravo::sim
