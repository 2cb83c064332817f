// A job is processed by one thread only.
//
// PAPPL 1.3 marks a job as processing only once the thread it starts for
// the job runs; anything that makes it look for work in between (another
// job's document arriving, a release) finds the job still pending and
// starts a second thread for it.  Both threads would share the job's data
// and print it, or spoil each other's raster and abort it.  The first
// thread to claim the job processes it; a second one waits until the
// first is done and then does nothing, so that the job prints once.
#pragma once

#include <pappl/pappl.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>

namespace ravo::app {

// The claims on one printer's jobs.
class JobClaims {
 public:
  // True for the first claim of `jobId`.  A later claim waits until the
  // first claimant is done (or `stopping` says so) and gives false.
  bool Claim(int jobId, const std::function<bool()> &stopping);
  void Done(int jobId);

 private:
  // A second start comes within moments of the first: claims of jobs
  // this far behind the newest are forgotten.
  static constexpr int kRemembered = 1024;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<int, bool> done_;  // claimed job → its claimant is done
};

// Claims `job` for the calling thread: true when this thread processes it
// (also when it claimed it before), false for a second thread, which has
// then waited for the first and must leave the job alone.
bool ClaimJob(pappl_job_t *job);

// Whether the calling thread is a job's second thread.
bool IsSecondThread();

// The claiming thread is done with `job`; nothing for other threads.
void ReleaseJob(pappl_job_t *job);

// ClaimJob() now, ReleaseJob() when it goes out of scope.
class JobClaim {
 public:
  explicit JobClaim(pappl_job_t *job) : job_(job), ours_(ClaimJob(job)) {}
  ~JobClaim() {
    if (ours_) ReleaseJob(job_);
  }
  JobClaim(const JobClaim &) = delete;
  JobClaim &operator=(const JobClaim &) = delete;

  bool Ours() const { return ours_; }

 private:
  pappl_job_t *job_;
  bool ours_;
};

}  // namespace ravo::app
