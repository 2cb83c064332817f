// T_frmFirmwareUpdate: writes a firmware file to the selected printer.  The
// printer is switched to its firmware-download mode (ZZZDFUMODE), then
// dfu-util writes the file the user picked; its progress and output show in
// the window, its result in a box.
#pragma once

#include <QDialog>
#include <QProcess>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace ravo::utility {

class PrinterActivity;

class T_frmFirmwareUpdate : public QDialog {
 public:
  explicit T_frmFirmwareUpdate(QWidget *parent = nullptr);

  // Asks for the firmware file; an empty path when the user cancels.
  // A file dialog unless replaced (tests).
  using FileChooser = std::function<QString(QWidget *parent)>;
  static FileChooser &ChooseFirmwareFile();

  bool Writing() const { return process_->state() != QProcess::NotRunning; }

  void btnBrowseClick();
  // Checks the file and dfu-util, asks, switches the printer, runs dfu-util.
  void btnStartClick();
  void btnStopClick();
  // Closing is refused while dfu-util writes: a half-written firmware.
  void done(int result) override;

  QLabel *lblFile;
  QLineEdit *txtFile;
  QPushButton *btnBrowse;
  QProgressBar *prgProgress;
  QPlainTextEdit *txtOutput;
  QLabel *lblStatus;
  QPushButton *btnStart;
  QPushButton *btnStop;
  QPushButton *btnClose;
  PrinterActivity *activity;

 private:
  void RunDfuUtil(const QString &program, const QString &file);
  void ShowOutput();
  void Finished(int exitCode, QProcess::ExitStatus status);
  void SetWriting(bool writing);

  QProcess *process_;
  QString output_;
  bool stopped_ = false;
};

}  // namespace ravo::utility
