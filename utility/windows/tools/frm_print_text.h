// The two print-test windows: the label window builds a small TSPL job
// through libheron; the text window sends the typed text as it is through
// the ESC-mode library.  Both warn before sending characters the code page
// cannot carry, and say in a status line what was sent.
#pragma once

#include <QDialog>

#include "service_result.h"
#include "unprintable_text.h"

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
  // A size box that has the focus when the window goes reports leaving it
  // while QDialog's destructor hides the window: that must not reach this
  // object, which is gone by then.
  ~T_frmPrintTextLabel() override;

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
  // What the last print sent, and to which printer.
  QLabel *lblStatus;
  PrinterActivity *activity;

  void CheckWidthValue();
  void CheckHeightValue();
  // Closing cancels a print that still waits for the printer.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent *event) override;

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
  QLabel *lblStatus;
  PrinterActivity *activity;

  // Closing cancels a print that still waits for the printer.
  void done(int result) override;

 private:
  void btnPrintClick();
};

// Before a text is sent: asks whether to go on when the code page cannot
// carry some of its characters, naming them.  Nothing when all can be
// printed; Replace when the user goes on; Cancel when not.
enum class SendChoice { Send, Replace, Cancel };
SendChoice AskAboutUnprintable(const QString &text);

// The text box of both windows: Tab moves on (a tab cannot be printed).
QPlainTextEdit *PrintTextBox(QWidget *parent);

}  // namespace ravo::utility
