#include "form_printer_information.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>
#include <array>
#include <chrono>
#include <span>
#include <thread>

#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_printer_lib_tspl.h"
#include "printer_info_decode.h"
#include "window_messages.h"

namespace ravo::utility {
namespace {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;
namespace tspl = mdlPrinterLib_TSPL;

// Writes a command line, waits for the printer, and reads up to `length`
// answer bytes in one attempt.
std::vector<uint8_t> Ask(const char *command, int32_t length) {
  const std::string line = std::string(command) + "\r\n";
  tspl::TsplWriteData(reinterpret_cast<const uint8_t *>(line.data()),
                      static_cast<int32_t>(line.size()));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::vector<uint8_t> answer(static_cast<size_t>(length), 0);
  int32_t count = 0;
  tspl::TsplReadRetry(answer.data(), length, count, 100, 1);
  answer.resize(static_cast<size_t>(std::clamp(count, 0, length)));
  return answer;
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
  setFixedSize(274, 145);
  lblProduceDate = Label(this, 8, 12);
  lblPrintLength = Label(this, 8, 38);
  lblFirmwareVer = Label(this, 8, 62);
  lblProduceDateV = Label(this, 136, 12, 121);
  lblPrintLengthV = Label(this, 136, 38, 121);
  lblFirmwareVerV = Label(this, 136, 62, 121);
  btnClose = new QPushButton(this);
  btnClose->setGeometry(97, 98, 81, 33);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

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

void T_frmPrinterInformation::FormShow() {
  for (QLabel *value : {lblProduceDateV, lblPrintLengthV, lblFirmwareVerV}) value->clear();
  mdlGlobal::PrinterResult = tspl::TsplOpenPort(mdlGlobal::SelectedPort);
  if (mdlGlobal::PrinterResult != 0) {
    ShowErrorCode(Msg.Err_OpenPort, mdlGlobal::PrinterResult);
    return;
  }
  lblProduceDateV->setText(ReadProductionDate());
  lblPrintLengthV->setText(ReadPrintedLength());
  lblFirmwareVerV->setText(ReadFirmwareVersion());
  tspl::TsplClosePort();
}

QString T_frmPrinterInformation::ReadProductionDate() const {
  std::array<char, 32> buffer{};
  tspl::TsplGetSN(buffer.data());
  const QString serial =
      mdlFunction::BytesToText(reinterpret_cast<const uint8_t *>(buffer.data()), 32);
  const SerialLayout layout = mdlGlobal::IsDealerPrinterType(mdlGlobal::SelectedPrinterType)
                                  ? SerialLayout::Dealer
                                  : SerialLayout::Standard;
  return ProductionDateText(serial, layout, QDate::currentDate().year(), QLocale::system())
      .value_or(Msg.Err_ReadData);
}

QString T_frmPrinterInformation::ReadPrintedLength() const {
  const std::vector<uint8_t> answer = Ask("ZZZGETJOURNEY", 4);
  return PrintedLengthText(answer).value_or(Msg.Err_ReadData);
}

QString T_frmPrinterInformation::ReadFirmwareVersion() const {
  const int length = mdlGlobal::VersionAnswerLength(mdlGlobal::SelectedModel);
  const std::vector<uint8_t> answer = Ask("ZZZGETVERSION", length);
  return FirmwareVersionText(answer).value_or(Msg.Err_ReadData);
}

}  // namespace ravo::utility
