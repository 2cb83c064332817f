#include "form_printer_information.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <span>

#include "language_locale.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_info_decode.h"
#include "printer_service.h"
#include "window_messages.h"

namespace ravo::utility {
namespace {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

std::span<const uint8_t> Bytes(const QByteArray &bytes) {
  return {reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())};
}

QLabel *Caption(QWidget *parent, const char *key) {
  auto *label = new QLabel(GetLangString(QLatin1String(key)), parent);
  label->setObjectName(QString::fromLatin1(key).section(QLatin1Char('_'), -1));
  return label;
}

QLabel *Value(QWidget *parent, const char *name) {
  auto *label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setMinimumWidth(121);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QString SerialText(const PrinterInformation &info) {
  switch (info.serialState) {
    case PrinterInformation::Serial::Read:
      return info.serial;
    case PrinterInformation::Serial::NotSupported:
      return GetLangString(QStringLiteral("_Err_NotSupported"));
    case PrinterInformation::Serial::NoAnswer:
      break;
  }
  return Msg.Err_ReadData;
}

}  // namespace

T_frmPrinterInformation::T_frmPrinterInformation(QWidget *parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(GetLangString(QStringLiteral("FormPrinterInformation_Caption")));
  lblSerialNumber = Caption(this, "FormPrinterInformation_lblSerialNumber");
  lblSerialNumberV = Value(this, "lblSerialNumberV");
  lblProduceDate = Caption(this, "FormPrinterInformation_lblProduceDate");
  lblProduceDateV = Value(this, "lblProduceDateV");
  lblPrintLength = Caption(this, "FormPrinterInformation_lblPrintLength");
  lblPrintLengthV = Value(this, "lblPrintLengthV");
  lblFirmwareVer = Caption(this, "FormPrinterInformation_lblFirmwareVer");
  lblFirmwareVerV = Value(this, "lblFirmwareVerV");
  btnCopy = new QPushButton(GetLangString(QStringLiteral("FormPrinterInformation_btnCopy")), this);
  btnCopy->setObjectName(QStringLiteral("btnCopy"));
  btnClose = new QPushButton(Msg.Close, this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  for (QPushButton *b : {btnCopy, btnClose}) b->setMinimumSize(81, 33);
  activity = new PrinterActivity(this);
  activity->Guard({btnCopy});

  auto *grid = new QGridLayout(this);
  const std::pair<QLabel *, QLabel *> rows[] = {{lblSerialNumber, lblSerialNumberV},
                                                {lblProduceDate, lblProduceDateV},
                                                {lblPrintLength, lblPrintLengthV},
                                                {lblFirmwareVer, lblFirmwareVerV}};
  int row = 0;
  for (const auto &[caption, value] : rows) {
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row++, 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(row++, 1);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnCopy);
  buttons->addWidget(btnClose);
  buttons->addStretch();
  grid->addLayout(buttons, row++, 0, 1, 2);
  grid->addWidget(activity, row, 0, 1, 2);
  resize(QSize(274, 145).expandedTo(sizeHint()));

  connect(btnCopy, &QPushButton::clicked, this, [this] { btnCopyClick(); });
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void T_frmPrinterInformation::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void T_frmPrinterInformation::done(int result) {
  activity->Cancel();  // closing does not wait for a slow printer
  QDialog::done(result);
}

void T_frmPrinterInformation::FormShow() {
  for (QLabel *value : {lblSerialNumberV, lblProduceDateV, lblPrintLengthV, lblFirmwareVerV})
    value->clear();
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  activity->Run<ServiceAnswer<PrinterInformation>>(
      [printer](const TaskControl &control) {
        return PrinterService(printer, &control).ReadInformation();
      },
      [this, printer](ServiceAnswer<PrinterInformation> read) {
        if (!read.ok()) return ShowServiceError(read.result);
        ShowInformation(printer, read.value);
      });
}

void T_frmPrinterInformation::ShowInformation(const PrinterTarget &printer,
                                              const PrinterInformation &info) {
  const SerialLayout layout = mdlGlobal::IsDealerPrinterType(printer.printerType)
                                  ? SerialLayout::Dealer
                                  : SerialLayout::Standard;
  lblSerialNumberV->setText(SerialText(info));
  lblProduceDateV->setText(ProductionDateText(info.serial, layout, QDate::currentDate().year(),
                                              LocaleOfLanguage(mdlGlobal::LanguageId))
                               .value_or(Msg.Err_ReadData));
  lblPrintLengthV->setText(PrintedLengthText(Bytes(info.journey)).value_or(Msg.Err_ReadData));
  lblFirmwareVerV->setText(FirmwareVersionText(Bytes(info.version)).value_or(Msg.Err_ReadData));
}

QString T_frmPrinterInformation::ValuesText() const {
  QStringList lines;
  const std::pair<QLabel *, QLabel *> rows[] = {{lblSerialNumber, lblSerialNumberV},
                                                {lblProduceDate, lblProduceDateV},
                                                {lblPrintLength, lblPrintLengthV},
                                                {lblFirmwareVer, lblFirmwareVerV}};
  for (const auto &[caption, value] : rows)
    lines << caption->text() + QLatin1Char(' ') + value->text();
  return lines.join(QLatin1Char('\n'));
}

void T_frmPrinterInformation::btnCopyClick() {
  QGuiApplication::clipboard()->setText(ValuesText());
}

}  // namespace ravo::utility
