#include "job_claim.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace ravo::app {
namespace {

auto Never() {
  return [] { return false; };
}

TEST(JobClaims, ASecondThreadWaitsUntilTheFirstIsDoneAndLeavesTheJobAlone) {
  JobClaims claims;
  ASSERT_TRUE(claims.Claim(5, Never()));
  EXPECT_TRUE(claims.Claim(6, Never()));  // another job is not held up
  std::atomic<bool> firstDone = false;
  std::atomic<bool> secondSawFirstDone = false;
  bool secondClaimed = true;
  std::thread second([&] {
    secondClaimed = claims.Claim(5, Never());
    secondSawFirstDone = firstDone.load();
  });
  firstDone = true;
  claims.Done(5);
  second.join();
  EXPECT_FALSE(secondClaimed);
  EXPECT_TRUE(secondSawFirstDone);
}

TEST(JobClaims, ASecondThreadStopsWaitingAtShutdownAndLongAgoJobsAreForgotten) {
  JobClaims claims;
  ASSERT_TRUE(claims.Claim(1, Never()));
  EXPECT_FALSE(claims.Claim(1, [] { return true; }));
  // Far newer jobs push out the claim: memory stays bounded.
  ASSERT_TRUE(claims.Claim(5000, Never()));
  EXPECT_TRUE(claims.Claim(1, Never()));
}

}  // namespace
}  // namespace ravo::app
