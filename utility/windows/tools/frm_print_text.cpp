#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frm_print_text.h"
#include "mdl_global.h"
#include "mdl_global_selected_printer.h"
#include "printer_service.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

T_frmPrintText::T_frmPrintText(QWidget *parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(442, 230);
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

  connect(btnPrint, &QPushButton::clicked, this, &T_frmPrintText::btnPrintClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void T_frmPrintText::btnPrintClick() {
  const ServiceResult result = PrinterService(mdlGlobal::SelectedPrinter(PrinterLibrary::Esc))
                                   .PrintPlainText(txtPrintText->toPlainText());
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
