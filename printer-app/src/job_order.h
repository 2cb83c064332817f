// Jobs of a printer print in the order they arrived.
//
// PAPPL 1.3 keeps a printer's active jobs newest first (Get-Jobs lists
// them so) and, when the printer becomes free, starts the first pending
// job of that list: jobs that queue up behind a busy or absent printer
// would print newest first.  The application therefore lets PAPPL see at
// most one pending job per printer, the oldest: it holds every younger
// waiting job (shown as held, "job-hold-until-specified") and releases
// the oldest when its turn comes.
//
// PAPPL picks the next job the moment a job's processing ends, so the
// order is put right synchronously at the end of every job, while PAPPL
// cannot pick yet; jobs that arrive between that moment and PAPPL's pick
// are held by PAPPL itself (hold-new-jobs, for that short window only).
// A one-second timer repairs the order after what the application does
// not see (a job canceled before it reached the driver, Release-Job,
// Resume-Printer).  Jobs a user held stay held; a user's Release-Job puts
// that job back in arrival order.
#pragma once

#include <pappl/pappl.h>

#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <vector>

namespace ravo::app {

// A job of the printer's active list.
struct ActiveJob {
  int id = 0;
  ipp_jstate_t state = IPP_JSTATE_PENDING;
  // False while a job made by Create-Job waits for its document: PAPPL
  // keeps it held, and it must not be released before the document is in.
  bool hasDocument = true;
};

// The printer's active jobs, newest first.
std::vector<ActiveJob> ActiveJobs(pappl_printer_t *printer);

// What to change so that only the oldest waiting job is pending.
struct OrderPlan {
  std::vector<int> hold;       // pending jobs to hold back
  std::optional<int> release;  // the oldest waiting job, held by us
};

// Waiting jobs are the pending ones and those in `heldByUs` that have
// their document; `ending` (a job whose processing ends now, 0 for none)
// is not waiting.
OrderPlan PlanArrivalOrder(std::span<const ActiveJob> jobs, const std::set<int> &heldByUs,
                           int ending);

// Per-printer state of the ordering; lives in the printer's extension.
struct ArrivalOrder {
  std::mutex mutex;
  std::set<int> held;       // jobs the application holds back
  bool holdingNew = false;  // the application asked PAPPL to hold new jobs
};

// Starts the repair timer (once per system).
void KeepArrivalOrder(pappl_system_t *system);

// At the start of a job's processing: jobs held in the window before it
// was picked are let in (behind the others).
void JobStarting(pappl_job_t *job);

// At the end of a job's processing, before PAPPL picks the next job.
void JobEnding(pappl_job_t *job);

// JobStarting() now, JobEnding() when it goes out of scope.
class JobTurn {
 public:
  explicit JobTurn(pappl_job_t *job) : job_(job) { JobStarting(job_); }
  ~JobTurn() { JobEnding(job_); }
  JobTurn(const JobTurn &) = delete;
  JobTurn &operator=(const JobTurn &) = delete;

 private:
  pappl_job_t *job_;
};

}  // namespace ravo::app
