#include "form_printer_manage_label.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_global_printer_list.h"
#include "mdl_global_user_data.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "window_messages.h"

namespace ravo::utility {
namespace {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

const QStringList kPortTypes = {QStringLiteral("USB"), QStringLiteral("COM"), QStringLiteral("LPT"),
                                QStringLiteral("NET")};
const QStringList kBaudRates = {QStringLiteral("4800"),  QStringLiteral("9600"),
                                QStringLiteral("19200"), QStringLiteral("38400"),
                                QStringLiteral("57600"), QStringLiteral("115200")};
const QString kDefaultAddress = QStringLiteral("192.168.0.33");

// The place all four port panels share inside the port group.
const QRect kPanelPlace(8, 40, 353, 145);

QComboBox *DropDownList(QWidget *parent, const QRect &geometry) {
  auto *box = new QComboBox(parent);
  box->setEditable(false);
  box->setGeometry(geometry);
  return box;
}

QLabel *Label(QWidget *parent, int x, int y) {
  auto *label = new QLabel(parent);
  label->move(x, y);
  return label;
}

void Fill(QComboBox *box, const QStringList &items) {
  box->clear();
  box->addItems(items);
}

QString WithoutColons(QString name) {
  return name.remove(QLatin1Char(':'));
}

}  // namespace

T_frmPrinterManage_Label::T_frmPrinterManage_Label(QWidget *parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowTitleHint);
  // Taller than the layout of the controls, for the busy bar below them.
  setFixedSize(385, 305);
  setModal(true);
  BuildControls();
  activity = new PrinterActivity(this);
  activity->setGeometry(8, 274, 369, 26);
  activity->Guard({cmbPrinterName, gpbPortInformation, btnConnectTest, btnOK});
  connect(cmbPortType, &QComboBox::currentTextChanged, this, [this] {
    if (!settingUp_) cmbPortTypeChange();
  });
  connect(btnConnectTest, &QPushButton::clicked, this, [this] { btnConnectTestClick(); });
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

void T_frmPrinterManage_Label::BuildControls() {
  lblPrinterName = Label(this, 16, 16);
  cmbPrinterName = DropDownList(this, {104, 12, 200, 24});

  gpbPortInformation = new QGroupBox(this);
  gpbPortInformation->setGeometry(8, 40, 369, 189);
  lblPortType = Label(gpbPortInformation, 16, 18);
  cmbPortType = DropDownList(gpbPortInformation, {104, 14, 121, 24});
  cmbPortType->addItems(kPortTypes);

  pnlUSB = new QWidget(gpbPortInformation);
  lblUSB = Label(pnlUSB, 8, 12);

  pnlSerial = new QWidget(gpbPortInformation);
  lblSerial = Label(pnlSerial, 8, 12);
  cmbSerialList = DropDownList(pnlSerial, {96, 8, 145, 24});
  lblBaudrate = Label(pnlSerial, 8, 48);
  cmbBaudrate = DropDownList(pnlSerial, {96, 44, 145, 24});
  cmbBaudrate->addItems(kBaudRates);

  pnlParallel = new QWidget(gpbPortInformation);
  lblParallelList = Label(pnlParallel, 8, 12);
  cmbParallel = DropDownList(pnlParallel, {96, 8, 145, 24});

  pnlTCPIP = new QWidget(gpbPortInformation);
  lblIPAddress = Label(pnlTCPIP, 8, 12);
  txtIPAddress = new QLineEdit(pnlTCPIP);
  txtIPAddress->setGeometry(96, 8, 145, 24);

  for (QWidget *panel : {pnlUSB, pnlSerial, pnlParallel, pnlTCPIP}) {
    panel->setGeometry(kPanelPlace);
    panel->hide();
  }
  pnlUSB->show();

  btnConnectTest = new QPushButton(this);
  btnConnectTest->setGeometry(93, 236, 81, 33);
  btnOK = new QPushButton(this);
  btnOK->setGeometry(189, 235, 81, 33);
  btnClose = new QPushButton(this);
  btnClose->setGeometry(285, 235, 81, 33);

  const std::pair<QWidget *, const char *> names[] = {
      {cmbPrinterName, "cmbPrinterName"},
      {cmbPortType, "cmbPortType"},
      {pnlUSB, "pnlUSB"},
      {pnlSerial, "pnlSerial"},
      {cmbSerialList, "cmbSerialList"},
      {cmbBaudrate, "cmbBaudrate"},
      {pnlParallel, "pnlParallel"},
      {cmbParallel, "cmbParallel"},
      {pnlTCPIP, "pnlTCPIP"},
      {txtIPAddress, "txtIPAddress"},
      {btnConnectTest, "btnConnectTest"},
      {btnOK, "btnOK"},
      {btnClose, "btnClose"},
  };
  for (const auto &[widget, name] : names) widget->setObjectName(QLatin1String(name));
}

void T_frmPrinterManage_Label::PrepareAdd() {
  mode_ = Mode::Add;
  rowIndex_ = 0;
  printerType_.clear();
  portType_.clear();
  port_.clear();
}

void T_frmPrinterManage_Label::PrepareModify(int rowIndex, const QString &printerType,
                                             const QString &portType, const QString &port) {
  mode_ = Mode::Modify;
  rowIndex_ = rowIndex;
  printerType_ = printerType;
  portType_ = portType;
  port_ = port;
}

void T_frmPrinterManage_Label::showEvent(QShowEvent *event) {
  FormShow();
  QDialog::showEvent(event);
}

void T_frmPrinterManage_Label::FormShow() {
  SetCaptions();
  SetUpControls();
  saved_ = false;
}

void T_frmPrinterManage_Label::SetCaptions() {
  setWindowTitle(GetLangString(QStringLiteral("FormPrinterManage_Caption")));
  const std::pair<QLabel *, const char *> keyed[] = {
      {lblPrinterName, "FormPrinterManage_lblPrinterName"},
      {lblPortType, "FormPrinterManage_lblPortType"},
      {lblUSB, "FormPrinterManage_lblUSB"},
      {lblSerial, "FormPrinterManage_lblSerial"},
      {lblBaudrate, "FormPrinterManage_lblBaudrate"},
      {lblParallelList, "FormPrinterManage_lblParallelList"},
      {lblIPAddress, "FormPrinterManage_lblIPAddress"},
  };
  for (const auto &[label, key] : keyed) {
    label->setText(GetLangString(QLatin1String(key)));
    label->adjustSize();
  }
  gpbPortInformation->setTitle(
      GetLangString(QStringLiteral("FormPrinterManage_gpbPortInformation")));
  btnConnectTest->setText(GetLangString(QStringLiteral("FormPrinterManage_btnConnectTest")));
  btnOK->setText(GetLangString(QStringLiteral("FormPrinterManage_btnOK")));
  btnClose->setText(Msg.Close);
  // A longer translated label pushes the type box to the right.
  cmbPrinterName->move(lblPrinterName->x() + lblPrinterName->width(), cmbPrinterName->y());
}

void T_frmPrinterManage_Label::SetUpControls() {
  settingUp_ = true;
  Fill(cmbPrinterName, mdlGlobal::CompanyPrinterTypes);
  cmbPrinterName->setCurrentIndex(cmbPrinterName->count() > 0 ? 0 : -1);
  cmbPortType->setCurrentIndex(0);
  if (mode_ == Mode::Add) {
    settingUp_ = false;
    cmbPortTypeChange();
    return;
  }
  const QStringList types = mdlGlobal::CompanyPrinterTypes;
  if (!types.isEmpty())
    cmbPrinterName->setCurrentIndex(mdlFunction::SelectComboText(types, printerType_));
  cmbPortType->setCurrentIndex(mdlFunction::SelectComboText(kPortTypes, portType_));
  if (portType_ == QLatin1String("COM")) {
    ShowPanel(pnlSerial);
    const QStringList parts = mdlFunction::SplitString(port_, QLatin1Char(','));
    FillSerialPorts();
    cmbSerialList->setCurrentIndex(cmbSerialList->findText(parts[0] + QLatin1Char(':')));
    if (cmbSerialList->currentIndex() < 0 && cmbSerialList->count() > 0)
      cmbSerialList->setCurrentIndex(0);
    const QString baudPart = parts.size() > 1 ? parts[1] : QString();
    const qsizetype underscore = baudPart.indexOf(QLatin1Char('_'));
    const QString baud = underscore < 0 ? QString() : baudPart.mid(underscore + 1);
    cmbBaudrate->setCurrentIndex(mdlFunction::SelectComboText(kBaudRates, baud));
  } else if (portType_ == QLatin1String("LPT")) {
    ShowPanel(pnlParallel);
    FillParallelPorts();
    cmbParallel->setCurrentIndex(cmbParallel->findText(port_ + QLatin1Char(':')));
    if (cmbParallel->currentIndex() < 0 && cmbParallel->count() > 0)
      cmbParallel->setCurrentIndex(0);
  } else if (portType_ == QLatin1String("NET")) {
    ShowPanel(pnlTCPIP);
    const qsizetype comma = port_.indexOf(QLatin1Char(','));
    txtIPAddress->setText(comma < 0 ? QString() : port_.mid(comma + 1));
  } else {
    ShowPanel(pnlUSB);
  }
  settingUp_ = false;
}

void T_frmPrinterManage_Label::ShowPanel(QWidget *panel) {
  for (QWidget *other : {pnlUSB, pnlSerial, pnlParallel, pnlTCPIP})
    if (other != panel) other->hide();
  panel->setGeometry(kPanelPlace);
  panel->show();
  panel->raise();
}

void T_frmPrinterManage_Label::FillSerialPorts() {
  Fill(cmbSerialList, mdlFunction::EnumPortNames(QStringLiteral("COM")));
}

void T_frmPrinterManage_Label::FillParallelPorts() {
  Fill(cmbParallel, mdlFunction::EnumPortNames(QStringLiteral("LPT")));
}

void T_frmPrinterManage_Label::cmbPortTypeChange() {
  portType_ = cmbPortType->currentText();
  if (portType_ == QLatin1String("COM")) {
    ShowPanel(pnlSerial);
    FillSerialPorts();
    if (cmbSerialList->count() > 0) {
      cmbSerialList->setCurrentIndex(0);
      cmbBaudrate->setCurrentIndex(cmbBaudrate->count() - 1);
    }
  } else if (portType_ == QLatin1String("LPT")) {
    ShowPanel(pnlParallel);
    FillParallelPorts();
    if (cmbParallel->count() > 0) cmbParallel->setCurrentIndex(0);
  } else if (portType_ == QLatin1String("NET")) {
    ShowPanel(pnlTCPIP);
    txtIPAddress->setText(kDefaultAddress);
  } else {
    ShowPanel(pnlUSB);
  }
}

QString T_frmPrinterManage_Label::BuildPortString(const QString &other) const {
  const QString type = cmbPortType->currentText();
  if (type == QLatin1String("COM"))
    return WithoutColons(cmbSerialList->currentText()) + QStringLiteral(",BAUDRATE_") +
           cmbBaudrate->currentText();
  if (type == QLatin1String("NET")) return QStringLiteral("NET,") + txtIPAddress->text();
  if (type == QLatin1String("USB")) return QStringLiteral("USB");
  if (type == QLatin1String("LPT")) return WithoutColons(cmbParallel->currentText());
  return other;
}

void T_frmPrinterManage_Label::btnConnectTestClick() {
  const QString port = BuildPortString(QStringLiteral("Invalid"));
  const QString type = cmbPrinterName->currentText().trimmed();
  const PrinterTarget printer{port, mdlGlobal::ModelForPrinterType(type), type};
  activity->Run<ServiceResult>(
      [printer](const TaskControl &control) {
        return PrinterService(printer, &control).TestConnection();
      },
      [](ServiceResult result) {
        if (result.ok())
          ShowInformation(Msg.ConnectOK);
        else
          ShowErrorCode(result.Text(), result.code);
      });
}

void T_frmPrinterManage_Label::done(int result) {
  activity->Cancel();  // closing does not wait for a connection test
  QDialog::done(result);
}

void T_frmPrinterManage_Label::btnOKClick() {
  const QString type = cmbPrinterName->currentText();
  const QString portType = cmbPortType->currentText();
  const QString port = BuildPortString(QString());
  const bool written = mode_ == Mode::Add
                           ? mdlGlobal::AppendPrinterEntry(type, portType, port)
                           : mdlGlobal::ReplacePrinterEntry(rowIndex_, type, portType, port);
  if (!written) {
    // The dialog stays open so that nothing the user entered is lost.
    ShowError(GetLangString(QStringLiteral("FormPrinterManage_MSGSaveFailed")) + QLatin1Char(':') +
              mdlGlobal::PrinterListPath());
    return;
  }
  saved_ = true;
  accept();
}

void T_frmPrinterManage_Label::btnCloseClick() {
  reject();
}

}  // namespace ravo::utility
