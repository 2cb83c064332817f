#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include "ansi_text.h"
#include "frm_print_text.h"
#include "label_job.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_printer_lib_tspl.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;
using namespace mdlPrinterLib_TSPL;

namespace {

int32_t WriteLine(const QString &command) {
  QByteArray bytes = ToAnsi(command) + "\r\n";
  return TsplWriteData(reinterpret_cast<const uint8_t *>(bytes.constData()),
                       static_cast<int32_t>(bytes.size()));
}

}  // namespace

T_frmPrintTextLabel::T_frmPrintTextLabel(QWidget *parent)
    : QDialog(parent), paperWidth(mdlGlobal::GetPaperWidth()) {
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(442, 238);
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
  int32_t result = TsplCreatePrinter(mdlGlobal::SelectedModel);
  mdlGlobal::PrinterResult = result;
  if (result != 0) {
    ShowErrorCode(Msg.Err_CreatePrinter, result);
  } else {
    // A connection check only; nothing is written.
    result = TsplOpenPort(mdlGlobal::SelectedPort);
    mdlGlobal::PrinterResult = result;
    if (result != 0) ShowErrorCode(Msg.Err_OpenPort, result);
    TsplClosePort();
  }
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
  int32_t result = TsplOpenPort(mdlGlobal::SelectedPort);
  mdlGlobal::PrinterResult = result;
  if (result != 0) return ShowErrorCode(Msg.Err_OpenPort, result);
  QString text = txtPrintText->toPlainText();
  if (text.trimmed().isEmpty()) {
    ShowError(Msg.Err_ImportNull);
    TsplClosePort();
    return;
  }
  QStringList commands =
      LabelJobCommands(txtPrintableWidth->text(), txtPrintableHeigh->text(), text);
  result = WriteLine(commands.front());
  if (result != 0) {
    ShowError(Msg.Err_WriteData);
    TsplClosePort();
    return;
  }
  for (qsizetype i = 1; i + 1 < commands.size(); ++i) WriteLine(commands[i]);
  result = WriteLine(commands.back());
  mdlGlobal::PrinterResult = result;
  if (result != 0) ShowError(Msg.Err_WriteData);
  TsplClosePort();
}

}  // namespace ravo::utility
