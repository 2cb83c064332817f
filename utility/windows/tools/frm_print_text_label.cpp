#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>

#include "frm_print_text.h"
#include "label_text_job.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "sent_status.h"
#include "tool_support.h"

namespace ravo::utility {
namespace {

// Digits only, as many as a size can have; any such text is acceptable,
// so that leaving the box always clamps it into range.
QLineEdit *SizeBox(QWidget *parent, const char *name) {
  auto *box = new QLineEdit(QStringLiteral("30"), parent);
  box->setObjectName(QLatin1String(name));
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), box));
  box->setMinimumWidth(53);
  box->setMaximumWidth(80);
  return box;
}

}  // namespace

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

T_frmPrintTextLabel::T_frmPrintTextLabel(QWidget *parent)
    : QDialog(parent), paperWidth(mdlGlobal::GetPaperWidth()) {
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  lblContent = new QLabel(this);
  txtPrintText = PrintTextBox(this);
  lblContent->setBuddy(txtPrintText);
  lblPrintableWidth = new QLabel(this);
  txtPrintableWidth = SizeBox(this, "txtPrintableWidth");
  lblPrintableWidth->setBuddy(txtPrintableWidth);
  lblMultiple1 = new QLabel(QStringLiteral("(10-*)mm"), this);
  lblPrintableHeight = new QLabel(this);
  txtPrintableHeigh = SizeBox(this, "txtPrintableHeigh");
  lblPrintableHeight->setBuddy(txtPrintableHeigh);
  Label2 = new QLabel(QStringLiteral("(10-210)mm"), this);
  btnPrint = new QPushButton(this);
  btnPrint->setObjectName(QStringLiteral("btnPrint"));
  btnClose = new QPushButton(this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  for (QPushButton *b : {btnPrint, btnClose}) b->setMinimumSize(81, 33);
  lblStatus = new QLabel(this);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setWordWrap(true);
  lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // Text box above; the two size rows on the left, the buttons on the
  // right of them; the status line and the busy bar below.
  auto *grid = new QGridLayout(this);
  grid->addWidget(lblContent, 0, 0, 1, 6);
  grid->addWidget(txtPrintText, 1, 0, 1, 6);
  grid->setRowStretch(1, 1);
  grid->addWidget(lblPrintableWidth, 2, 0);
  grid->addWidget(txtPrintableWidth, 2, 1);
  grid->addWidget(lblMultiple1, 2, 2);
  grid->addWidget(lblPrintableHeight, 3, 0);
  grid->addWidget(txtPrintableHeigh, 3, 1);
  grid->addWidget(Label2, 3, 2);
  grid->setColumnStretch(3, 1);
  grid->addWidget(btnPrint, 2, 4, 2, 1, Qt::AlignVCenter);
  grid->addWidget(btnClose, 2, 5, 2, 1, Qt::AlignVCenter);
  grid->addWidget(lblStatus, 4, 0, 1, 6);
  activity = new PrinterActivity(this);
  activity->Guard({btnPrint});
  grid->addWidget(activity, 5, 0, 1, 6);

  connect(txtPrintableWidth, &QLineEdit::editingFinished, this,
          &T_frmPrintTextLabel::CheckWidthValue);
  connect(txtPrintableHeigh, &QLineEdit::editingFinished, this,
          &T_frmPrintTextLabel::CheckHeightValue);
  connect(btnPrint, &QPushButton::clicked, this, &T_frmPrintTextLabel::btnPrintClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

T_frmPrintTextLabel::~T_frmPrintTextLabel() {
  for (QLineEdit *box : {txtPrintableWidth, txtPrintableHeigh}) box->disconnect(this);
}

void T_frmPrintTextLabel::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void T_frmPrintTextLabel::FormShow() {
  // A connection check only; nothing is written.
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  activity->Run<ServiceResult>(
      [printer](const TaskControl &control) {
        return PrinterService(printer, &control).TestConnection();
      },
      [](ServiceResult result) {
        if (!result.ok()) ShowServiceError(result);
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
  // What the job refuses whatever the code page is reported first, so the
  // warning below is never followed by a refusal.
  if (const auto job = LabelTextJob(width, height, text, Unprintable::Replace); !job.ok())
    return ShowServiceError(job.result);
  const SendChoice choice = AskAboutUnprintable(text);
  if (choice == SendChoice::Cancel) return;
  const Unprintable unprintable =
      choice == SendChoice::Replace ? Unprintable::Replace : Unprintable::Refuse;
  lblStatus->clear();
  activity->Run<ServiceResult>(
      [printer, width, height, text, unprintable](const TaskControl &control) {
        return PrinterService(printer, &control).PrintLabelText(width, height, text, unprintable);
      },
      [this, printer, width, height, text](ServiceResult result) {
        if (!result.ok()) return ShowServiceError(result);
        lblStatus->setText(SentStatus(
            SentAction::TestLabel, LabelLinesShown(TextLineCount(text), width, height), printer));
      });
}

void T_frmPrintTextLabel::done(int result) {
  activity->Cancel();  // closing does not wait for a slow printer
  QDialog::done(result);
}

}  // namespace ravo::utility
