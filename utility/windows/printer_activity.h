// The printer work of one window.  Conversations run through a
// PrinterTaskRunner, off the window thread, so the window keeps repainting
// and its Close button works while a slow printer is waited for.  While one
// runs, this bar shows (an indeterminate progress bar, or the figures a
// download reports, and a Cancel button) and the window's action controls
// are disabled, so that no second action starts.
#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <initializer_list>

#include "printer_task_runner.h"

class QProgressBar;
class QPushButton;

namespace ravo::utility {

class PrinterActivity : public QWidget {
 public:
  // A child of window; hidden while idle.
  explicit PrinterActivity(QWidget *window);

  // Controls that are disabled while a conversation runs; each gets back
  // the enabled state it had before.
  void Guard(std::initializer_list<QWidget *> widgets);

  // Runs work off the window thread and done with its result here; false
  // (nothing runs) while another conversation of this window runs.
  template <typename Result>
  bool Run(std::function<Result(const TaskControl &)> work, std::function<void(Result)> done) {
    return runner_.Start<Result>(std::move(work), std::move(done));
  }

  bool Busy() const { return runner_.Busy(); }
  // Stops waiting for the running conversation; its result is dropped.
  void Cancel() { runner_.Cancel(); }

  QProgressBar *prgBusy;
  QPushButton *btnCancel;

 private:
  void SetBusy(bool busy);
  void ShowProgress(int64_t done, int64_t total);

  PrinterTaskRunner runner_;
  QList<QPointer<QWidget>> guarded_;
  QHash<QWidget *, bool> enabledBefore_;
};

}  // namespace ravo::utility
