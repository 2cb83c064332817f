// T_frmPrinterInformation: serial number, production date, printed length
// and firmware version of the selected printer, read in one session each
// time the window is shown; Copy puts them on the clipboard.
#pragma once

#include <QDialog>

#include "printer_service.h"

class QLabel;
class QPushButton;

namespace ravo::utility {

class PrinterActivity;

class T_frmPrinterInformation : public QDialog {
 public:
  explicit T_frmPrinterInformation(QWidget *parent = nullptr);

  // The reading sequence; runs at every showing, off the window thread.
  void FormShow();
  // Closing cancels a reading that still waits for the printer.
  void done(int result) override;
  // Every caption with its value, one per line.
  QString ValuesText() const;
  void btnCopyClick();

  QLabel *lblSerialNumber;
  QLabel *lblProduceDate;
  QLabel *lblPrintLength;
  QLabel *lblFirmwareVer;
  QLabel *lblSerialNumberV;
  QLabel *lblProduceDateV;
  QLabel *lblPrintLengthV;
  QLabel *lblFirmwareVerV;
  QPushButton *btnCopy;
  QPushButton *btnClose;
  PrinterActivity *activity;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void ShowInformation(const PrinterTarget &printer, const PrinterInformation &info);
};

}  // namespace ravo::utility
