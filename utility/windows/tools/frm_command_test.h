// Command test window: sends the bytes of one of five scratch pages (text or
// hexadecimal) to the printer once or at an interval, optionally reading an
// answer after each write, and logs what comes back with its time, as
// hexadecimal and ASCII; the log can be saved.
// Talks through the ESC-mode library on SelectedModel and SelectedPort.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "printer_service.h"
#include "printer_task_runner.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace ravo::utility {

class PrinterActivity;

class T_frmCommandTest : public QDialog {
  Q_OBJECT

 public:
  explicit T_frmCommandTest(QWidget *parent = nullptr);
  ~T_frmCommandTest() override;

  QLineEdit *txtLoadFileName;
  QPushButton *btnLoadFile;
  QTabWidget *tabCommandPages;
  std::array<QPlainTextEdit *, 5> RE;
  QLabel *lblReadData;
  QPlainTextEdit *txtReadData;
  QPushButton *btnReadData;
  QPushButton *btnSaveLog;
  QGroupBox *gpbDataType;
  QRadioButton *rdoChar;
  QRadioButton *rdoHex;
  QCheckBox *chkRecycle;
  QLabel *lblRecycleTimes;
  QLabel *lblRecycleTerTime;
  QLineEdit *txtSleepTime;
  QCheckBox *chkSendAndRead;
  QLabel *lblReadDataLen;
  QLineEdit *txtReadLen;
  QLabel *lblSendTip;
  QPushButton *btnSend;
  QPushButton *btnClearCurTab;
  QPushButton *btnClearAllTab;
  QPushButton *btnClose;
  QTimer *timHintTip;
  QTimer *timSend;

  int Counter() const { return counter_; }
  bool Cycling() const { return cycling_; }
  PrinterActivity *Activity() const { return activity_; }

  // Closing cancels a send that still waits and ends a cycle.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

 private:
  void BuildControls();
  void FormShow();
  void DataTypeChanged(bool hex);
  void btnLoadFileClick();
  void btnSendClick();
  void StartSend();
  void StartCycle(int intervalMs);
  void StopCycle();
  void SendOnce();
  void Sent(const ServiceAnswer<QByteArray> &sent, bool read);
  void timSendTimer();
  void btnReadDataClick();
  void btnSaveLogClick();
  // An answer to Read: logged, or a note that nothing came.
  void LogRead(const QByteArray &answer);
  void AppendLog(const QString &entry);
  void btnClearCurTabClick();
  void btnClearAllTabClick();
  QPlainTextEdit *CurrentPage() const;
  void AppendReceived(const QByteArray &bytes);

  QString sendCaption_;
  QString stopCaption_;
  QString counterSuffix_;
  QByteArray sendBytes_;
  int readLength_ = 0;
  int counter_ = 0;
  bool cycling_ = false;
  PrinterActivity *activity_ = nullptr;
  // The connection a cycle keeps open until it stops, and the runner of
  // its ticks (which show no busy bar: Stop stays at hand).
  std::shared_ptr<PrinterLink> link_;
  PrinterTaskRunner ticks_;
};

}  // namespace ravo::utility
