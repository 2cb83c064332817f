// The printer-information window against a loopback printer that answers
// the serial-number, printed-length and version requests.
#include <QLabel>
#include <QTest>
#include <map>
#include <memory>

#include "form_printer_information.h"
#include "loopback_listener.h"
#include "printer_list.h"
#include "window_test_support.h"

using namespace ravo::utility;
using ravo::testing::ErrorBox;
using ravo::testing::FilesDir;
using ravo::testing::LoopbackListener;

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

// The serial-number answer: length byte, the number, NUL.
std::string SerialAnswer(const std::string &serial) {
  return std::string(1, static_cast<char>(serial.size())) + serial + std::string(1, '\0');
}

const std::string kJourney12345("\x00\x00\x30\x39", 4);
const std::string kVersionBeta3("\x01\x02\x07\x03", 4);

}  // namespace

class PrinterInformationTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void showsTheThreeFacts_data();
  void showsTheThreeFacts();
  void missingAnswerAffectsOnlyItsField();
  void portFailureReadsNothing();

 private:
  // Selects a printer of `type` on the listener's port.
  void Select(const QString &type, const LoopbackListener &printer);

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

void PrinterInformationTest::Select(const QString &type, const LoopbackListener &printer) {
  const std::vector<mdlGlobal::PrinterListEntry> rows = {
      {type, "NET", QString::fromStdString(printer.PortString())}};
  QCOMPARE(mdlGlobal::SelectPrinterEntry(rows, 0).createResult, 0);
}

void PrinterInformationTest::showsTheThreeFacts_data() {
  QTest::addColumn<QString>("type");
  QTest::addColumn<QString>("serial");
  QTest::addColumn<QDate>("date");
  QTest::addColumn<QString>("version");
  // VANTA-58 is a dealer type (model TQX58, three version bytes); TQM
  // answers four version bytes.
  QTest::newRow("dealer serial") << "VANTA-58"
                                 << "6548000123" << QDate(2025, 2, 17) << "V 1.2.7";
  QTest::newRow("four-byte version") << "TQM"
                                     << "6548000123" << QDate() << "V 1.2.7.Beta3";
}

void PrinterInformationTest::showsTheThreeFacts() {
  QFETCH(QString, type);
  QFETCH(QString, serial);
  QFETCH(QDate, date);
  QFETCH(QString, version);
  LoopbackListener printer(Answers({{"ZZZGETSN", SerialAnswer(serial.toStdString())},
                                    {"ZZZGETJOURNEY", kJourney12345},
                                    {"ZZZGETVERSION", kVersionBeta3}}));
  Select(type, printer);
  T_frmPrinterInformation form;
  form.show();
  QVERIFY(boxes_->shown.empty());
  if (date.isValid())
    QCOMPARE(form.lblProduceDateV->text(), QLocale::system().toString(date, QLocale::ShortFormat));
  QCOMPARE(form.lblPrintLengthV->text(), QStringLiteral("37.035 (m)"));
  QCOMPARE(form.lblFirmwareVerV->text(), version);
  QCOMPARE(printer.connections(), 1);
}

void PrinterInformationTest::missingAnswerAffectsOnlyItsField() {
  LoopbackListener printer(Answers({{"ZZZGETVERSION", kVersionBeta3}}));
  Select("TQM", printer);
  T_frmPrinterInformation form;
  form.show();
  QCOMPARE(form.lblProduceDateV->text(), QStringLiteral("Cannot read data"));
  QCOMPARE(form.lblPrintLengthV->text(), QStringLiteral("Cannot read data"));
  QCOMPARE(form.lblFirmwareVerV->text(), QStringLiteral("V 1.2.7.Beta3"));
  // The session ended with the port closed: a second showing connects anew.
  form.hide();
  form.show();
  QVERIFY(ravo::testing::WaitUntil([&] { return printer.connections() == 2; }));
  QVERIFY(boxes_->shown.empty());
}

void PrinterInformationTest::portFailureReadsNothing() {
  auto printer = std::make_unique<LoopbackListener>();
  Select("TQM", *printer);
  printer.reset();
  T_frmPrinterInformation form;
  form.show();
  QCOMPARE(boxes_->shown.size(), size_t{1});
  QCOMPARE(ravo::testing::Describe(boxes_->shown[0]), ErrorBox("Cannot open the port:-352"));
  for (QLabel *value : {form.lblProduceDateV, form.lblPrintLengthV, form.lblFirmwareVerV})
    QCOMPARE(value->text(), QString());
}

QTEST_MAIN(PrinterInformationTest)
#include "printer_information_test.moc"
