#include "job_claim.h"

#include <chrono>

#include "printer_extension.h"

namespace ravo::app {
namespace {

// PAPPL runs each job on a thread of its own, but raster sent while the
// printer is idle is printed on the client's thread, job after job.
thread_local int claimedJob = 0;
thread_local bool secondThread = false;

}  // namespace

bool JobClaims::Claim(int jobId, const std::function<bool()> &stopping) {
  std::unique_lock lock(mutex_);
  if (done_.emplace(jobId, false).second) {
    std::erase_if(done_, [&](const auto &claim) { return claim.first < jobId - kRemembered; });
    return true;
  }
  for (;;) {
    const auto claim = done_.find(jobId);
    if (claim == done_.end() || claim->second || stopping()) return false;
    changed_.wait_for(lock, std::chrono::milliseconds(100));
  }
}

void JobClaims::Done(int jobId) {
  {
    std::lock_guard lock(mutex_);
    const auto claim = done_.find(jobId);
    if (claim != done_.end()) claim->second = true;
  }
  changed_.notify_all();
}

bool ClaimJob(pappl_job_t *job) {
  const int id = papplJobGetID(job);
  if (claimedJob == id) return !secondThread;
  PrinterExtension *extension = ExtensionOf(papplJobGetPrinter(job));
  claimedJob = id;
  secondThread = false;
  if (extension == nullptr) return true;
  pappl_system_t *system = papplPrinterGetSystem(papplJobGetPrinter(job));
  if (extension->claims.Claim(id, [system] { return papplSystemIsShutdown(system); })) return true;
  secondThread = true;
  papplLogJob(job, PAPPL_LOGLEVEL_WARN, "The job was started twice; the second start is ignored.");
  return false;
}

bool IsSecondThread() {
  return secondThread;
}

void ReleaseJob(pappl_job_t *job) {
  const int id = papplJobGetID(job);
  if (claimedJob != id || secondThread) return;
  if (PrinterExtension *extension = ExtensionOf(papplJobGetPrinter(job))) {
    extension->claims.Done(id);
  }
}

}  // namespace ravo::app
