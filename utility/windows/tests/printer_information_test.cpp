// The printer-information window against the virtual printer, and against
// a loopback listener where one answer has to be missing.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>

#include "form_printer_information.h"
#include "loopback_listener.h"
#include "mdl_global_printer_list.h"
#include "printer_activity.h"
#include "sim_process.h"
#include "window_test_support.h"

using namespace ravo::utility;
using ravo::sim::SimProcess;
using ravo::testing::ErrorBox;
using ravo::testing::FilesDir;
using ravo::testing::LoopbackListener;
using ravo::testing::SettlePrinterWork;
using ravo::testing::WaitUntil;

namespace {

// Answers each request found in a received piece; a request without an
// entry gets no answer.
LoopbackListener::Responder Answers(std::map<std::string, std::string> answers) {
  return [answers = std::move(answers)](const std::string &received) {
    std::string reply;
    for (const auto &[request, answer] : answers)
      if (received.find(request) != std::string::npos) reply += answer;
    return reply;
  };
}

const std::string kVersionBeta3("\x01\x02\x07\x03", 4);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

class PrinterInformationTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void showsTheThreeFacts_data();
  void showsTheThreeFacts();
  void copyPutsEveryValueOnTheClipboard();
  void missingAnswerAffectsOnlyItsField();
  void portFailureReadsNothing();
  void slowPrinterKeepsTheWindowResponsive();
  void closeDoesNotWaitForTheAnswer();

 private:
  // Selects a printer of `type` on the listener's port.
  void Select(const QString &type, const std::string &port);

  std::unique_ptr<FilesDir> files_;
  std::unique_ptr<ScopedRecordingMessageBoxes> boxes_;
};

void PrinterInformationTest::init() {
  files_ = std::make_unique<FilesDir>();
  mdlGlobal::InitGlobals(files_->Options());
  boxes_ = std::make_unique<ScopedRecordingMessageBoxes>();
}

void PrinterInformationTest::cleanup() {
  boxes_.reset();
  files_.reset();
}

void PrinterInformationTest::Select(const QString &type, const std::string &port) {
  const std::vector<mdlGlobal::PrinterListEntry> rows = {
      {type, "NET", QString::fromStdString(port)}};
  QCOMPARE(mdlGlobal::SelectPrinterEntry(rows, 0).createResult, 0);
}

void PrinterInformationTest::showsTheThreeFacts_data() {
  QTest::addColumn<QString>("language");
  QTest::addColumn<QString>("type");
  QTest::addColumn<QString>("model");
  QTest::addColumn<QString>("serial");
  QTest::addColumn<QString>("date");
  QTest::addColumn<QString>("firmware");
  QTest::addColumn<QString>("version");
  // VANTA-58 is a dealer type printing as a TQX58 (three version bytes);
  // the TQM answers four, and its serial number is too short for a date.
  // The date is written the way the chosen language writes dates.
  QTest::newRow("dealer serial, English") << "1033"
                                          << "VANTA-58"
                                          << "TQX58"
                                          << "6548000123"
                                          << "2/17/25"
                                          << "1.2.7.3"
                                          << "V 1.2.7";
  QTest::newRow("dealer serial, Simplified Chinese") << "2052"
                                                     << "VANTA-58"
                                                     << "TQX58"
                                                     << "6548000123"
                                                     << "2025/2/17"
                                                     << "1.2.7.3"
                                                     << "V 1.2.7";
  QTest::newRow("standard serial, Traditional Chinese") << "1028"
                                                        << "TQX58"
                                                        << "TQX58"
                                                        << "RV58A5120001"
                                                        << "2025/3/17"
                                                        << "1.2.7"
                                                        << "V 1.2.7";
  QTest::newRow("beta") << "1033"
                        << "TQM"
                        << "TQM"
                        << "TQM12"
                        << "Cannot read data"
                        << "1.2.7.3"
                        << "V 1.2.7.Beta3";
}

void PrinterInformationTest::showsTheThreeFacts() {
  QFETCH(QString, language);
  QFETCH(QString, type);
  QFETCH(QString, model);
  QFETCH(QString, serial);
  QFETCH(QString, date);
  QFETCH(QString, firmware);
  QFETCH(QString, version);
  mdlGlobal::InitGlobals({files_->Path(), language});
  SimProcess printer({"--model", model.toStdString(), "--serial", serial.toStdString(), "--journey",
                      "12345", "--firmware", firmware.toStdString()});
  QVERIFY2(printer.Running(), printer.Error().c_str());
  Select(type, printer.PortString());
  T_frmPrinterInformation form;
  form.show();
  QVERIFY(SettlePrinterWork());
  QVERIFY(boxes_->shown.empty());
  QCOMPARE(form.lblSerialNumberV->text(), serial);
  QCOMPARE(form.lblProduceDateV->text(), date);
  QCOMPARE(form.lblPrintLengthV->text(), QStringLiteral("37.035 (m)"));
  QCOMPARE(form.lblFirmwareVerV->text(), version);
  QVERIFY(printer.WaitForClosedSessions(1));
  QCOMPARE(printer.Sessions().size(), size_t{1});
}

void PrinterInformationTest::copyPutsEveryValueOnTheClipboard() {
  SimProcess printer({"--model", "TQX58", "--serial", "RV58A5120001", "--journey", "12345",
                      "--firmware", "1.2.7"});
  QVERIFY2(printer.Running(), printer.Error().c_str());
  Select("TQX58", printer.PortString());
  T_frmPrinterInformation form;
  form.show();
  QVERIFY(SettlePrinterWork());
  QGuiApplication::clipboard()->clear();
  form.btnCopy->click();
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Serial number: RV58A5120001\n"
                                                                "Production date: 3/17/25\n"
                                                                "Printed length: 37.035 (m)\n"
                                                                "Firmware version: V 1.2.7"));
}

void PrinterInformationTest::missingAnswerAffectsOnlyItsField() {
  LoopbackListener printer(Answers({{"ZZZGETVERSION", kVersionBeta3}}));
  Select("TQM", printer.PortString());
  T_frmPrinterInformation form;
  form.show();
  QVERIFY(SettlePrinterWork());
  QCOMPARE(form.lblSerialNumberV->text(), QStringLiteral("Cannot read data"));
  QCOMPARE(form.lblProduceDateV->text(), QStringLiteral("Cannot read data"));
  QCOMPARE(form.lblPrintLengthV->text(), QStringLiteral("Cannot read data"));
  QCOMPARE(form.lblFirmwareVerV->text(), QStringLiteral("V 1.2.7.Beta3"));
  // The session ended with the port closed: a second showing connects anew.
  form.hide();
  form.show();
  QVERIFY(SettlePrinterWork());
  QVERIFY(ravo::testing::WaitUntil([&] { return printer.connections() == 2; }));
  QVERIFY(boxes_->shown.empty());
}

void PrinterInformationTest::portFailureReadsNothing() {
  auto printer = std::make_unique<LoopbackListener>();
  Select("TQM", printer->PortString());
  printer.reset();
  T_frmPrinterInformation form;
  form.show();
  QVERIFY(SettlePrinterWork());
  QCOMPARE(boxes_->shown.size(), size_t{1});
  QCOMPARE(ravo::testing::Describe(boxes_->shown[0]),
           ErrorBox("Cannot open the port:-352\nCannot connect the target network printer.\n"
                    "Please confirm the network printer is online and in the same network."));
  for (QLabel *value :
       {form.lblSerialNumberV, form.lblProduceDateV, form.lblPrintLengthV, form.lblFirmwareVerV})
    QCOMPARE(value->text(), QString());
}

// The printer takes 800 ms for every answer: the window repaints, runs its
// timers and takes Cancel while it waits, and shows the busy bar meanwhile.
void PrinterInformationTest::slowPrinterKeepsTheWindowResponsive() {
  SimProcess printer({"--model", "TQX58", "--answer-delay-ms", "800"});
  QVERIFY2(printer.Running(), printer.Error().c_str());
  Select("TQX58", printer.PortString());
  T_frmPrinterInformation form;
  PaintCounter counter(&form);
  form.show();
  QVERIFY(form.activity->Busy());
  QVERIFY(form.activity->isVisibleTo(&form));
  QVERIFY(!form.activity->btnCancel->isHidden());
  bool timerRan = false;
  QTimer::singleShot(20, &form, [&] { timerRan = true; });
  const int paintsBefore = counter.paints;
  form.update();
  QVERIFY(WaitUntil([&] { return timerRan && counter.paints > paintsBefore; }, 600));
  QVERIFY(form.activity->Busy());  // all this while the first answer is still on its way

  form.activity->btnCancel->click();
  QVERIFY(!form.activity->Busy());
  QVERIFY(!form.activity->isVisibleTo(&form));
  QVERIFY(form.isVisible());
  QVERIFY(SettlePrinterWork());
  // The cancelled reading shows nothing, neither values nor a box.
  QCOMPARE(form.lblFirmwareVerV->text(), QString());
  QVERIFY(boxes_->shown.empty());
}

void PrinterInformationTest::closeDoesNotWaitForTheAnswer() {
  SimProcess printer({"--model", "TQX58", "--answer-delay-ms", "800"});
  QVERIFY2(printer.Running(), printer.Error().c_str());
  Select("TQX58", printer.PortString());
  T_frmPrinterInformation form;
  form.show();
  QVERIFY(form.activity->Busy());
  form.btnClose->click();
  QVERIFY(!form.isVisible());
  QVERIFY(!form.activity->Busy());
  QVERIFY(printer.Sessions().empty() || !printer.Sessions().back().closed);  // still talking
  QVERIFY(SettlePrinterWork());
  QVERIFY(boxes_->shown.empty());
}

QTEST_MAIN(PrinterInformationTest)
#include "printer_information_test.moc"
