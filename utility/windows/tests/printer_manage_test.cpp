// The printer dialog: set-up per mode, port strings, saving and the
// connection test.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "form_printer_manage_label.h"
#include "loopback_listener.h"
#include "mdl_printer_lib_tspl.h"
#include "window_test_support.h"

using namespace ravo::utility;
using ravo::testing::ErrorBox;
using ravo::testing::FilesDir;
using ravo::testing::InformationBox;
using ravo::testing::LoopbackListener;

class PrinterManageTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void addWithDefaultsSavesTheFirstTypeOnUsb();
  void portTypeChangeSetsUpThePanel();
  void modifyShowsTheEntryAndSavesItBack_data();
  void modifyShowsTheEntryAndSavesItBack();
  void showingClearsTheSavedFlag();
  void connectionTestReportsAndSavesNothing();
  void connectionTestAsksThePrinter();
  void portStringsThePortLibraryRefusesAreNotSaved_data();
  void portStringsThePortLibraryRefusesAreNotSaved();
  void emptyOrFailingPortListsAreSaid();

 private:
  std::unique_ptr<FilesDir> files_;
  std::unique_ptr<ScopedRecordingMessageBoxes> boxes_;
  std::unique_ptr<T_frmPrinterManage_Label> dialog_;
  T_frmPrinterManage_Label::PortLister savedLister_;
  // What the port lists hold in these tests, whatever this machine has.
  QStringList serialPorts_{"COM1:", "ttyUSB0:"};
  QStringList parallelPorts_{"LPT1:"};
  int32_t listError_ = 0;

  QStringList Boxes() const {
    ravo::testing::SettlePrinterWork();
    QStringList out;
    for (const MessageRecord &record : boxes_->shown) out << ravo::testing::Describe(record);
    return out;
  }
  QWidget *VisiblePanel() const {
    QWidget *visible = nullptr;
    for (QWidget *panel :
         {dialog_->pnlUSB, dialog_->pnlSerial, dialog_->pnlParallel, dialog_->pnlTCPIP}) {
      if (!panel->isVisibleTo(dialog_.get())) continue;
      if (visible != nullptr) return nullptr;  // more than one
      visible = panel;
    }
    return visible;
  }
};

void PrinterManageTest::init() {
  files_ = std::make_unique<FilesDir>();
  files_->WritePrinterList("TQM|USB|USB\r\nQ73|LPT|LPT1\r\n");
  mdlGlobal::InitGlobals(files_->Options());
  boxes_ = std::make_unique<ScopedRecordingMessageBoxes>();
  savedLister_ = T_frmPrinterManage_Label::ListPorts();
  T_frmPrinterManage_Label::ListPorts() = [this](const QString &kind, int32_t *error) {
    *error = listError_;
    if (listError_ != 0) return QStringList();
    return kind == "COM" ? serialPorts_ : parallelPorts_;
  };
  dialog_ = std::make_unique<T_frmPrinterManage_Label>();
}

void PrinterManageTest::cleanup() {
  T_frmPrinterManage_Label::ListPorts() = savedLister_;
  dialog_.reset();
  boxes_.reset();
  files_.reset();
}

void PrinterManageTest::addWithDefaultsSavesTheFirstTypeOnUsb() {
  dialog_->PrepareAdd();
  dialog_->show();
  QCOMPARE(dialog_->cmbPrinterName->currentText(), QStringLiteral("TQX58"));
  QCOMPARE(VisiblePanel(), dialog_->pnlUSB);
  dialog_->btnOK->click();
  QVERIFY(dialog_->Saved());
  QVERIFY(!dialog_->isVisible());
  QCOMPARE(files_->ReadPrinterList(),
           QByteArray("TQM|USB|USB\r\nQ73|LPT|LPT1\r\nTQX58|USB|USB\r\n"));
}

void PrinterManageTest::portTypeChangeSetsUpThePanel() {
  dialog_->PrepareAdd();
  dialog_->show();
  dialog_->cmbPortType->setCurrentText(QStringLiteral("NET"));
  QCOMPARE(VisiblePanel(), dialog_->pnlTCPIP);
  QCOMPARE(dialog_->txtIPAddress->text(), QStringLiteral("192.168.0.33"));
  dialog_->txtIPAddress->setText(QStringLiteral("10.9.8.7"));
  QCOMPARE(dialog_->BuildPortString({}), QStringLiteral("NET,10.9.8.7"));

  dialog_->cmbPortType->setCurrentText(QStringLiteral("COM"));
  QCOMPARE(VisiblePanel(), dialog_->pnlSerial);
  QCOMPARE(dialog_->PortType(), QStringLiteral("COM"));
  QCOMPARE(dialog_->cmbSerialList->currentIndex(), 0);
  QCOMPARE(dialog_->cmbBaudrate->currentText(), QStringLiteral("115200"));
  // Colons of the listed names never reach the port string.
  QCOMPARE(dialog_->BuildPortString({}), QStringLiteral("COM1,BAUDRATE_115200"));

  // Back on NET the address is reset, whatever was typed before.
  dialog_->cmbPortType->setCurrentText(QStringLiteral("NET"));
  QCOMPARE(dialog_->txtIPAddress->text(), QStringLiteral("192.168.0.33"));
  dialog_->cmbPortType->setCurrentText(QStringLiteral("LPT"));
  QCOMPARE(VisiblePanel(), dialog_->pnlParallel);
  QCOMPARE(dialog_->BuildPortString({}), QStringLiteral("LPT1"));
  QVERIFY(Boxes().isEmpty());
}

void PrinterManageTest::modifyShowsTheEntryAndSavesItBack_data() {
  QTest::addColumn<QString>("type");
  QTest::addColumn<QString>("portType");
  QTest::addColumn<QString>("port");
  QTest::addColumn<QString>("panel");
  QTest::addColumn<QString>("baud");
  QTest::newRow("network") << "Q73-W"
                           << "NET"
                           << "NET,10.0.0.5"
                           << "pnlTCPIP"
                           << "";
  QTest::newRow("usb") << "HMZ"
                       << "USB"
                       << "USB"
                       << "pnlUSB"
                       << "";
  QTest::newRow("serial") << "TGV"
                          << "COM"
                          << "ttyUSB0,BAUDRATE_9600"
                          << "pnlSerial"
                          << "9600";
  QTest::newRow("parallel") << "TQX80"
                            << "LPT"
                            << "LPT1"
                            << "pnlParallel"
                            << "";
}

void PrinterManageTest::modifyShowsTheEntryAndSavesItBack() {
  QFETCH(QString, type);
  QFETCH(QString, portType);
  QFETCH(QString, port);
  QFETCH(QString, panel);
  QFETCH(QString, baud);
  dialog_->PrepareModify(1, type, portType, port);
  dialog_->show();
  QCOMPARE(dialog_->cmbPrinterName->currentText(), type);
  QCOMPARE(dialog_->cmbPortType->currentText(), portType);
  QVERIFY(VisiblePanel() != nullptr);
  QCOMPARE(VisiblePanel()->objectName(), panel);
  if (portType == "NET") {
    QCOMPARE(dialog_->txtIPAddress->text(), QStringLiteral("10.0.0.5"));
  }
  if (!baud.isEmpty()) {
    QCOMPARE(dialog_->cmbBaudrate->currentText(), baud);
  }
  dialog_->btnOK->click();
  QVERIFY(dialog_->Saved());
  QCOMPARE(files_->ReadPrinterList(),
           "TQM|USB|USB\r\n" + (type + '|' + portType + '|' + port).toLatin1() + "\r\n");
}

void PrinterManageTest::showingClearsTheSavedFlag() {
  dialog_->PrepareAdd();
  dialog_->show();
  dialog_->btnOK->click();
  QVERIFY(dialog_->Saved());
  dialog_->show();
  QVERIFY(!dialog_->Saved());
  dialog_->btnClose->click();
  QVERIFY(!dialog_->Saved());
}

void PrinterManageTest::connectionTestReportsAndSavesNothing() {
  const QByteArray before = files_->ReadPrinterList();
  auto printer = std::make_unique<LoopbackListener>();
  const QString address = QString::fromStdString(printer->PortString()).mid(4);
  dialog_->PrepareModify(0, "TQX80", "NET", "NET," + address);
  dialog_->show();
  dialog_->btnConnectTest->click();
  QCOMPARE(Boxes(), QStringList{"Warning|warning|Connected, but the printer does not answer."});
  QVERIFY(ravo::testing::WaitUntil([&] { return printer->connections() == 1; }));

  printer.reset();
  dialog_->btnConnectTest->click();
  QCOMPARE(Boxes().last().section('\n', 0, 0), ErrorBox("Cannot open the port:-352"));

  dialog_->btnClose->click();
  QVERIFY(!dialog_->Saved());
  QCOMPARE(files_->ReadPrinterList(), before);
}

// A printer that answers either question is there; the connection test
// never calls a silent one "OK".
void PrinterManageTest::connectionTestAsksThePrinter() {
  const std::pair<std::string, std::string> answers[] = {
      {std::string("\x1B\x1B\x08", 3), std::string(1, '\x01')},
      {"ZZZGETSN\r\n", std::string("\x03S42\0", 5)},
  };
  for (const auto &[request, answer] : answers) {
    LoopbackListener printer([request, answer](const std::string &received) {
      return received.find(request) != std::string::npos ? answer : std::string();
    });
    dialog_->PrepareModify(0, "TQX80", "NET", QString::fromStdString(printer.PortString()));
    dialog_->show();
    boxes_->shown.clear();
    dialog_->btnConnectTest->click();
    QCOMPARE(Boxes(), QStringList{InformationBox("Connection OK.")});
    dialog_->btnClose->click();
  }
}

void PrinterManageTest::portStringsThePortLibraryRefusesAreNotSaved_data() {
  QTest::addColumn<QString>("portType");
  QTest::addColumn<QString>("address");
  QTest::addColumn<QString>("shown");
  QTest::newRow("no serial port") << "COM"
                                  << ""
                                  << ",BAUDRATE_4800\nIO invalid setting.";
  QTest::newRow("no address") << "NET"
                              << ""
                              << "NET,\nIO invalid setting.";
  QTest::newRow("port number out of range") << "NET"
                                            << "10.0.0.5:99999"
                                            << "NET,10.0.0.5:99999\nIO invalid setting.";
}

void PrinterManageTest::portStringsThePortLibraryRefusesAreNotSaved() {
  QFETCH(QString, portType);
  QFETCH(QString, address);
  QFETCH(QString, shown);
  serialPorts_.clear();
  const QByteArray before = files_->ReadPrinterList();
  dialog_->PrepareAdd();
  dialog_->show();
  dialog_->cmbPortType->setCurrentText(portType);
  dialog_->txtIPAddress->setText(address);
  boxes_->shown.clear();
  dialog_->btnOK->click();
  const QStringList boxes = Boxes();
  QCOMPARE(boxes.size(), 1);
  QVERIFY2(
      boxes[0].startsWith(ErrorBox("The port library cannot use this port:-301\n" + shown + "\n")),
      qPrintable(boxes[0]));
  QVERIFY(dialog_->isVisible());  // nothing entered is lost
  QVERIFY(!dialog_->Saved());
  QCOMPARE(files_->ReadPrinterList(), before);
}

void PrinterManageTest::emptyOrFailingPortListsAreSaid() {
  dialog_->PrepareAdd();
  dialog_->show();
  parallelPorts_.clear();
  dialog_->cmbPortType->setCurrentText(QStringLiteral("LPT"));
  QCOMPARE(Boxes(), QStringList{"|information|no ports present !"});

  boxes_->shown.clear();
  listError_ = -300;
  dialog_->cmbPortType->setCurrentText(QStringLiteral("COM"));
  QCOMPARE(dialog_->cmbSerialList->count(), 0);
  QCOMPARE(Boxes(), QStringList{"|information|Cannot list the ports:-300\nIO port error.\n"
                                "Please confirm the validity of a serial port and configuration."});
}

QTEST_MAIN(PrinterManageTest)
#include "printer_manage_test.moc"
