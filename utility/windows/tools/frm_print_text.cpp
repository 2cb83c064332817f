#include "frm_print_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "mdl_global.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "sent_status.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

SendChoice AskAboutUnprintable(const QString &text) {
  const QString warning = UnprintableWarning(text);
  if (warning.isEmpty()) return SendChoice::Send;
  return ConfirmWarning(warning) ? SendChoice::Replace : SendChoice::Cancel;
}

QPlainTextEdit *PrintTextBox(QWidget *parent) {
  auto *box = new QPlainTextEdit(parent);
  box->setObjectName(QStringLiteral("txtPrintText"));
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setTabChangesFocus(true);
  box->setMinimumSize(425, 153);
  return box;
}

T_frmPrintText::T_frmPrintText(QWidget *parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowIcon(ToolWindowIcon());
  setWindowTitle(GetLangString(QStringLiteral("FormPrintText_Caption")));
  lblContent = new QLabel(GetLangString(QStringLiteral("FormPrintText_lblContent")), this);
  txtPrintText = PrintTextBox(this);
  lblContent->setBuddy(txtPrintText);
  btnPrint = new QPushButton(Msg.Print, this);
  btnPrint->setObjectName(QStringLiteral("btnPrint"));
  btnClose = new QPushButton(Msg.Close, this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  for (QPushButton *b : {btnPrint, btnClose}) b->setMinimumSize(81, 33);
  lblStatus = new QLabel(this);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setWordWrap(true);
  lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto *buttons = new QHBoxLayout;
  buttons->addWidget(lblStatus, 1);
  buttons->addWidget(btnPrint, 0, Qt::AlignTop);
  buttons->addWidget(btnClose, 0, Qt::AlignTop);
  auto *column = new QVBoxLayout(this);
  column->addWidget(lblContent);
  column->addWidget(txtPrintText, 1);
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
  if (text.trimmed().isEmpty()) return ShowError(Msg.Err_ImportNull);
  const SendChoice choice = AskAboutUnprintable(text);
  if (choice == SendChoice::Cancel) return;
  const Unprintable unprintable =
      choice == SendChoice::Replace ? Unprintable::Replace : Unprintable::Refuse;
  lblStatus->clear();
  activity->Run<ServiceResult>(
      [printer, text, unprintable](const TaskControl &control) {
        return PrinterService(printer, &control).PrintPlainText(text, unprintable);
      },
      [this, printer, text](ServiceResult result) {
        if (!result.ok()) return ShowServiceError(result);
        lblStatus->setText(
            SentStatus(SentAction::TestText, TextLinesShown(TextLineCount(text)), printer));
      });
}

void T_frmPrintText::done(int result) {
  activity->Cancel();  // closing does not wait for a slow printer
  QDialog::done(result);
}

}  // namespace ravo::utility
