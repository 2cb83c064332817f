#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frm_print_text.h"
#include "mdl_global.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

T_frmPrintText::T_frmPrintText(QWidget *parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(442, 260);  // with room for the busy bar
  setWindowIcon(ToolWindowIcon());
  setWindowTitle(GetLangString(QStringLiteral("FormPrintText_Caption")));
  lblContent = new QLabel(GetLangString(QStringLiteral("FormPrintText_lblContent")), this);
  txtPrintText = new QPlainTextEdit(this);
  txtPrintText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtPrintText->setFixedSize(425, 153);
  btnPrint = new QPushButton(Msg.Print, this);
  btnClose = new QPushButton(Msg.Close, this);
  for (QPushButton *b : {btnPrint, btnClose}) b->setFixedSize(81, 33);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnPrint);
  buttons->addWidget(btnClose);
  auto *column = new QVBoxLayout(this);
  column->addWidget(lblContent);
  column->addWidget(txtPrintText);
  column->addLayout(buttons);
  activity = new PrinterActivity(this);
  activity->Guard({btnPrint});
  column->addWidget(activity);

  connect(btnPrint, &QPushButton::clicked, this, &T_frmPrintText::btnPrintClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void T_frmPrintText::btnPrintClick() {
  const PrinterTarget printer = mdlGlobal::SelectedPrinter(PrinterLibrary::Esc);
  const QString text = txtPrintText->toPlainText();
  activity->Run<ServiceResult>(
      [printer, text](const TaskControl &control) {
        return PrinterService(printer, &control).PrintPlainText(text);
      },
      [](ServiceResult result) { Printed(result); });
}

void T_frmPrintText::done(int result) {
  activity->Cancel();  // closing does not wait for a slow printer
  QDialog::done(result);
}

void T_frmPrintText::Printed(const ServiceResult &result) {
  switch (result.message) {
    case ServiceMessage::Ok:
      return;
    case ServiceMessage::CreatePrinter:
      return ShowErrorCode(result.Text(), result.code);
    case ServiceMessage::OpenPort:
      return ShowError(Msg.Err_OpenPort);  // this window shows the text alone
    default:
      return ShowServiceError(result);
  }
}

}  // namespace ravo::utility
