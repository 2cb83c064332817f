#include <gtest/gtest.h>

#include <vector>

#include "job_order.h"

namespace ravo::app {
namespace {

constexpr auto kPending = IPP_JSTATE_PENDING;
constexpr auto kHeld = IPP_JSTATE_HELD;
constexpr auto kProcessing = IPP_JSTATE_PROCESSING;

struct PlanRow {
  const char *what;
  std::vector<ActiveJob> jobs;  // newest first, as PAPPL lists them
  std::set<int> heldByUs;
  int ending;
  std::vector<int> hold;
  std::optional<int> release;
};

TEST(ArrivalOrder, OnlyTheOldestWaitingJobStaysPending) {
  const std::vector<PlanRow> rows = {
      {"nothing waits", {{1, kProcessing}}, {}, 0, {}, std::nullopt},
      {"one job waits", {{2, kPending}, {1, kProcessing}}, {}, 0, {}, std::nullopt},
      {"younger pending jobs are held",
       {{4, kPending}, {3, kPending}, {2, kPending}, {1, kProcessing}},
       {},
       0,
       {4, 3},
       std::nullopt},
      {"the oldest, held by us, is released; a new arrival held",
       {{5, kPending}, {4, kHeld}, {3, kHeld}, {2, kProcessing}},
       {3, 4},
       2,
       {5},
       3},
      {"the ending job does not count as waiting",
       {{3, kPending}, {2, kPending}},
       {},
       2,
       {},
       std::nullopt},
      {"a job a user holds is left alone and does not count",
       {{4, kPending}, {3, kHeld}, {2, kHeld}},
       {3},
       0,
       {4},
       3},
      {"a job we hold while its document is still coming is not released",
       {{3, kPending}, {2, kHeld, false}},
       {2},
       0,
       {},
       std::nullopt},
      {"a released job older than ours goes first",
       {{6, kHeld}, {5, kHeld}, {2, kPending}},
       {5, 6},
       0,
       {},
       std::nullopt},
  };
  for (const PlanRow &row : rows) {
    const OrderPlan plan = PlanArrivalOrder(row.jobs, row.heldByUs, row.ending);
    EXPECT_EQ(plan.hold, row.hold) << row.what;
    EXPECT_EQ(plan.release, row.release) << row.what;
  }
}

}  // namespace
}  // namespace ravo::app
