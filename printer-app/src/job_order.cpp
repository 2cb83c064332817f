#include "job_order.h"

#include <algorithm>

#include "printer_extension.h"

namespace ravo::app {
namespace {

constexpr int kRepairSeconds = 1;

bool AnyIn(std::span<const ActiveJob> jobs, ipp_jstate_t state) {
  return std::any_of(jobs.begin(), jobs.end(),
                     [&](const ActiveJob &job) { return job.state == state; });
}

// Jobs we held that are held no more (released by a user, canceled, gone)
// are no longer ours to release.
void ForgetUnheld(ArrivalOrder &order, std::span<const ActiveJob> jobs) {
  std::erase_if(order.held, [&](int id) {
    return std::none_of(jobs.begin(), jobs.end(), [&](const ActiveJob &job) {
      return job.id == id && job.state == IPP_JSTATE_HELD;
    });
  });
}

// Holds before it releases: a free printer starts a released job at once,
// and must find no younger one pending then.  True when a job still waits.
bool Apply(pappl_printer_t *printer, ArrivalOrder &order, int ending, bool mayRelease = true) {
  const std::vector<ActiveJob> jobs = ActiveJobs(printer);
  ForgetUnheld(order, jobs);
  const OrderPlan plan = PlanArrivalOrder(jobs, order.held, ending);
  for (int id : plan.hold) {
    pappl_job_t *job = papplPrinterFindJob(printer, id);
    if (job != nullptr && papplJobHold(job, nullptr, "indefinite", 0)) order.held.insert(id);
  }
  if (plan.release && mayRelease) {
    pappl_job_t *job = papplPrinterFindJob(printer, *plan.release);
    if (job != nullptr && papplJobRelease(job, nullptr)) order.held.erase(*plan.release);
  }
  return plan.release || std::any_of(jobs.begin(), jobs.end(), [&](const ActiveJob &job) {
           return job.state == IPP_JSTATE_PENDING && job.id != ending;
         });
}

// PAPPL keeps a job made by Create-Job held, like a held new job, until
// its document comes, and releasing held new jobs would release it too: it
// would be processed without a document, which brings PAPPL down.  Such a
// job is held by us instead, and released in its turn once the document is
// in (if PAPPL has not made it pending by then).  A hold a user asked for
// stays the user's.
void KeepIncomingJobsHeld(pappl_printer_t *printer, ArrivalOrder &order) {
  for (const ActiveJob &incoming : ActiveJobs(printer)) {
    if (incoming.state != IPP_JSTATE_HELD || incoming.hasDocument) continue;
    pappl_job_t *job = papplPrinterFindJob(printer, incoming.id);
    if (job == nullptr || (papplJobGetReasons(job) & PAPPL_JREASON_JOB_HOLD_UNTIL_SPECIFIED)) {
      continue;
    }
    if (papplJobHold(job, nullptr, "indefinite", 0)) order.held.insert(incoming.id);
  }
}

void LetInHeldNew(pappl_printer_t *printer, ArrivalOrder &order) {
  if (!order.holdingNew) return;
  order.holdingNew = false;
  KeepIncomingJobsHeld(printer, order);
  papplPrinterReleaseHeldNewJobs(printer, nullptr);
}

// From now on PAPPL holds the jobs whose documents arrive; those that
// arrived before are pending, and seen by the next Apply().
void HoldNew(pappl_printer_t *printer, ArrivalOrder &order) {
  LetInHeldNew(printer, order);
  // An administrator's Hold-New-Jobs is theirs to release.
  if (!papplPrinterIsHoldingNewJobs(printer) && papplPrinterHoldNewJobs(printer)) {
    order.holdingNew = true;
  }
}

ArrivalOrder *OrderOf(pappl_printer_t *printer) {
  PrinterExtension *extension = ExtensionOf(printer);
  return extension != nullptr ? &extension->order : nullptr;
}

// The timer's pass over one printer.
void Repair(pappl_printer_t *printer) {
  ArrivalOrder *order = OrderOf(printer);
  if (order == nullptr) return;
  std::lock_guard lock(order->mutex);
  const std::vector<ActiveJob> jobs = ActiveJobs(printer);
  // While a job is processing, only its end lets the next one in: PAPPL 1.3
  // takes a job as the printer's only once the job's thread runs, and a
  // job released in between would start beside it.
  if (AnyIn(jobs, IPP_JSTATE_PROCESSING)) {
    Apply(printer, *order, 0, false);
    return;
  }
  if (papplPrinterGetState(printer) == IPP_PSTATE_STOPPED) {
    LetInHeldNew(printer, *order);  // nothing can start now
    Apply(printer, *order, 0);
    return;
  }
  // A pending job on a free printer is being started: PAPPL 1.3 marks it
  // processing only once its thread runs, and anything that makes PAPPL
  // look for work before that would start it a second time.
  if (AnyIn(jobs, IPP_JSTATE_PENDING)) return;
  // The printer is free: the job picked after a window left without
  // reaching the driver (canceled while PAPPL waited for the device, a
  // damaged raster), or a user released jobs.  A free printer starts a
  // released job at once, so it is paused while the order is put right.
  ForgetUnheld(*order, jobs);
  const OrderPlan plan = PlanArrivalOrder(jobs, order->held, 0);
  if (!order->holdingNew && plan.hold.empty() && !plan.release) return;
  papplPrinterPause(printer);
  HoldNew(printer, *order);
  if (!Apply(printer, *order, 0)) LetInHeldNew(printer, *order);
  papplPrinterResume(printer);
}

bool RepairAll(pappl_system_t *system, void *) {
  std::vector<int> ids;
  papplSystemIteratePrinters(
      system,
      [](pappl_printer_t *printer, void *data) {
        static_cast<std::vector<int> *>(data)->push_back(papplPrinterGetID(printer));
      },
      &ids);
  for (int id : ids) {
    if (pappl_printer_t *printer = papplSystemFindPrinter(system, nullptr, id, nullptr)) {
      Repair(printer);
    }
  }
  return true;
}

}  // namespace

std::vector<ActiveJob> ActiveJobs(pappl_printer_t *printer) {
  std::vector<ActiveJob> jobs;
  // Only read here: PAPPL holds the printer's lock during the iteration.
  papplPrinterIterateActiveJobs(
      printer,
      [](pappl_job_t *job, void *data) {
        static_cast<std::vector<ActiveJob> *>(data)->push_back(
            {papplJobGetID(job), papplJobGetState(job), papplJobGetFilename(job) != nullptr});
      },
      &jobs, 1, 0);
  return jobs;
}

OrderPlan PlanArrivalOrder(std::span<const ActiveJob> jobs, const std::set<int> &heldByUs,
                           int ending) {
  std::vector<ActiveJob> waiting;
  for (const ActiveJob &job : jobs) {
    if (job.id == ending) continue;
    if (job.state == IPP_JSTATE_PENDING ||
        (job.state == IPP_JSTATE_HELD && job.hasDocument && heldByUs.count(job.id) != 0)) {
      waiting.push_back(job);
    }
  }
  OrderPlan plan;
  if (waiting.empty()) return plan;
  const auto oldest =
      std::min_element(waiting.begin(), waiting.end(),
                       [](const ActiveJob &a, const ActiveJob &b) { return a.id < b.id; });
  if (oldest->state == IPP_JSTATE_HELD) plan.release = oldest->id;
  for (const ActiveJob &job : waiting) {
    if (job.id != oldest->id && job.state == IPP_JSTATE_PENDING) plan.hold.push_back(job.id);
  }
  return plan;
}

void KeepArrivalOrder(pappl_system_t *system) {
  papplSystemAddTimerCallback(system, 0, kRepairSeconds, RepairAll, nullptr);
}

void JobStarting(pappl_job_t *job) {
  pappl_printer_t *printer = papplJobGetPrinter(job);
  ArrivalOrder *order = OrderOf(printer);
  if (order == nullptr) return;
  std::lock_guard lock(order->mutex);
  // This job is processing: nothing can start before it ends.
  LetInHeldNew(printer, *order);
  Apply(printer, *order, papplJobGetID(job));
}

void JobEnding(pappl_job_t *job) {
  pappl_printer_t *printer = papplJobGetPrinter(job);
  ArrivalOrder *order = OrderOf(printer);
  if (order == nullptr) return;
  std::lock_guard lock(order->mutex);
  // PAPPL picks the next job as soon as this one returns: it must find
  // the oldest waiting job pending and no other.
  HoldNew(printer, *order);
  if (!Apply(printer, *order, papplJobGetID(job))) LetInHeldNew(printer, *order);
}

}  // namespace ravo::app
