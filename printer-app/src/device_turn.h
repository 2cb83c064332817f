// Jobs of one printer use its device one at a time, oldest first.
//
// PAPPL 1.3 counts a job as the printer's current job only once the job's
// thread runs, so two jobs whose documents arrive at the same instant at
// an idle printer can be started together, and both are handed the
// printer's one open device.  Without turns their bytes and the status
// answers they wait for would mix on it: a label garbled, or a job taken
// for undelivered and sent again.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>

namespace ravo::app {

struct DeviceQueue {
  std::mutex mutex;
  std::condition_variable changed;
  std::set<int> waiting;  // job ids
  bool busy = false;
};

// The device for one job while it lives.
class DeviceTurn {
 public:
  // Waits until no other job uses the device, no older job waits for it
  // and `olderJobFirst` (an older job still being prepared) is false, or
  // until `stopping` says the job is canceled (not held then).
  DeviceTurn(DeviceQueue &queue, int jobId, const std::function<bool()> &stopping,
             const std::function<bool()> &olderJobFirst);
  ~DeviceTurn();
  DeviceTurn(const DeviceTurn &) = delete;
  DeviceTurn &operator=(const DeviceTurn &) = delete;

  bool Held() const { return held_; }

 private:
  DeviceQueue &queue_;
  bool held_ = false;
};

}  // namespace ravo::app
