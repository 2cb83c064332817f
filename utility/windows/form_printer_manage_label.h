// T_frmPrinterManage_Label: adds a printer-list entry or changes one.  One
// instance lives for the whole program; the main window sets the inputs,
// shows it modally and then reads Saved().
#pragma once

#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ravo::utility {

class PrinterActivity;

class T_frmPrinterManage_Label : public QDialog {
 public:
  enum class Mode { Add, Modify };

  explicit T_frmPrinterManage_Label(QWidget *parent = nullptr);

  // Inputs for the next showing.
  void PrepareAdd();
  void PrepareModify(int rowIndex, const QString &printerType, const QString &portType,
                     const QString &port);

  // True only after OK wrote the printer list during the latest showing.
  bool Saved() const { return saved_; }
  Mode CurrentMode() const { return mode_; }
  // The port type that follows the port-type box after showing.
  const QString &PortType() const { return portType_; }

  // The port string the current controls give; `other` for a port type
  // outside the four.
  QString BuildPortString(const QString &other) const;

  // Runs at every showing: captions, control set-up, saved flag cleared.
  void FormShow();
  void cmbPortTypeChange();
  void btnConnectTestClick();
  void btnOKClick();
  void btnCloseClick();
  // Closing cancels a connection test that still waits.
  void done(int result) override;

  // Lists the ports of a kind ("COM", "LPT"); on failure the list is empty
  // and *error holds the port library's code.  mdlFunction::EnumPortNames
  // unless replaced (tests).
  using PortLister = std::function<QStringList(const QString &kind, int32_t *error)>;
  static PortLister &ListPorts();

  QLabel *lblPrinterName;
  QComboBox *cmbPrinterName;
  QGroupBox *gpbPortInformation;
  QLabel *lblPortType;
  QComboBox *cmbPortType;
  QWidget *pnlUSB;
  QLabel *lblUSB;
  QWidget *pnlSerial;
  QLabel *lblSerial;
  QComboBox *cmbSerialList;
  QLabel *lblBaudrate;
  QComboBox *cmbBaudrate;
  QWidget *pnlParallel;
  QLabel *lblParallelList;
  QComboBox *cmbParallel;
  QWidget *pnlTCPIP;
  QLabel *lblIPAddress;
  QLineEdit *txtIPAddress;
  QPushButton *btnConnectTest;
  QPushButton *btnOK;
  QPushButton *btnClose;
  PrinterActivity *activity;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void BuildControls();
  void SetCaptions();
  void SetUpControls();
  void ShowPanel(QWidget *panel);
  void SetTabOrder();
  // Fills a port box; an empty list or a failing one is said in a box.
  void FillPorts(QComboBox *box, const QString &kind);

  Mode mode_ = Mode::Add;
  int rowIndex_ = 0;
  QString printerType_;
  QString portType_;
  QString port_;
  bool saved_ = false;
  bool settingUp_ = false;
};

}  // namespace ravo::utility
