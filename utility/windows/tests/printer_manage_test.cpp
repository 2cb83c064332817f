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

 private:
  std::unique_ptr<FilesDir> files_;
  std::unique_ptr<ScopedRecordingMessageBoxes> boxes_;
  std::unique_ptr<T_frmPrinterManage_Label> dialog_;

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
  dialog_ = std::make_unique<T_frmPrinterManage_Label>();
}

void PrinterManageTest::cleanup() {
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
  if (dialog_->cmbSerialList->count() > 0) {
    QCOMPARE(dialog_->cmbSerialList->currentIndex(), 0);
    QCOMPARE(dialog_->cmbBaudrate->currentText(), QStringLiteral("115200"));
  }
  // Colons of the listed names never reach the port string.
  QVERIFY(!dialog_->BuildPortString({}).contains(QLatin1Char(':')));

  // Back on NET the address is reset, whatever was typed before.
  dialog_->cmbPortType->setCurrentText(QStringLiteral("NET"));
  QCOMPARE(dialog_->txtIPAddress->text(), QStringLiteral("192.168.0.33"));
  dialog_->cmbPortType->setCurrentText(QStringLiteral("LPT"));
  QCOMPARE(VisiblePanel(), dialog_->pnlParallel);
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
  // Whatever serial ports this machine has, the baud rate comes back.
  QTest::newRow("serial") << "TGV"
                          << "COM"
                          << "COM3,BAUDRATE_9600"
                          << "pnlSerial"
                          << "9600";
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
  const QByteArray saved = files_->ReadPrinterList();
  QVERIFY(saved.startsWith("TQM|USB|USB\r\n" + (type + '|' + portType + '|').toLatin1()));
  if (portType != "COM") {
    QCOMPARE(saved, "TQM|USB|USB\r\n" + (type + '|' + portType + '|' + port).toLatin1() + "\r\n");
  } else {
    QVERIFY(saved.endsWith(",BAUDRATE_9600\r\n"));
  }
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
  QCOMPARE(Boxes(), QStringList{InformationBox("Connection OK.")});
  QVERIFY(ravo::testing::WaitUntil([&] { return printer->connections() == 1; }));

  printer.reset();
  dialog_->btnConnectTest->click();
  QCOMPARE(Boxes().last(), ErrorBox("Cannot open the port:-352"));

  dialog_->btnClose->click();
  QVERIFY(!dialog_->Saved());
  QCOMPARE(files_->ReadPrinterList(), before);
}

QTEST_MAIN(PrinterManageTest)
#include "printer_manage_test.moc"
