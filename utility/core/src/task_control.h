// How a running conversation learns that the user cancelled it and where it
// reports its progress.  Both are optional: the command-line tool sets the
// progress only, a window both (printer_task_runner.h).
#pragma once

#include <cstdint>
#include <functional>

namespace ravo::utility {

struct TaskControl {
  // May be called from the thread the conversation runs on.
  std::function<bool()> cancelled;
  std::function<void(int64_t done, int64_t total)> progress;

  bool Cancelled() const { return cancelled && cancelled(); }
  void Progress(int64_t done, int64_t total) const {
    if (progress) progress(done, total);
  }
};

}  // namespace ravo::utility
