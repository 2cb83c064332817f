#include "form_printer_manage_label.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

QComboBox *DropDownList(QWidget *parent, int minimumWidth) {
  auto *box = new QComboBox(parent);
  box->setEditable(false);
  box->setMinimumWidth(minimumWidth);
  return box;
}

// A port panel: caption and field rows in two columns, the rest below.
QGridLayout *PanelGrid(QWidget *panel) {
  auto *grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setColumnStretch(1, 1);
  return grid;
}

void Fill(QComboBox *box, const QStringList &items) {
  box->clear();
  box->addItems(items);
}

QString WithoutColons(QString name) {
  return name.remove(QLatin1Char(':'));
}

}  // namespace

T_frmPrinterManage_Label::PortLister &T_frmPrinterManage_Label::ListPorts() {
  static PortLister lister = [](const QString &kind, int32_t *error) {
    return mdlFunction::EnumPortNames(kind, error);
  };
  return lister;
}

T_frmPrinterManage_Label::T_frmPrinterManage_Label(QWidget *parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);
  BuildControls();
  activity = new PrinterActivity(this);
  layout()->addWidget(activity);
  activity->Guard({cmbPrinterName, gpbPortInformation, btnConnectTest, btnOK});
  SetTabOrder();
  resize(385, 277);  // the design's size; the layout grows it for longer captions
  connect(cmbPortType, &QComboBox::currentTextChanged, this, [this] {
    if (!settingUp_) cmbPortTypeChange();
  });
  connect(btnConnectTest, &QPushButton::clicked, this, [this] { btnConnectTestClick(); });
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

void T_frmPrinterManage_Label::BuildControls() {
  lblPrinterName = new QLabel(this);
  cmbPrinterName = DropDownList(this, 200);
  lblPrinterName->setBuddy(cmbPrinterName);

  gpbPortInformation = new QGroupBox(this);
  lblPortType = new QLabel(gpbPortInformation);
  cmbPortType = DropDownList(gpbPortInformation, 121);
  cmbPortType->addItems(kPortTypes);
  lblPortType->setBuddy(cmbPortType);

  pnlUSB = new QWidget(gpbPortInformation);
  lblUSB = new QLabel(pnlUSB);
  lblUSB->setWordWrap(true);
  PanelGrid(pnlUSB)->addWidget(lblUSB, 0, 0, 1, 2);

  pnlSerial = new QWidget(gpbPortInformation);
  lblSerial = new QLabel(pnlSerial);
  cmbSerialList = DropDownList(pnlSerial, 145);
  lblBaudrate = new QLabel(pnlSerial);
  cmbBaudrate = DropDownList(pnlSerial, 145);
  cmbBaudrate->addItems(kBaudRates);
  QGridLayout *serial = PanelGrid(pnlSerial);
  serial->addWidget(lblSerial, 0, 0);
  serial->addWidget(cmbSerialList, 0, 1);
  serial->addWidget(lblBaudrate, 1, 0);
  serial->addWidget(cmbBaudrate, 1, 1);

  pnlParallel = new QWidget(gpbPortInformation);
  lblParallelList = new QLabel(pnlParallel);
  cmbParallel = DropDownList(pnlParallel, 145);
  QGridLayout *parallel = PanelGrid(pnlParallel);
  parallel->addWidget(lblParallelList, 0, 0);
  parallel->addWidget(cmbParallel, 0, 1);

  pnlTCPIP = new QWidget(gpbPortInformation);
  lblIPAddress = new QLabel(pnlTCPIP);
  txtIPAddress = new QLineEdit(pnlTCPIP);
  txtIPAddress->setMinimumWidth(145);
  QGridLayout *network = PanelGrid(pnlTCPIP);
  network->addWidget(lblIPAddress, 0, 0);
  network->addWidget(txtIPAddress, 0, 1);

  lblSerial->setBuddy(cmbSerialList);
  lblBaudrate->setBuddy(cmbBaudrate);
  lblParallelList->setBuddy(cmbParallel);
  lblIPAddress->setBuddy(txtIPAddress);

  // One panel shows at a time, below the port type; the hidden ones take
  // no room.
  auto *group = new QGridLayout(gpbPortInformation);
  group->setColumnStretch(1, 1);
  group->addWidget(lblPortType, 0, 0);
  group->addWidget(cmbPortType, 0, 1);
  for (QWidget *panel : {pnlUSB, pnlSerial, pnlParallel, pnlTCPIP}) {
    group->addWidget(panel, 1, 0, 1, 2);
    panel->hide();
  }
  group->setRowStretch(2, 1);
  gpbPortInformation->setMinimumHeight(140);
  pnlUSB->show();

  btnConnectTest = new QPushButton(this);
  btnOK = new QPushButton(this);
  btnClose = new QPushButton(this);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton *b : {btnConnectTest, btnOK, btnClose}) {
    b->setMinimumSize(81, 33);
    buttons->addWidget(b);
  }

  auto *name = new QHBoxLayout;
  name->addWidget(lblPrinterName);
  name->addWidget(cmbPrinterName, 1);
  auto *root = new QVBoxLayout(this);
  root->addLayout(name);
  root->addWidget(gpbPortInformation, 1);
  root->addLayout(buttons);

  const std::pair<QWidget *, const char *> names[] = {
      {lblPrinterName, "lblPrinterName"},
      {cmbPrinterName, "cmbPrinterName"},
      {gpbPortInformation, "gpbPortInformation"},
      {lblPortType, "lblPortType"},
      {cmbPortType, "cmbPortType"},
      {pnlUSB, "pnlUSB"},
      {lblUSB, "lblUSB"},
      {pnlSerial, "pnlSerial"},
      {lblSerial, "lblSerial"},
      {cmbSerialList, "cmbSerialList"},
      {lblBaudrate, "lblBaudrate"},
      {cmbBaudrate, "cmbBaudrate"},
      {pnlParallel, "pnlParallel"},
      {lblParallelList, "lblParallelList"},
      {cmbParallel, "cmbParallel"},
      {pnlTCPIP, "pnlTCPIP"},
      {lblIPAddress, "lblIPAddress"},
      {txtIPAddress, "txtIPAddress"},
      {btnConnectTest, "btnConnectTest"},
      {btnOK, "btnOK"},
      {btnClose, "btnClose"},
  };
  for (const auto &[widget, name] : names) widget->setObjectName(QLatin1String(name));
}

void T_frmPrinterManage_Label::SetTabOrder() {
  QWidget *order[] = {cmbPrinterName, cmbPortType,    cmbSerialList, cmbBaudrate, cmbParallel,
                      txtIPAddress,   btnConnectTest, btnOK,         btnClose};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
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
  for (const auto &[label, key] : keyed) label->setText(GetLangString(QLatin1String(key)));
  // The panels lay out their rows on their own; one caption width for all
  // keeps their fields in line with the port type's.
  QLabel *captions[] = {lblPortType, lblSerial, lblBaudrate, lblParallelList, lblIPAddress};
  int width = 0;
  for (QLabel *caption : captions) {
    caption->setMinimumWidth(0);
    width = std::max(width, caption->sizeHint().width());
  }
  for (QLabel *caption : captions) caption->setMinimumWidth(width);
  gpbPortInformation->setTitle(
      GetLangString(QStringLiteral("FormPrinterManage_gpbPortInformation")));
  btnConnectTest->setText(GetLangString(QStringLiteral("FormPrinterManage_btnConnectTest")));
  btnOK->setText(GetLangString(QStringLiteral("FormPrinterManage_btnOK")));
  btnClose->setText(Msg.Close);
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
    FillPorts(cmbSerialList, QStringLiteral("COM"));
    cmbSerialList->setCurrentIndex(cmbSerialList->findText(parts[0] + QLatin1Char(':')));
    if (cmbSerialList->currentIndex() < 0 && cmbSerialList->count() > 0)
      cmbSerialList->setCurrentIndex(0);
    const QString baudPart = parts.size() > 1 ? parts[1] : QString();
    const qsizetype underscore = baudPart.indexOf(QLatin1Char('_'));
    const QString baud = underscore < 0 ? QString() : baudPart.mid(underscore + 1);
    cmbBaudrate->setCurrentIndex(mdlFunction::SelectComboText(kBaudRates, baud));
  } else if (portType_ == QLatin1String("LPT")) {
    ShowPanel(pnlParallel);
    FillPorts(cmbParallel, QStringLiteral("LPT"));
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
  panel->show();
}

void T_frmPrinterManage_Label::FillPorts(QComboBox *box, const QString &kind) {
  int32_t error = 0;
  Fill(box, ListPorts()(kind, &error));
  if (error != 0) {
    ShowPlain(
        ErrorCodeText(GetLangString(QStringLiteral("FormPrinterManage_MSGPortListFailed")), error));
  } else if (box->count() == 0) {
    ShowPlain(GetLangString(QStringLiteral("_NoPortsPresent")));
  }
}

void T_frmPrinterManage_Label::cmbPortTypeChange() {
  portType_ = cmbPortType->currentText();
  if (portType_ == QLatin1String("COM")) {
    ShowPanel(pnlSerial);
    FillPorts(cmbSerialList, QStringLiteral("COM"));
    if (cmbSerialList->count() > 0) {
      cmbSerialList->setCurrentIndex(0);
      cmbBaudrate->setCurrentIndex(cmbBaudrate->count() - 1);
    }
  } else if (portType_ == QLatin1String("LPT")) {
    ShowPanel(pnlParallel);
    FillPorts(cmbParallel, QStringLiteral("LPT"));
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
  activity->Run<ServiceAnswer<ConnectionCheck>>(
      [printer](const TaskControl &control) {
        return PrinterService(printer, &control).CheckConnection();
      },
      [](ServiceAnswer<ConnectionCheck> check) { ShowConnectionCheck(check.result, check.value); });
}

void T_frmPrinterManage_Label::done(int result) {
  activity->Cancel();  // closing does not wait for a connection test
  QDialog::done(result);
}

void T_frmPrinterManage_Label::btnOKClick() {
  const QString type = cmbPrinterName->currentText();
  const QString portType = cmbPortType->currentText();
  const QString port = BuildPortString(QString());
  // Saved only when the port library can use it; the dialog stays open
  // with everything the user entered.
  if (const int32_t understood = mdlFunction::CheckPortString(port); understood != 0) {
    return ShowErrorCode(GetLangString(QStringLiteral("FormPrinterManage_MSGBadPort")), understood,
                         port);
  }
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
