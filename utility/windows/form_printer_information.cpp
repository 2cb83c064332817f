#include "form_printer_information.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <span>

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

QLabel *Label(QWidget *parent, int x, int y, int width = 0) {
  auto *label = new QLabel(parent);
  label->move(x, y);
  if (width > 0) label->resize(width, label->sizeHint().height());
  return label;
}

}  // namespace

T_frmPrinterInformation::T_frmPrinterInformation(QWidget *parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowTitleHint);
  // Taller than the layout of the three facts, for the busy bar below them.
  setFixedSize(274, 172);
  lblProduceDate = Label(this, 8, 12);
  lblPrintLength = Label(this, 8, 38);
  lblFirmwareVer = Label(this, 8, 62);
  lblProduceDateV = Label(this, 136, 12, 121);
  lblPrintLengthV = Label(this, 136, 38, 121);
  lblFirmwareVerV = Label(this, 136, 62, 121);
  btnClose = new QPushButton(this);
  btnClose->setGeometry(97, 98, 81, 33);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
  activity = new PrinterActivity(this);
  activity->setGeometry(8, 140, 258, 26);

  setWindowTitle(GetLangString(QStringLiteral("FormPrinterInformation_Caption")));
  lblProduceDate->setText(GetLangString(QStringLiteral("FormPrinterInformation_lblProduceDate")));
  lblPrintLength->setText(GetLangString(QStringLiteral("FormPrinterInformation_lblPrintLength")));
  lblFirmwareVer->setText(GetLangString(QStringLiteral("FormPrinterInformation_lblFirmwareVer")));
  for (QLabel *label : {lblProduceDate, lblPrintLength, lblFirmwareVer}) label->adjustSize();
  btnClose->setText(Msg.Close);
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
  for (QLabel *value : {lblProduceDateV, lblPrintLengthV, lblFirmwareVerV}) value->clear();
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  activity->Run<ServiceAnswer<PrinterInformation>>(
      [printer](const TaskControl &control) {
        return PrinterService(printer, &control).ReadInformation();
      },
      [this, printer](ServiceAnswer<PrinterInformation> read) {
        if (!read.ok()) return ShowErrorCode(read.result.Text(), read.result.code);
        ShowInformation(printer, read.value);
      });
}

void T_frmPrinterInformation::ShowInformation(const PrinterTarget &printer,
                                              const PrinterInformation &info) {
  const SerialLayout layout = mdlGlobal::IsDealerPrinterType(printer.printerType)
                                  ? SerialLayout::Dealer
                                  : SerialLayout::Standard;
  lblProduceDateV->setText(
      ProductionDateText(info.serial, layout, QDate::currentDate().year(), QLocale::system())
          .value_or(Msg.Err_ReadData));
  lblPrintLengthV->setText(PrintedLengthText(Bytes(info.journey)).value_or(Msg.Err_ReadData));
  lblFirmwareVerV->setText(FirmwareVersionText(Bytes(info.version)).value_or(Msg.Err_ReadData));
}

}  // namespace ravo::utility
