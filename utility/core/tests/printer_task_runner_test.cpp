// Conversations off the window thread: order, refusal while busy, cancel,
// a runner that goes away, progress.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <thread>

#include "printer_task_runner.h"

using namespace ravo::utility;

namespace {

QCoreApplication &App() {
  static int argc = 1;
  static char name[] = "printer_task_runner_test";
  static char *argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

// Processes events until pred holds or 5 s pass.
bool Until(const std::function<bool()> &pred) {
  QElapsedTimer clock;
  clock.start();
  while (!pred() && clock.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return pred();
}

bool Settled() {
  return Until([] { return PrinterTaskRunner::Unsettled() == 0; });
}

class TaskRunner : public ::testing::Test {
 protected:
  void SetUp() override { App(); }
  void TearDown() override { EXPECT_TRUE(Settled()); }

  // Starts work that waits until it is cancelled, and waits until it runs.
  void StartWaitingForCancel(PrinterTaskRunner &runner) {
    ASSERT_TRUE(runner.Start<int>(
        [this](const TaskControl &control) {
          started = true;
          while (!control.Cancelled()) QThread::msleep(5);
          sawCancel = true;
          return 0;
        },
        [this](int) { delivered = true; }));
    ASSERT_TRUE(Until([this] { return started.load(); }));
  }

  std::atomic<bool> started{false};
  std::atomic<bool> sawCancel{false};
  bool delivered = false;
};

TEST_F(TaskRunner, ResultsComeBackOnTheWindowThreadInStartOrder) {
  PrinterTaskRunner first;
  PrinterTaskRunner second;
  const auto window = std::this_thread::get_id();
  std::vector<std::string> order;
  std::atomic<bool> workOffThread{true};
  ASSERT_TRUE(first.Start<int>(
      [&](const TaskControl &) {
        workOffThread = workOffThread && std::this_thread::get_id() != window;
        QThread::msleep(100);
        return 1;
      },
      [&](int value) {
        EXPECT_EQ(std::this_thread::get_id(), window);
        order.push_back("first " + std::to_string(value));
      }));
  ASSERT_TRUE(
      second.Start<int>([](const TaskControl &) { return 2; },
                        [&](int value) { order.push_back("second " + std::to_string(value)); }));
  ASSERT_TRUE(Settled());
  EXPECT_TRUE(workOffThread);
  EXPECT_EQ(order, (std::vector<std::string>{"first 1", "second 2"}));
}

TEST_F(TaskRunner, NoSecondTaskWhileOneRuns) {
  PrinterTaskRunner runner;
  std::vector<bool> busy;
  runner.OnBusyChanged([&](bool b) { busy.push_back(b); });
  int done = 0;
  ASSERT_TRUE(runner.Start<int>(
      [](const TaskControl &) {
        QThread::msleep(50);
        return 0;
      },
      [&](int) { ++done; }));
  EXPECT_TRUE(runner.Busy());
  EXPECT_FALSE(runner.Start<int>([](const TaskControl &) { return 0; }, [&](int) { ++done; }));
  ASSERT_TRUE(Settled());
  EXPECT_FALSE(runner.Busy());
  EXPECT_EQ(done, 1);
  EXPECT_EQ(busy, (std::vector<bool>{true, false}));
}

TEST_F(TaskRunner, CancelEndsTheWaitAndDropsTheResult) {
  PrinterTaskRunner runner;
  ASSERT_NO_FATAL_FAILURE(StartWaitingForCancel(runner));
  runner.Cancel();
  EXPECT_FALSE(runner.Busy());  // at once, not when the task notices
  // The next task queues behind the cancelled one and still runs.
  bool next = false;
  ASSERT_TRUE(runner.Start<int>([](const TaskControl &) { return 3; }, [&](int) { next = true; }));
  ASSERT_TRUE(Settled());
  EXPECT_TRUE(sawCancel);
  EXPECT_FALSE(delivered);
  EXPECT_TRUE(next);
}

TEST_F(TaskRunner, ARunnerThatGoesAwayCancelsItsTask) {
  {
    PrinterTaskRunner runner;
    ASSERT_NO_FATAL_FAILURE(StartWaitingForCancel(runner));
  }
  ASSERT_TRUE(Settled());
  EXPECT_TRUE(sawCancel);
  EXPECT_FALSE(delivered);
}

TEST_F(TaskRunner, ATaskCancelledBeforeItStartsNeverTalksToThePrinter) {
  PrinterTaskRunner blocker;
  std::atomic<bool> release{false};
  ASSERT_TRUE(blocker.Start<int>(
      [&](const TaskControl &) {
        while (!release) QThread::msleep(2);
        return 0;
      },
      [](int) {}));
  PrinterTaskRunner runner;
  std::atomic<bool> ran{false};
  ASSERT_TRUE(runner.Start<int>(
      [&](const TaskControl &) {
        ran = true;
        return 0;
      },
      [](int) {}));
  runner.Cancel();
  release = true;
  ASSERT_TRUE(Settled());
  EXPECT_FALSE(ran);
}

TEST_F(TaskRunner, ProgressArrivesWithTheLatestFigures) {
  PrinterTaskRunner runner;
  std::vector<std::pair<int64_t, int64_t>> seen;
  runner.OnProgress([&](int64_t done, int64_t total) { seen.emplace_back(done, total); });
  ASSERT_TRUE(runner.Start<int>(
      [](const TaskControl &control) {
        for (int i = 1; i <= 1000; ++i) control.Progress(i, 1000);
        QThread::msleep(50);  // the last report reaches the window before the result
        return 0;
      },
      [](int) {}));
  ASSERT_TRUE(Settled());
  ASSERT_FALSE(seen.empty());
  EXPECT_LT(seen.size(), 1000u);  // folded, not one event per report
  EXPECT_EQ(seen.back(), (std::pair<int64_t, int64_t>{1000, 1000}));
}

}  // namespace
