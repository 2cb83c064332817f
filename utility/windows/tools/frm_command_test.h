// Command test window: sends the bytes of one of five scratch pages (text or
// hexadecimal) to the printer once or at an interval, optionally reading an
// answer after each write, and shows what comes back as hexadecimal text.
// Talks through the ESC-mode library on SelectedModel and SelectedPort.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "printer_service.h"

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
  void StopCycle();
  void SendOnce();
  void timSendTimer();
  void btnReadDataClick();
  void btnClearCurTabClick();
  void btnClearAllTabClick();
  QPlainTextEdit *CurrentPage() const;
  void AppendReceived(const QByteArray &bytes);
  PrinterService Service() const;

  QString sendCaption_;
  QString stopCaption_;
  QString counterSuffix_;
  QByteArray sendBytes_;
  int readLength_ = 0;
  int counter_ = 0;
  bool cycling_ = false;
  // The connection a cycle keeps open until it stops.
  std::unique_ptr<PrinterLink> link_;
};

}  // namespace ravo::utility
