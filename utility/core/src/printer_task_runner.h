// Runs printer conversations off the window thread.  One thread serves
// every runner of the program, so conversations never overlap on the wire
// and run in the order they were started; each result is handed back on
// the thread of the QCoreApplication (the window thread).
//
// A window keeps one runner.  While its task runs the runner is busy and
// starts no second one; Cancel() ends the wait at once: the task is told to
// stop at its next step and its result is dropped.  A runner destroyed
// while its task runs cancels it the same way.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "task_control.h"

namespace ravo::utility {

class PrinterTaskRunner {
 public:
  PrinterTaskRunner();
  ~PrinterTaskRunner();
  PrinterTaskRunner(const PrinterTaskRunner &) = delete;
  PrinterTaskRunner &operator=(const PrinterTaskRunner &) = delete;

  // Runs work(control) on the printer thread and then done(result) on the
  // window thread, unless cancelled first.  False, and nothing runs, while
  // a task of this runner is busy.
  template <typename Result>
  bool Start(std::function<Result(const TaskControl &)> work, std::function<void(Result)> done) {
    return StartErased([work = std::move(work), done = std::move(done)](
                           const TaskControl &control) -> std::function<void()> {
      auto result = std::make_shared<Result>(work(control));
      return [done, result] { done(std::move(*result)); };
    });
  }

  bool Busy() const;
  // Stops waiting for the running task: it stops at its next step, its
  // result is dropped, and the runner is idle at once.
  void Cancel();

  // Called on the window thread when the runner becomes busy or idle.
  void OnBusyChanged(std::function<void(bool busy)> handler);
  // Called on the window thread with the latest figures a task reported
  // (several reports may be folded into one).
  void OnProgress(std::function<void(int64_t done, int64_t total)> handler);

  // Tasks of all runners whose results have not been handed back (or
  // dropped) yet; tests wait for 0.
  static int Unsettled();

 private:
  struct Shared;
  bool StartErased(std::function<std::function<void()>(const TaskControl &)> work);
  void SetBusy(bool busy);

  std::shared_ptr<Shared> shared_;
};

}  // namespace ravo::utility
