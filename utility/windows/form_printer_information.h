// T_frmPrinterInformation: production date, printed length and firmware
// version of the selected printer, read in one session each time the
// window is shown.
#pragma once

#include <QDialog>

#include "printer_service.h"

class QLabel;
class QPushButton;

namespace ravo::utility {

class T_frmPrinterInformation : public QDialog {
 public:
  explicit T_frmPrinterInformation(QWidget *parent = nullptr);

  // The reading sequence; runs at every showing.
  void FormShow();

  QLabel *lblProduceDate;
  QLabel *lblPrintLength;
  QLabel *lblFirmwareVer;
  QLabel *lblProduceDateV;
  QLabel *lblPrintLengthV;
  QLabel *lblFirmwareVerV;
  QPushButton *btnClose;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void ShowInformation(const PrinterInformation &info);
};

}  // namespace ravo::utility
