#include "device_turn.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace ravo::app {
namespace {

size_t Waiting(DeviceQueue &queue) {
  std::lock_guard lock(queue.mutex);
  return queue.waiting.size();
}

void WaitForWaiters(DeviceQueue &queue, size_t count) {
  while (Waiting(queue) < count) std::this_thread::yield();
}

TEST(DeviceTurn, JobsWaitingForTheDeviceGetItOldestFirst) {
  DeviceQueue queue;
  std::mutex orderMutex;
  std::vector<int> order;
  std::vector<std::thread> jobs;
  {
    const DeviceTurn first(
        queue, 10, [] { return false; }, [] { return false; });
    ASSERT_TRUE(first.Held());
    for (int id : {13, 11, 12}) {
      jobs.emplace_back([&, id] {
        const DeviceTurn turn(
            queue, id, [] { return false; }, [] { return false; });
        std::lock_guard lock(orderMutex);
        if (turn.Held()) order.push_back(id);
      });
      WaitForWaiters(queue, jobs.size());
    }
  }
  for (std::thread &job : jobs) job.join();
  EXPECT_EQ(order, (std::vector<int>{11, 12, 13}));
  EXPECT_FALSE(queue.busy);
}

TEST(DeviceTurn, ACanceledJobLeavesTheQueueWithoutTheDeviceAndBlocksNobody) {
  DeviceQueue queue;
  std::atomic<bool> canceled = false;
  std::atomic<bool> canceledHeld = true;
  std::atomic<bool> youngerHeld = false;
  std::thread older;
  std::thread younger;
  {
    const DeviceTurn first(
        queue, 1, [] { return false; }, [] { return false; });
    older = std::thread([&] {
      const DeviceTurn turn(
          queue, 2, [&] { return canceled.load(); }, [] { return false; });
      canceledHeld = turn.Held();
    });
    WaitForWaiters(queue, 1);
    younger = std::thread([&] {
      const DeviceTurn turn(
          queue, 3, [] { return false; }, [] { return false; });
      youngerHeld = turn.Held();
    });
    WaitForWaiters(queue, 2);
    canceled = true;
    older.join();
    EXPECT_FALSE(canceledHeld);
    EXPECT_FALSE(youngerHeld);  // the first job still has the device
  }
  younger.join();
  EXPECT_TRUE(youngerHeld);
}

TEST(DeviceTurn, AnOlderJobStillBeingPreparedGoesFirst) {
  DeviceQueue queue;
  std::atomic<bool> olderPreparing = true;
  std::atomic<bool> held = false;
  std::thread younger([&] {
    const DeviceTurn turn(
        queue, 8, [] { return false; }, [&] { return olderPreparing.load(); });
    held = turn.Held();
  });
  WaitForWaiters(queue, 1);
  EXPECT_FALSE(held);
  {
    const DeviceTurn older(
        queue, 7, [] { return false; }, [] { return false; });
    EXPECT_TRUE(older.Held());
    olderPreparing = false;
  }
  younger.join();
  EXPECT_TRUE(held);
}

}  // namespace
}  // namespace ravo::app
