#include "device_turn.h"

#include <chrono>

namespace ravo::app {

DeviceTurn::DeviceTurn(DeviceQueue &queue, int jobId, const std::function<bool()> &stopping,
                       const std::function<bool()> &olderJobFirst)
    : queue_(queue) {
  std::unique_lock lock(queue_.mutex);
  queue_.waiting.insert(jobId);
  for (;;) {
    if (!queue_.busy && *queue_.waiting.begin() == jobId && !olderJobFirst()) {
      queue_.busy = held_ = true;
      break;
    }
    if (stopping()) break;
    // A cancel, or an older job that ended, is noticed within this; a turn
    // given up comes with the notification.
    queue_.changed.wait_for(lock, std::chrono::milliseconds(100));
  }
  queue_.waiting.erase(jobId);
  // Leaving the queue may make a younger job the oldest waiting.
  if (!held_) queue_.changed.notify_all();
}

DeviceTurn::~DeviceTurn() {
  if (!held_) return;
  {
    std::lock_guard lock(queue_.mutex);
    queue_.busy = false;
  }
  queue_.changed.notify_all();
}

}  // namespace ravo::app
