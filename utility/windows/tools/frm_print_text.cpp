#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ansi_text.h"
#include "frm_print_text.h"
#include "mdl_global.h"
#include "mdl_printer_lib_esc.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;
using namespace mdlPrinterLib_ESC;

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
  // Only the command test window makes an ESC-mode handle otherwise; without
  // one the text could never be printed.
  if (EscHandle() == nullptr) {
    int32_t created = EscCreatePrinter(mdlGlobal::SelectedModel);
    mdlGlobal::PrinterResult = created;
    if (created != 0) return ShowCodeError(Msg.Err_CreatePrinter, created);
  }
  int32_t result = EscOpenPort(mdlGlobal::SelectedPort);
  mdlGlobal::PrinterResult = result;
  if (result != 0) return ShowError(Msg.Err_OpenPort);
  QString text = txtPrintText->toPlainText();
  if (text.trimmed().isEmpty()) {
    ShowError(Msg.Err_ImportNull);
    EscClosePort();
    return;
  }
  QByteArray bytes = ToAnsi(WithCrLf(text) + QLatin1Char('\n'));
  result = EscWriteData(reinterpret_cast<const uint8_t *>(bytes.constData()),
                        static_cast<int32_t>(bytes.size()));
  mdlGlobal::PrinterResult = result;
  if (result != 0) ShowError(Msg.Err_WriteData);
  EscClosePort();
}

}  // namespace ravo::utility
