#include "printer_task_runner.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace ravo::utility {
namespace {

std::atomic<int> unsettled{0};

// The one thread that talks to printers.  At the end of the program it
// finishes the task at hand and drops the rest.
class PrinterThread {
 public:
  static PrinterThread &Instance() {
    static PrinterThread thread;
    return thread;
  }

  void Post(std::function<void()> task) {
    {
      const std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
      if (!thread_.joinable()) thread_ = std::thread([this] { Loop(); });
    }
    wake_.notify_one();
  }

  ~PrinterThread() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
      tasks_.clear();
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
  }

 private:
  PrinterThread() = default;

  void Loop() {
    for (;;) {
      std::function<void()> task;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stop_ || !tasks_.empty(); });
        if (stop_) return;
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> tasks_;
  bool stop_ = false;
  std::thread thread_;
};

// Runs fn on the application's thread; dropped when the application is gone.
void OnWindowThread(std::function<void()> fn) {
  QCoreApplication *app = QCoreApplication::instance();
  if (app == nullptr) return;
  QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

struct TaskState {
  std::atomic<bool> cancelled{false};
  std::atomic<int64_t> done{0};
  std::atomic<int64_t> total{0};
  std::atomic<bool> progressPosted{false};
};

}  // namespace

// What the runner and its tasks share; touched on the window thread only.
struct PrinterTaskRunner::Shared {
  std::function<void(bool)> onBusy;
  std::function<void(int64_t, int64_t)> onProgress;
  std::shared_ptr<TaskState> current;  // null while idle
};

PrinterTaskRunner::PrinterTaskRunner() : shared_(std::make_shared<Shared>()) {}

PrinterTaskRunner::~PrinterTaskRunner() {
  // The window is going: its handlers must not run any more.
  if (shared_->current) shared_->current->cancelled = true;
}

bool PrinterTaskRunner::Busy() const {
  return shared_->current != nullptr;
}

void PrinterTaskRunner::Cancel() {
  if (!shared_->current) return;
  shared_->current->cancelled = true;
  shared_->current.reset();
  SetBusy(false);
}

void PrinterTaskRunner::OnBusyChanged(std::function<void(bool)> handler) {
  shared_->onBusy = std::move(handler);
}

void PrinterTaskRunner::OnProgress(std::function<void(int64_t, int64_t)> handler) {
  shared_->onProgress = std::move(handler);
}

int PrinterTaskRunner::Unsettled() {
  return unsettled.load();
}

void PrinterTaskRunner::SetBusy(bool busy) {
  if (shared_->onBusy) shared_->onBusy(busy);
}

bool PrinterTaskRunner::StartErased(
    std::function<std::function<void()>(const TaskControl &)> work) {
  if (Busy()) return false;
  auto state = std::make_shared<TaskState>();
  shared_->current = state;
  ++unsettled;
  SetBusy(true);
  const std::weak_ptr<Shared> runner = shared_;
  PrinterThread::Instance().Post([work = std::move(work), state, runner] {
    TaskControl control;
    control.cancelled = [state] { return state->cancelled.load(); };
    control.progress = [state, runner](int64_t done, int64_t total) {
      state->done = done;
      state->total = total;
      if (state->progressPosted.exchange(true)) return;  // one report on its way
      OnWindowThread([state, runner] {
        state->progressPosted = false;
        const auto shared = runner.lock();
        if (shared && shared->current == state && shared->onProgress) {
          shared->onProgress(state->done, state->total);
        }
      });
    };
    std::function<void()> deliver;
    if (!state->cancelled) deliver = work(control);
    OnWindowThread([state, runner, deliver = std::move(deliver)] {
      --unsettled;
      const auto shared = runner.lock();
      if (!shared || shared->current != state) return;  // cancelled, or the runner is gone
      shared->current.reset();
      if (shared->onBusy) shared->onBusy(false);
      if (deliver) deliver();
    });
  });
  return true;
}

}  // namespace ravo::utility
