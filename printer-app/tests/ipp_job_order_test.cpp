// Jobs that queue up print in the order they arrived, each once: behind a
// printer that is away (one of them canceled), behind a slow printer, and
// around a job a user holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app_on_sim.h"
#include "ipp_client.h"

namespace ravo::app::test {
namespace {

// Job k prints a block in slot k of a row of slots, as raw TSPL or as a
// 4×6-inch PNG, so that every label tells which job it came from.
constexpr uint32_t kSlotWidth = 80;
constexpr uint32_t kSlots = 8;

uint32_t SlotLeft(int slot) {
  return 40 + kSlotWidth * static_cast<uint32_t>(slot);
}

std::string TsplJob(int slot) {
  return "SIZE 101.6 mm,20 mm\r\nCLS\r\nBAR " + std::to_string(SlotLeft(slot)) +
         ",40,60,60\r\nPRINT 1\r\n";
}

GreyPicture PngJob(int slot) {
  GreyPicture picture = GreyPicture::White(812, 1218);
  picture.Fill(SlotLeft(slot), 40, SlotLeft(slot) + 60, 100, 0);
  return picture;
}

// The slot a label shows its block in; -1 for none or several.
int SlotOf(const GreyPicture &label) {
  int found = -1;
  for (uint32_t slot = 0; slot < kSlots && label.width >= SlotLeft(slot) + 60; ++slot) {
    if (label.DarkShare(SlotLeft(slot) + 5, 45, SlotLeft(slot) + 55, 95) < 0.9) continue;
    if (found >= 0) return -1;
    found = static_cast<int>(slot);
  }
  return found;
}

class JobOrderTest : public AppOnSim {
 protected:
  // Job `slot`: even slots raw TSPL, odd ones PNG, so both ways through
  // the drivers are in the queue.
  int Submit(int slot) {
    const std::string name = "job" + std::to_string(slot);
    if (slot % 2 == 0) {
      return PrintJob(Uri(), WriteDocument(name + ".tspl", TsplJob(slot)),
                      "application/vnd.ravo-tspl");
    }
    return PrintJob(Uri(), WritePicture(name + ".png", PngJob(slot)), "image/png");
  }

  // The slots of the printed labels, in print order, once `count` are
  // out and the printer has stopped (so that a label printed twice shows).
  std::vector<int> PrintedSlots(size_t count) const {
    EXPECT_TRUE(WaitForLabels(count));
    EXPECT_TRUE(sim_->Stop());
    std::vector<int> slots;
    for (size_t i = 0; i < sim_->Labels().size(); ++i) slots.push_back(SlotOf(Label(i)));
    return slots;
  }

  void ExpectCompleted(const std::vector<int> &jobs) const {
    for (int job : jobs) EXPECT_TRUE(WaitForJobState(Uri(), job, "completed", 20)) << job;
  }
};

// One of them is canceled while it waits: the others keep their order.
TEST_F(JobOrderTest, JobsQueuedWhileThePrinterIsAwayPrintInArrivalOrder) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  ASSERT_TRUE(sim_->Stop());
  std::vector<int> jobs;
  for (int slot = 0; slot < 5; ++slot) {
    jobs.push_back(Submit(slot));
    ASSERT_GT(jobs.back(), 0);
  }
  ASSERT_TRUE(CancelJob(Uri(), jobs[2]));
  ASSERT_TRUE(sim_->RestartOnSamePort()) << sim_->Error();
  ExpectCompleted({jobs[0], jobs[1], jobs[3], jobs[4]});
  EXPECT_EQ(JobState(Uri(), jobs[2]), "canceled");
  EXPECT_EQ(PrintedSlots(4), (std::vector<int>{0, 1, 3, 4}));
}

TEST_F(JobOrderTest, JobsSentFasterThanThePrinterPrintsKeepTheirOrder) {
  // Every status answer takes 300 ms: a job takes over half a second.
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV", "--answer-delay-ms", "300"}, "ravo_tgv"));
  std::vector<int> jobs;
  for (int slot = 0; slot < 6; ++slot) {
    jobs.push_back(Submit(slot));
    ASSERT_GT(jobs.back(), 0);
  }
  ExpectCompleted(jobs);
  EXPECT_EQ(PrintedSlots(6), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(JobOrderTest, JobAUserHoldsWaitsUntilReleasedAndThenPrintsOnce) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  ASSERT_TRUE(sim_->Stop());
  const int held = PrintJob(Uri(), WriteDocument("held.tspl", TsplJob(0)),
                            "application/vnd.ravo-tspl", "ATTR keyword job-hold-until indefinite");
  ASSERT_GT(held, 0);
  const std::vector<int> jobs = {Submit(1), Submit(2), Submit(3)};
  ASSERT_TRUE(sim_->RestartOnSamePort()) << sim_->Error();
  ExpectCompleted(jobs);
  EXPECT_EQ(JobState(Uri(), held), "pending-held");
  ASSERT_TRUE(ReleaseJob(Uri(), held));
  ExpectCompleted({held});
  EXPECT_EQ(PrintedSlots(4), (std::vector<int>{1, 2, 3, 0}));
}

// CUPS makes a job with Create-Job and sends its document after: another
// job ending in between leaves it waiting, and it prints once it is whole.
TEST_F(JobOrderTest, AJobWaitingForItsDocumentPrintsWhenTheDocumentComes) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  const int waiting = CreateJob(Uri());
  ASSERT_GT(waiting, 0);
  const int other = Submit(1);
  ASSERT_GT(other, 0);
  ExpectCompleted({other});
  EXPECT_EQ(JobState(Uri(), waiting), "pending-held");
  ASSERT_TRUE(SendDocument(Uri(), waiting, WritePicture("late.png", PngJob(2)), "image/png"));
  ExpectCompleted({waiting});
  EXPECT_EQ(PrintedSlots(2), (std::vector<int>{1, 2}));
}

// Jobs reach an idle printer together, or back to back from one client,
// so that the framework may start two of them at once on one connection.
class JobsTogetherTest : public JobOrderTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
    // Pictures, which take the longest to prepare: the widest window.
    files_[0] = WritePicture("together0.png", PngJob(0));
    files_[1] = WritePicture("together1.png", PngJob(1));
  }
  int Send(int slot) const { return PrintJob(Uri(), files_[slot], "image/png"); }

  std::string files_[2];
  static constexpr int kRounds = 20;
};

// Two clients at the same instant: each job prints once and whole (which
// of them is older is chance).
TEST_F(JobsTogetherTest, JobsArrivingAtTheSameInstantPrintOnceWhole) {
  for (int round = 0; round < kRounds; ++round) {
    int ids[2] = {0, 0};
    std::atomic<int> ready = 0;
    auto submit = [&](int slot) {
      ++ready;
      while (ready < 2) std::this_thread::yield();
      ids[slot] = Send(slot);
    };
    std::thread other(submit, 1);
    submit(0);
    other.join();
    ASSERT_GT(ids[0], 0);
    ASSERT_GT(ids[1], 0);
    ExpectCompleted({ids[0], ids[1]});
  }
  std::vector<int> slots = PrintedSlots(2 * kRounds);
  ASSERT_EQ(slots.size(), 2u * kRounds);
  for (int round = 0; round < kRounds; ++round) {
    EXPECT_EQ(std::min(slots[2 * round], slots[2 * round + 1]), 0) << round;
    EXPECT_EQ(std::max(slots[2 * round], slots[2 * round + 1]), 1) << round;
  }
  // Two jobs on one connection at once read each other's status answers
  // and take the printer for gone: a job sent again.
  EXPECT_EQ(app_->Log().find("Printer unreachable"), std::string::npos);
}

// One client sends a second job as soon as the first is accepted.
TEST_F(JobsTogetherTest, JobsSentBackToBackPrintInOrder) {
  std::vector<int> expected;
  for (int round = 0; round < kRounds; ++round) {
    const int first = Send(round % 2);
    const int second = Send(1 - round % 2);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    ExpectCompleted({first, second});
    expected.insert(expected.end(), {round % 2, 1 - round % 2});
  }
  EXPECT_EQ(PrintedSlots(expected.size()), expected);
}

}  // namespace
}  // namespace ravo::app::test
