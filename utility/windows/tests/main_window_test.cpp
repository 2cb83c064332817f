// The main window over the real port library, against the virtual printer.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <optional>

#include "form_firmware_update.h"
#include "form_main_label.h"
#include "form_printer_manage_label.h"
#include "mdl_global_catalogue.h"
#include "sim_process.h"
#include "startup.h"
#include "window_launchers.h"
#include "window_test_support.h"

using namespace ravo::utility;
using ravo::sim::SimProcess;
using ravo::testing::ErrorBox;
using ravo::testing::FilesDir;
using ravo::testing::Hex;
using ravo::testing::InformationBox;
using ravo::testing::WhenModal;

namespace {

// Everything the printer received in its first `sessions` connections,
// once they are closed.
QByteArray Received(const SimProcess &printer, size_t sessions = 1) {
  ravo::testing::SettlePrinterWork();
  if (!printer.WaitForClosedSessions(sessions)) return "<sessions not closed>";
  QByteArray all;
  for (const auto &session : printer.Sessions())
    all.append(reinterpret_cast<const char *>(session.bytes.data()),
               static_cast<qsizetype>(session.bytes.size()));
  return all;
}

QByteArray NetRow(const QByteArray &type, const SimProcess &printer) {
  return type + "|NET|" + QByteArray::fromStdString(printer.PortString()) + "\r\n";
}

QString FirstLine(const QString &text) {
  return text.section(QLatin1Char('\n'), 0, 0);
}

// A directory on PATH instead of the real one: with a dfu-util that prints
// what the real one prints while it writes, notes its arguments and ends
// with exitCode, or without one.
class FakeDfuUtil {
 public:
  explicit FakeDfuUtil(std::optional<int> exitCode) : path_(qgetenv("PATH")) {
    if (exitCode) {
      QFile script(Program());
      script.open(QIODevice::WriteOnly);
      script.write(
          "#!/bin/sh\n"
          "printf '%s\\n' \"$@\" > \"$0.args\"\n"
          "printf 'Opening DFU capable USB device...\\n'\n"
          "printf 'Download\\t[=====          ]  33%%        1024 bytes\\r'\n"
          "sleep 0.1\n"
          "printf 'Download\\t[===============] 100%%        3072 bytes\\n'\n"
          "printf 'Download done.\\n'\n"
          "exit " +
          QByteArray::number(*exitCode) + "\n");
      script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    qputenv("PATH", dir_.path().toLocal8Bit());
  }
  ~FakeDfuUtil() { qputenv("PATH", path_); }
  QString Program() const { return dir_.filePath("dfu-util"); }
  QString Arguments() const {
    QFile file(Program() + ".args");
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
  }
  QString Firmware() const {
    QFile file(dir_.filePath("printer.bin"));
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(3072, '\x5A'));
    return file.fileName();
  }

 private:
  QByteArray path_;
  QTemporaryDir dir_;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startupWithoutEntriesCreatesTheDefaultRow_data();
  void startupWithoutEntriesCreatesTheDefaultRow();
  void selectionFollowsTheCatalogue();
  void addAppendsAndSelectsTheNewRow();
  void modifyRewritesOneLineAndReselectsIt();
  void deleteRewritesTheListAndMovesTheSelection_data();
  void deleteRewritesTheListAndMovesTheSelection();
  void deleteCancelledChangesNothing();
  void connectionTestReportsSuccessAndFailure();
  void deviceCommandsSendTheirBytes_data();
  void deviceCommandsSendTheirBytes();
  void factoryResetCancelledWritesNothing();
  void parameterSettingOpensThePortFirst();
  void printTextFollowsTheCommandMode();
  void missingWindowsAreReported();
  void firmwareUpdateWithoutDfuUtilSaysHowToInstallIt();
  void firmwareUpdateRunsDfuUtilAfterSwitching_data();
  void firmwareUpdateRunsDfuUtilAfterSwitching();
  void clickOnTheSelectedRowRunsTheSelectionAgain();
  void qtTextsFollowTheLanguage_data();
  void qtTextsFollowTheLanguage();
  void startupWithoutLanguageFileSaysWhichAndStops_data();
  void startupWithoutLanguageFileSaysWhichAndStops();
  void startupReportsAListProblemOnceAndKeepsTheFile_data();
  void startupReportsAListProblemOnceAndKeepsTheFile();

 private:
  // A main window over the given list file; the dialog is attached.
  T_frmMain_Label &Open(const QByteArray &list, bool dealer = false);
  QStringList Boxes() const;
  int SelectedRow() const;

  std::unique_ptr<FilesDir> files_;
  std::unique_ptr<ScopedRecordingMessageBoxes> boxes_;
  std::unique_ptr<T_frmMain_Label> window_;
  std::unique_ptr<T_frmPrinterManage_Label> dialog_;
};

void MainWindowTest::init() {
  files_ = std::make_unique<FilesDir>();
  boxes_ = std::make_unique<ScopedRecordingMessageBoxes>();
  Launchers() = WindowLaunchers{};
}

void MainWindowTest::cleanup() {
  dialog_.reset();  // a child of the window
  window_.reset();
  boxes_.reset();
  files_.reset();
  Launchers() = WindowLaunchers{};
}

T_frmMain_Label &MainWindowTest::Open(const QByteArray &list, bool dealer) {
  if (!list.isNull()) files_->WritePrinterList(list);
  if (dealer)
    window_ = std::make_unique<T_frmMain_Label_Dealer>(files_->Options());
  else
    window_ = std::make_unique<T_frmMain_Label>(files_->Options());
  dialog_ = std::make_unique<T_frmPrinterManage_Label>(window_.get());
  window_->SetPrinterDialog(dialog_.get());
  return *window_;
}

QStringList MainWindowTest::Boxes() const {
  ravo::testing::SettlePrinterWork();
  QStringList out;
  for (const MessageRecord &record : boxes_->shown) out << ravo::testing::Describe(record);
  return out;
}

int MainWindowTest::SelectedRow() const {
  const auto selected = window_->lvPrinterList->selectedItems();
  return selected.isEmpty() ? -1 : window_->lvPrinterList->indexOfTopLevelItem(selected.first());
}

void MainWindowTest::startupWithoutEntriesCreatesTheDefaultRow_data() {
  QTest::addColumn<QByteArray>("list");
  QTest::newRow("missing file") << QByteArray();
  QTest::newRow("empty file") << QByteArray("");
  QTest::newRow("blank lines only") << QByteArray("\r\n  \r\n\t\r\n");
}

void MainWindowTest::startupWithoutEntriesCreatesTheDefaultRow() {
  QFETCH(QByteArray, list);
  T_frmMain_Label &w = Open(list);
  QCOMPARE(files_->ReadPrinterList(), QByteArray("TQX58|USB|USB\r\n"));
  QCOMPARE(w.lvPrinterList->topLevelItemCount(), 1);
  QCOMPARE(SelectedRow(), 0);
  QCOMPARE(mdlGlobal::SelectedPrinterType, QStringLiteral("TQX58"));
  QCOMPARE(mdlGlobal::SelectedPort, QStringLiteral("USB"));
  QCOMPARE(mdlGlobal::CommandModeFlag, 1);
  QVERIFY2(Boxes().isEmpty(), qPrintable(Boxes().join('\n')));
  QCOMPARE(w.windowTitle(), QStringLiteral("Ravo Label Printer Utility  V1.0.3"));
}

void MainWindowTest::selectionFollowsTheCatalogue() {
  // LB58 is in NIsbtnStartLearn; NOSUCH has no map entry.
  T_frmMain_Label &w = Open("LB58|USB|USB\r\nNOSUCH|NET|NET,10.1.2.3\r\nTQX80|LPT|LPT1\r\n");
  QCOMPARE(mdlGlobal::SelectedModel, QStringLiteral("LB58"));
  QVERIFY(!w.btnStartLearn->isEnabled());

  w.SelectRow(1);
  QCOMPARE(mdlGlobal::SelectedModel, QStringLiteral("KP330"));
  QCOMPARE(mdlGlobal::SelectedPort, QStringLiteral("NET,10.1.2.3"));
  QCOMPARE(mdlGlobal::SelectedRowIndex, 1);
  QVERIFY(!w.btnStartLearn->isEnabled());  // KP330 is in the list too

  w.SelectRow(2);
  QCOMPARE(mdlGlobal::SelectedModel, QStringLiteral("TQX80"));
  QVERIFY(w.btnStartLearn->isEnabled());
  QVERIFY(w.btnParameterSetting->isEnabled());
  QVERIFY(Boxes().isEmpty());
}

void MainWindowTest::addAppendsAndSelectsTheNewRow() {
  T_frmMain_Label &w = Open("TQM|USB|USB\r\nQ73|LPT|LPT1\r\n");
  WhenModal([](QWidget *dialog) {
    auto *manage = static_cast<T_frmPrinterManage_Label *>(dialog);
    manage->cmbPrinterName->setCurrentText(QStringLiteral("HMZ"));
    manage->cmbPortType->setCurrentText(QStringLiteral("NET"));
    manage->txtIPAddress->setText(QStringLiteral("10.0.0.9"));
    manage->btnOK->click();
  });
  w.btnAddPrinter->click();
  QCOMPARE(files_->ReadPrinterList(),
           QByteArray("TQM|USB|USB\r\nQ73|LPT|LPT1\r\nHMZ|NET|NET,10.0.0.9\r\n"));
  QCOMPARE(w.lvPrinterList->topLevelItemCount(), 3);
  QCOMPARE(SelectedRow(), 2);
  QCOMPARE(mdlGlobal::SelectedPort, QStringLiteral("NET,10.0.0.9"));
  QCOMPARE(mdlGlobal::SelectedModel, QStringLiteral("HMZ"));
}

void MainWindowTest::modifyRewritesOneLineAndReselectsIt() {
  T_frmMain_Label &w =
      Open("A1|USB|USB\r\nA2|USB|USB\r\n\r\nA3|USB|USB\r\nA4|USB|USB\r\nA5|USB|USB\r\n");
  w.SelectRow(2);
  WhenModal([](QWidget *dialog) {
    auto *manage = static_cast<T_frmPrinterManage_Label *>(dialog);
    QCOMPARE(manage->CurrentMode(), T_frmPrinterManage_Label::Mode::Modify);
    manage->cmbPortType->setCurrentText(QStringLiteral("NET"));
    manage->txtIPAddress->setText(QStringLiteral("192.0.2.7"));
    manage->btnOK->click();
  });
  w.btnModifyPrinter->click();
  // A3 is not a company type, so the dialog offers the first one.
  QCOMPARE(files_->ReadPrinterList(), QByteArray("A1|USB|USB\r\nA2|USB|USB\r\nTQX58|NET|NET,"
                                                 "192.0.2.7\r\nA4|USB|USB\r\nA5|USB|USB\r\n"));
  QCOMPARE(SelectedRow(), 2);
  QCOMPARE(mdlGlobal::SelectedPort, QStringLiteral("NET,192.0.2.7"));
}

void MainWindowTest::deleteRewritesTheListAndMovesTheSelection_data() {
  QTest::addColumn<QByteArray>("list");
  QTest::addColumn<int>("row");
  QTest::addColumn<QByteArray>("after");
  QTest::addColumn<int>("selected");
  QTest::addColumn<QString>("port");
  const QByteArray three = "T1|USB|USB\r\n\r\nT2|LPT|LPT2\r\nT3|NET|NET,1.2.3.4\r\n";
  QTest::newRow("middle") << three << 1 << QByteArray("\r\nT1|USB|USB\r\nT3|NET|NET,1.2.3.4\r\n")
                          << 1 << "NET,1.2.3.4";
  QTest::newRow("last") << three << 2 << QByteArray("\r\nT1|USB|USB\r\nT2|LPT|LPT2\r\n") << 1
                        << "LPT2";
  QTest::newRow("first") << three << 0 << QByteArray("\r\nT2|LPT|LPT2\r\nT3|NET|NET,1.2.3.4\r\n")
                         << 0 << "LPT2";
  // The selection keeps its last value when no row is left.
  QTest::newRow("only") << QByteArray("T1|COM|COM2,BAUDRATE_9600\r\n") << 0 << QByteArray("\r\n")
                        << -1 << "COM2,BAUDRATE_9600";
}

void MainWindowTest::deleteRewritesTheListAndMovesTheSelection() {
  QFETCH(QByteArray, list);
  QFETCH(int, row);
  QFETCH(QByteArray, after);
  QFETCH(int, selected);
  QFETCH(QString, port);
  T_frmMain_Label &w = Open(list);
  w.SelectRow(row);
  boxes_->answers = {MessageAnswer::Ok};
  w.btnDeletePrinter->click();
  QCOMPARE(Boxes(), QStringList{"Warning|question|Delete the selected printer?"});
  QCOMPARE(boxes_->shown[0].buttons, MessageButtons::OkCancel);
  QCOMPARE(files_->ReadPrinterList(), after);
  QCOMPARE(SelectedRow(), selected);
  QCOMPARE(mdlGlobal::SelectedPort, port);

  // The rewritten file loads the same rows (an emptied one gets the
  // default entry back, as at a first start).
  if (selected >= 0) {
    T_frmMain_Label again(files_->Options());
    QCOMPARE(again.Rows(), w.Rows());
  }
}

void MainWindowTest::deleteCancelledChangesNothing() {
  const QByteArray list = "T1|USB|USB\r\nT2|LPT|LPT2\r\n";
  T_frmMain_Label &w = Open(list);
  boxes_->answers = {MessageAnswer::Cancel};
  w.btnDeletePrinter->click();
  QCOMPARE(files_->ReadPrinterList(), list);
  QCOMPARE(w.lvPrinterList->topLevelItemCount(), 2);
}

void MainWindowTest::connectionTestReportsSuccessAndFailure() {
  SimProcess printer;
  QVERIFY2(printer.Running(), printer.Error().c_str());
  T_frmMain_Label &w = Open(NetRow("TQX58", printer));
  w.btnConnectTest->click();
  QCOMPARE(Boxes(), QStringList{InformationBox("Connection OK.")});
  QCOMPARE(Received(printer), QByteArray("\x1B\x1B\x08", 3));  // the probe, nothing else

  // Connected, but the printer keeps silent: that is no "Connection OK."
  QVERIFY(printer.RestartOnSamePort({"--no-answer"}));
  boxes_->shown.clear();
  w.btnConnectTest->click();
  QCOMPARE(Boxes(), QStringList{"Warning|warning|Connected, but the printer does not answer."});

  QVERIFY(printer.Stop());  // nobody listens on the port any more
  boxes_->shown.clear();
  w.btnConnectTest->click();
  QCOMPARE(Boxes(),
           QStringList{ErrorBox("Cannot open the port:-352\nCannot connect the target network "
                                "printer.\nPlease confirm the network printer is online and in "
                                "the same network.")});
}

void MainWindowTest::deviceCommandsSendTheirBytes_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("commandMode");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("status");
  QTest::newRow("auto-learn") << "btnStartLearn" << 1 << QByteArray("ZZZLEARN\r\n")
                              << "Label auto-learn sent to TQX80 (%1): ZZZLEARN";
  QTest::newRow("factory reset") << "btnFactorySetting" << 1 << QByteArray("\x1B\x21\x52", 3)
                                 << "Factory reset sent to TQX80 (%1): 1B 21 52";
  QTest::newRow("configuration, TSPL") << "btnPrintConfigInfo" << 1 << QByteArray("SELFTEST\r\n")
                                       << "Configuration print sent to TQX80 (%1): SELFTEST";
  QTest::newRow("configuration, ESC")
      << "btnPrintConfigInfo" << 0 << QByteArray("\x1D\x28\x41\x02\x00\x00\x02", 7)
      << "Configuration print sent to TQX80 (%1): 1D 28 41 02 00 00 02";
}

void MainWindowTest::deviceCommandsSendTheirBytes() {
  QFETCH(QString, button);
  QFETCH(int, commandMode);
  QFETCH(QByteArray, bytes);
  QFETCH(QString, status);
  SimProcess printer({"--model", "TQX80"});
  QVERIFY2(printer.Running(), printer.Error().c_str());
  T_frmMain_Label &w = Open(NetRow("TQX80", printer));
  mdlGlobal::CommandModeFlag = commandMode;
  boxes_->answers = {MessageAnswer::Ok};
  auto *target = w.findChild<QPushButton *>(button);
  QVERIFY(target != nullptr);
  target->click();
  const QByteArray received = Received(printer);
  QVERIFY2(received == bytes, qPrintable(Hex(received) + " != " + Hex(bytes)));
  QCOMPARE(printer.Sessions().size(), size_t{1});
  QStringList expectedBoxes;
  if (button == "btnFactorySetting")
    expectedBoxes << "Warning|question|Restore the factory settings?";
  QCOMPARE(Boxes(), expectedBoxes);
  // The printer does not answer these; the status line says what went.
  const QString shown = w.lblStatus->text();
  QVERIFY2(shown.endsWith("  " + status.arg(mdlGlobal::SelectedPort)), qPrintable(shown));
}

void MainWindowTest::factoryResetCancelledWritesNothing() {
  SimProcess printer;
  QVERIFY2(printer.Running(), printer.Error().c_str());
  T_frmMain_Label &w = Open(NetRow("TQX80", printer));
  boxes_->answers = {MessageAnswer::Cancel};
  w.btnFactorySetting->click();
  // Asked before the printer is touched: no connection at all.
  QVERIFY(!printer.WaitForClosedSessions(1, std::chrono::milliseconds(300)));
  QVERIFY(printer.Sessions().empty());
  QCOMPARE(Boxes().size(), 1);
}

void MainWindowTest::parameterSettingOpensThePortFirst() {
  std::vector<ravo::utility::param::Family> opened;
  Launchers().parameterSetting = [&](QWidget *, ravo::utility::param::Family which) {
    opened.push_back(which);
  };
  SimProcess printer;
  QVERIFY2(printer.Running(), printer.Error().c_str());
  T_frmMain_Label &w = Open(NetRow("Q73", printer) + NetRow("TQM", printer));
  w.btnParameterSetting->click();
  // No second action while the first one's check runs.
  QVERIFY(!w.btnParameterSetting->isEnabled());
  QVERIFY(ravo::testing::SettlePrinterWork());
  QVERIFY(w.btnParameterSetting->isEnabled());
  w.SelectRow(1);
  w.btnParameterSetting->click();
  QVERIFY(ravo::testing::SettlePrinterWork());
  QCOMPARE(opened,
           (std::vector{ravo::utility::param::Family::Q73, ravo::utility::param::Family::TQM}));
  QVERIFY(Boxes().isEmpty());

  QVERIFY(printer.Stop());
  w.btnParameterSetting->click();
  QCOMPARE(opened.size(), size_t{2});
  QCOMPARE(Boxes().size(), 1);
  QCOMPARE(FirstLine(Boxes()[0]), ErrorBox("Cannot open the port:-352"));
}

void MainWindowTest::printTextFollowsTheCommandMode() {
  QStringList opened;
  Launchers().printTextLabel = [&](QWidget *) { opened << "label " + mdlGlobal::GetPaperWidth(); };
  Launchers().printText = [&](QWidget *) { opened << "text"; };
  T_frmMain_Label &w = Open("TQX80|USB|USB\r\n");
  w.btnPrintText->click();
  mdlGlobal::CommandModeFlag = 0;
  w.btnPrintText->click();
  QCOMPARE(opened, (QStringList{"label 80", "text"}));
}

void MainWindowTest::missingWindowsAreReported() {
  SimProcess printer;
  QVERIFY2(printer.Running(), printer.Error().c_str());
  T_frmMain_Label &w = Open(NetRow("TQX80", printer), true);
  QVERIFY(w.btnCommandTest->isVisibleTo(&w) && w.btnTempletManage->isVisibleTo(&w));
  const QString notAvailable = InformationBox("This function is not available yet.");
  for (QPushButton *button :
       {w.btnPrintText, w.btnParameterSetting, w.btnCommandTest, w.btnTempletManage}) {
    boxes_->shown.clear();
    button->click();
    QCOMPARE(Boxes(), QStringList{notAvailable});
  }
}

// Without dfu-util the printer is not switched: it would stay in firmware
// mode with nothing to feed it.
void MainWindowTest::firmwareUpdateWithoutDfuUtilSaysHowToInstallIt() {
  SimProcess printer;
  QVERIFY2(printer.Running(), printer.Error().c_str());
  T_frmMain_Label &w = Open(NetRow("TQX80", printer), true);
  FakeDfuUtil none(std::nullopt);
  w.btnDFU->click();
  QCOMPARE(Boxes().size(), 1);
  QVERIFY2(Boxes()[0].startsWith(ErrorBox("dfu-util is not installed")), qPrintable(Boxes()[0]));
  QVERIFY(Boxes()[0].contains("sudo apt install dfu-util"));
  QVERIFY(!printer.WaitForClosedSessions(1, std::chrono::milliseconds(200)));
}

void MainWindowTest::firmwareUpdateRunsDfuUtilAfterSwitching_data() {
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("result");
  QTest::newRow("written") << 0 << InformationBox("The firmware was written.");
  QTest::newRow("failed") << 74
                          << ErrorBox(
                                 "dfu-util failed (exit code 74); its output is in the window.");
}

void MainWindowTest::firmwareUpdateRunsDfuUtilAfterSwitching() {
  QFETCH(int, exitCode);
  QFETCH(QString, result);
  SimProcess printer;
  QVERIFY2(printer.Running(), printer.Error().c_str());
  T_frmMain_Label &w = Open(NetRow("TQX80", printer), true);
  FakeDfuUtil dfu(exitCode);
  const QString firmware = dfu.Firmware();
  QString output;
  int progress = -1;
  WhenModal([&](QWidget *dialog) {
    auto *form = static_cast<T_frmFirmwareUpdate *>(dialog);
    form->txtFile->setText(firmware);
    form->btnStart->click();
    QVERIFY(ravo::testing::WaitUntil([&] { return form->btnStart->isEnabled(); }, 10000));
    QVERIFY(!form->Writing());
    output = form->txtOutput->toPlainText();
    progress = form->prgProgress->value();
    form->btnClose->click();
  });
  w.btnDFU->click();
  QCOMPARE(Received(printer), QByteArray("ZZZDFUMODE\r\n"));
  QCOMPARE(dfu.Arguments(), "--wait\n--download\n" + firmware + "\n");
  QVERIFY2(output.endsWith("Download\t[===============] 100%        3072 bytes\nDownload done.\n"),
           qPrintable(output));
  QCOMPARE(progress, 100);
  const QStringList boxes = Boxes();
  QCOMPARE(boxes.size(), 2);
  QVERIFY2(boxes[0].startsWith("Warning|warning|The printer is switched to firmware-download mode"),
           qPrintable(boxes[0]));
  QVERIFY(boxes[0].contains(firmware));
  QCOMPARE(boxes[1], result);
}

// A click on the row that is selected already runs the selection step
// again; a click that changes the selection runs it once.
void MainWindowTest::clickOnTheSelectedRowRunsTheSelectionAgain() {
  QFile map(QDir(files_->Path()).filePath("PrinterMap.ini"));
  QVERIFY(map.open(QIODevice::Append));
  map.write("\r\nODD=NOSUCHMODEL\r\n");
  map.close();
  T_frmMain_Label &w = Open("TQX80|NET|NET,10.0.0.1\r\nODD|USB|USB\r\n");
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  const auto click = [&](int row) {
    QTreeWidgetItem *item = w.lvPrinterList->topLevelItem(row);
    QTest::mouseClick(w.lvPrinterList->viewport(), Qt::LeftButton, {},
                      w.lvPrinterList->visualItemRect(item).center());
  };
  click(1);
  QCOMPARE(Boxes().size(), 1);  // the unknown model, once
  QCOMPARE(FirstLine(Boxes()[0]), ErrorBox("Cannot create the printer:-8"));
  click(1);
  QCOMPARE(Boxes().size(), 2);
  click(0);
  QCOMPARE(Boxes().size(), 2);
  // Another window changed the selection state; a click puts it back.
  mdlGlobal::SelectedPort = "NET,192.0.2.99";
  mdlGlobal::SelectedModel = "TQM";
  click(0);
  QCOMPARE(mdlGlobal::SelectedPort, QStringLiteral("NET,10.0.0.1"));
  QCOMPARE(mdlGlobal::SelectedModel, QStringLiteral("TQX80"));
  QCOMPARE(Boxes().size(), 2);
}

void MainWindowTest::qtTextsFollowTheLanguage_data() {
  QTest::addColumn<QString>("language");
  QTest::addColumn<QString>("cancel");
  QTest::addColumn<QLocale::Territory>("territory");
  QTest::newRow("Simplified Chinese") << "2052" << QStringLiteral("取消") << QLocale::China;
  QTest::newRow("Traditional Chinese") << "1028" << QStringLiteral("取消") << QLocale::Taiwan;
  QTest::newRow("English") << "1033"
                           << "Cancel" << QLocale::UnitedStates;
}

// Qt's own texts (standard buttons, file dialogs) and its locale follow the
// language the utility shows, also when it changes between two starts.
void MainWindowTest::qtTextsFollowTheLanguage() {
  QFETCH(QString, language);
  QFETCH(QString, cancel);
  QFETCH(QLocale::Territory, territory);
  UtilityWindows windows;
  QVERIFY(StartUtility({"RavoUtilityLabel", "--files", files_->Path(), "--language", language},
                       windows));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
  QCOMPARE(QLocale().territory(), territory);
}

void MainWindowTest::startupWithoutLanguageFileSaysWhichAndStops_data() {
  QTest::addColumn<QString>("damage");
  QTest::addColumn<QString>("says");
  QTest::newRow("missing") << "remove"
                           << "is missing: it was looked for in";
  QTest::newRow("a folder") << "folder"
                            << "cannot be read (it is a folder)";
  QTest::newRow("no language") << "empty"
                               << "holds no texts for language";
}

// Without its texts the program would show blank windows: it says in
// plain English which file is wrong and where it looked, and stops.
void MainWindowTest::startupWithoutLanguageFileSaysWhichAndStops() {
  QFETCH(QString, damage);
  QFETCH(QString, says);
  const QString language = QDir(files_->Path()).filePath("UtilityForLabelLanguage.ini");
  QVERIFY(QFile::remove(language));
  if (damage == "folder") QVERIFY(QDir().mkdir(language));
  if (damage == "empty") {
    QFile empty(language);
    QVERIFY(empty.open(QIODevice::WriteOnly));
  }
  UtilityWindows windows;
  QVERIFY(!StartUtility({"RavoUtilityLabel", "--files", files_->Path()}, windows));
  QVERIFY(windows.main == nullptr);
  QCOMPARE(boxes_->shown.size(), size_t{1});
  const MessageRecord &box = boxes_->shown.front();
  QCOMPARE(box.icon, MessageIcon::Error);
  QCOMPARE(box.title, QStringLiteral("RavoUtilityLabel"));
  QVERIFY2(box.text.contains("UtilityForLabelLanguage.ini"), qPrintable(box.text));
  QVERIFY2(box.text.contains(says), qPrintable(box.text));
  QVERIFY2(box.text.contains(files_->Path()), qPrintable(box.text));
}

void MainWindowTest::startupReportsAListProblemOnceAndKeepsTheFile_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::newRow("standard") << QStringList{};
  QTest::newRow("dealer") << QStringList{"--dealer"};
}

// A list that is not text is reported once, with the file's name, and is
// not replaced by the default row.
void MainWindowTest::startupReportsAListProblemOnceAndKeepsTheFile() {
  QFETCH(QStringList, arguments);
  const QByteArray zeros(32, '\0');
  files_->WritePrinterList(zeros);
  UtilityWindows windows;
  QVERIFY(StartUtility(
      QStringList{"RavoUtilityLabel", "--files", files_->Path(), "--language", "1033"} + arguments,
      windows));
  QCOMPARE(windows.main->WindowVariant(), arguments.isEmpty() ? T_frmMain_Label::Variant::Standard
                                                              : T_frmMain_Label::Variant::Dealer);
  QCOMPARE(windows.main->lvPrinterList->topLevelItemCount(), 0);
  QCOMPARE(Boxes().size(), 1);
  QVERIFY2(Boxes()[0].startsWith(ErrorBox("Cannot read the printer list")), qPrintable(Boxes()[0]));
  QVERIFY2(Boxes()[0].contains("PrinterList.txt"), qPrintable(Boxes()[0]));
  QCOMPARE(files_->ReadPrinterList(), zeros);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
