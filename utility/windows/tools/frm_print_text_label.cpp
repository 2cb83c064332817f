#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include "frm_print_text.h"
#include "label_text_job.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

T_frmPrintTextLabel::T_frmPrintTextLabel(QWidget *parent)
    : QDialog(parent), paperWidth(mdlGlobal::GetPaperWidth()) {
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(442, 268);  // with room for the busy bar
  lblContent = new QLabel(this);
  txtPrintText = new QPlainTextEdit(this);
  txtPrintText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtPrintText->setFixedSize(425, 153);
  lblPrintableWidth = new QLabel(this);
  txtPrintableWidth = new QLineEdit(QStringLiteral("30"), this);
  txtPrintableWidth->setFixedWidth(53);
  lblMultiple1 = new QLabel(QStringLiteral("(10-*)mm"), this);
  lblPrintableHeight = new QLabel(this);
  txtPrintableHeigh = new QLineEdit(QStringLiteral("30"), this);
  txtPrintableHeigh->setFixedWidth(53);
  Label2 = new QLabel(QStringLiteral("(10-210)mm"), this);
  btnPrint = new QPushButton(this);
  btnClose = new QPushButton(this);
  for (QPushButton *b : {btnPrint, btnClose}) b->setFixedSize(81, 33);

  auto *grid = new QGridLayout(this);
  grid->addWidget(lblContent, 0, 0, 1, 5);
  grid->addWidget(txtPrintText, 1, 0, 1, 5);
  grid->addWidget(lblPrintableWidth, 2, 0);
  grid->addWidget(txtPrintableWidth, 2, 1);
  grid->addWidget(lblMultiple1, 2, 2);
  grid->addWidget(lblPrintableHeight, 3, 0);
  grid->addWidget(txtPrintableHeigh, 3, 1);
  grid->addWidget(Label2, 3, 2);
  grid->addWidget(btnPrint, 2, 3, 2, 1);
  grid->addWidget(btnClose, 2, 4, 2, 1);
  activity = new PrinterActivity(this);
  activity->Guard({btnPrint});
  grid->addWidget(activity, 4, 0, 1, 5);

  txtPrintableWidth->installEventFilter(this);
  txtPrintableHeigh->installEventFilter(this);
  connect(txtPrintableWidth, &QLineEdit::editingFinished, this,
          &T_frmPrintTextLabel::CheckWidthValue);
  connect(txtPrintableHeigh, &QLineEdit::editingFinished, this,
          &T_frmPrintTextLabel::CheckHeightValue);
  connect(btnPrint, &QPushButton::clicked, this, &T_frmPrintTextLabel::btnPrintClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void T_frmPrintTextLabel::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

bool T_frmPrintTextLabel::eventFilter(QObject *watched, QEvent *event) {
  // Only characters are filtered; keys without text (arrows, Tab) pass.
  if (event->type() == QEvent::KeyPress) {
    QString text = static_cast<QKeyEvent *>(event)->text();
    if (!text.isEmpty() && !IsNumberBoxKey(text.front())) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void T_frmPrintTextLabel::FormShow() {
  // A connection check only; nothing is written.
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  activity->Run<ServiceResult>(
      [printer](const TaskControl &control) {
        return PrinterService(printer, &control).TestConnection();
      },
      [](ServiceResult result) {
        if (!result.ok()) ShowErrorCode(result.Text(), result.code);
      });
  setWindowTitle(GetLangString(QStringLiteral("FormPrintTextLabel_Caption")));
  lblContent->setText(GetLangString(QStringLiteral("FormPrintTextLabel_lblContent")));
  lblPrintableWidth->setText(GetLangString(QStringLiteral("FormPrintTextLabel_lblPrintableWidth")));
  lblPrintableHeight->setText(
      GetLangString(QStringLiteral("FormPrintTextLabel_lblPrintableHeight")));
  lblMultiple1->setText(QStringLiteral("(10-%1)mm").arg(paperWidth));
  btnPrint->setText(Msg.Print);
  btnClose->setText(Msg.Close);
}

int T_frmPrintTextLabel::PaperWidthNumber() const {
  bool ok = false;
  int width = paperWidth.trimmed().toInt(&ok);
  return ok ? width : kLowestLabelSize;
}

void T_frmPrintTextLabel::CheckWidthValue() {
  txtPrintableWidth->setText(ClampSizeText(txtPrintableWidth->text(), PaperWidthNumber()));
}

void T_frmPrintTextLabel::CheckHeightValue() {
  txtPrintableHeigh->setText(ClampSizeText(txtPrintableHeigh->text(), kHighestLabelHeight));
}

void T_frmPrintTextLabel::btnPrintClick() {
  // The job always carries sizes in range, even when a box was not left.
  CheckWidthValue();
  CheckHeightValue();
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  const QString width = txtPrintableWidth->text();
  const QString height = txtPrintableHeigh->text();
  const QString text = txtPrintText->toPlainText();
  activity->Run<ServiceResult>(
      [printer, width, height, text](const TaskControl &control) {
        return PrinterService(printer, &control).PrintLabelText(width, height, text);
      },
      [](ServiceResult result) {
        if (result.ok()) return;
        const bool reaching = result.message == ServiceMessage::OpenPort ||
                              result.message == ServiceMessage::CreatePrinter;
        if (reaching) return ShowErrorCode(result.Text(), result.code);
        ShowServiceError(result);
      });
}

void T_frmPrintTextLabel::done(int result) {
  activity->Cancel();  // closing does not wait for a slow printer
  QDialog::done(result);
}

}  // namespace ravo::utility
