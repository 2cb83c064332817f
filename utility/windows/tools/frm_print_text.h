// The two print-test windows: the label window builds a small TSPL job
// through libheron; the text window sends the typed text as it is through
// the ESC-mode library.
#pragma once

#include <QDialog>

#include "service_result.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ravo::utility {

class PrinterActivity;

class T_frmPrintTextLabel : public QDialog {
  Q_OBJECT

 public:
  explicit T_frmPrintTextLabel(QWidget *parent = nullptr);

  // Millimetres; the highest width the width box accepts.
  QString paperWidth;

  QLabel *lblContent;
  QPlainTextEdit *txtPrintText;
  QLabel *lblPrintableWidth;
  QLineEdit *txtPrintableWidth;
  QLabel *lblMultiple1;
  QLabel *lblPrintableHeight;
  QLineEdit *txtPrintableHeigh;
  QLabel *Label2;
  QPushButton *btnPrint;
  QPushButton *btnClose;
  PrinterActivity *activity;

  void CheckWidthValue();
  void CheckHeightValue();
  // Closing cancels a print that still waits for the printer.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void FormShow();
  void btnPrintClick();
  int PaperWidthNumber() const;
};

class T_frmPrintText : public QDialog {
  Q_OBJECT

 public:
  explicit T_frmPrintText(QWidget *parent = nullptr);

  QLabel *lblContent;
  QPlainTextEdit *txtPrintText;
  QPushButton *btnPrint;
  QPushButton *btnClose;
  PrinterActivity *activity;

  // Closing cancels a print that still waits for the printer.
  void done(int result) override;

 private:
  void btnPrintClick();
  static void Printed(const ServiceResult &result);
};

}  // namespace ravo::utility
