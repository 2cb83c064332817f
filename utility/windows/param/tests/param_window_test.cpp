#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <random>

#include "file_dialogs.h"
#include "mdl_global.h"
#include "param_values.h"
#include "parameter_windows.h"
#include "printer_activity.h"
#include "printer_task_runner.h"
#include "recording_message_boxes.h"
#include "sim_printer.h"
#include "window_launchers.h"

using namespace ravo::utility::param;
using namespace ravo::utility;
using ravo::testing::SimPrinter;

// Readable failure output for request lists.
void PrintTo(const QStringList &list, std::ostream *out) {
  *out << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace {

// Processes window events until every printer conversation has handed its
// result back.
void Settle() {
  QElapsedTimer clock;
  clock.start();
  while (PrinterTaskRunner::Unsettled() > 0 && clock.elapsed() < 15000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  ASSERT_EQ(PrinterTaskRunner::Unsettled(), 0);
}

struct Printer {
  Family family;
  const char *entry;  // printer type in the printer list
  const char *model;
};

const Printer kPrinters[] = {
    {Family::TQX, "TQX58", "TQX58"}, {Family::TQM, "TQM", "TQM"},   {Family::TGV, "TGV", "TGV"},
    {Family::HMZ, "HMZ", "HMZ"},     {Family::Q73, "Q73-E", "Q73"},
};

std::string NameOf(Family family) {
  return FamilyName(family).toStdString();
}

MapContext ContextOf(const Printer &printer) {
  return ContextFor(printer.family == Family::Q73 ? printer.model : printer.entry);
}

// Random bytes everywhere, every field holding a valid value other than its
// first entry or zero, and a good checksum.
ParameterBlock FilledBlock(const Printer &printer, unsigned seed) {
  std::mt19937 random(seed);
  ParameterBlock block;
  for (uint8_t &b : block) b = static_cast<uint8_t>(random());
  block[0] = 0x78;
  const MapContext context = ContextOf(printer);
  for (const FieldSpec &f : FieldTable(printer.family)) {
    if (*f.name == '\0') continue;
    QStringList entries = ListEntries(f, context);
    entries.removeAll(QString());
    QString value = entries.isEmpty() ? QString() : entries.last();
    if (f.encoding == Encoding::Address) value = QStringLiteral("10.20.30.40");
    if (f.encoding == Encoding::GapVoltage) value = QStringLiteral("2.5");
    if (f.encoding == Encoding::Length) value = QStringLiteral("321");
    if (f.encoding == Encoding::Number)
      value = QString::number(f.clampTop > 0 ? f.clampTop / 2 : 66);
    const ApplyResult result = ApplyValues(printer.family, block, {{f.name, value}}, context);
    EXPECT_TRUE(result.ok()) << result.Describe().toStdString();
  }
  SealParameterBlock(block);
  return block;
}

QStringList Sorted(QStringList list) {
  list.sort();
  return list;
}

QSet<int> MappedBytes(Family family) {
  QSet<int> bytes;
  for (const FieldSpec &f : FieldTable(family)) {
    for (int i = 0; i < WidthOf(f.encoding); ++i) bytes.insert(f.offset + i);
  }
  return bytes;
}

// The plain name of the field a control shows.
QString FieldNamed(Family family, const char *control) {
  for (const FieldSpec &f : FieldTable(family)) {
    if (*f.name != '\0' && qstrcmp(f.control, control) == 0) return QLatin1String(f.name);
  }
  ADD_FAILURE() << control;
  return {};
}

QByteArray Bytes(const ParameterBlock &block) {
  return QByteArray(reinterpret_cast<const char *>(block.data()), qsizetype(block.size()));
}

class ParamWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    mdlGlobal::FilesPath = QStringLiteral(RAVO_SHIPPED_FILES_DIR "/");
    mdlGlobal::SetDefaultFileNames();
    mdlGlobal::SelectLanguage(QStringLiteral("1033"));
    mdlGlobal::LoadMessageStrings();
    mdlGlobal::CommandModeFlag = 1;
    savedOpen_ = CurrentFileChooser();
    savedSave_ = CurrentSaveFileChooser();
    CurrentFileChooser() = [this](QWidget *, const QString &) { return chosen_; };
    CurrentSaveFileChooser() = [this](QWidget *, const QString &, const QString &) {
      return chosen_;
    };
  }

  void TearDown() override {
    CurrentFileChooser() = savedOpen_;
    CurrentSaveFileChooser() = savedSave_;
  }

  // What the main window does before it opens a parameter window: select
  // the printer.
  void Select(const Printer &printer, const SimPrinter &device, const QString &extra = {}) {
    ASSERT_TRUE(device.Running());
    mdlGlobal::SelectedPrinterType = QLatin1String(printer.entry);
    mdlGlobal::SelectedModel = QLatin1String(printer.model);
    mdlGlobal::SelectedPort = device.PortString() + extra;
  }

  std::unique_ptr<ParamForm> Open(Family family) {
    auto window = CreateParameterWindow(family, nullptr);
    window->show();
    Settle();  // the block has been read
    return window;
  }

  static void ClickSet(ParamForm &window) {
    window.findChild<QPushButton *>(QStringLiteral("btnSet"))->click();
    Settle();
  }

  template <typename T>
  static T *Child(ParamForm &window, const QString &name) {
    T *child = window.findChild<T *>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
  }

  // Changes every field of the window once.
  static void EditEveryField(ParamForm &window, Family family) {
    for (const FieldSpec &f : FieldTable(family)) {
      if (*f.name == '\0') continue;
      const QString control = QLatin1String(f.control);
      if (f.encoding == Encoding::OnOff) {
        auto *group = Child<QGroupBox>(window, control);
        const bool second = group->findChild<QRadioButton *>(control + "_1")->isChecked();
        group->findChild<QRadioButton *>(control + (second ? "_0" : "_1"))->setChecked(true);
      } else if (IsChoice(f.encoding)) {
        auto *combo = Child<QComboBox>(window, control);
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
      } else if (f.encoding == Encoding::Address) {
        for (int part = 1; part <= 4; ++part) {
          Child<QLineEdit>(window, control + QString::number(part))->setText(QString::number(part));
        }
      } else {
        auto *edit = Child<QLineEdit>(window, control);
        const char *next = f.encoding == Encoding::GapVoltage ? "1.2" : "7";
        edit->setText(QLatin1String(next));
      }
    }
  }

  ScopedRecordingMessageBoxes boxes_;
  // What the file dialogs answer; empty: the user cancels.
  QString chosen_;
  FileChooser savedOpen_;
  SaveFileChooser savedSave_;
};

TEST_F(ParamWindow, SetWithoutEditingWritesTheBlockBackUnchanged) {
  for (const Printer &printer : kPrinters) {
    const ParameterBlock stored = FilledBlock(printer, 11);
    SimPrinter device(stored);
    Select(printer, device);
    auto window = Open(printer.family);
    ASSERT_TRUE(window->ReadSucceeded()) << NameOf(printer.family);
    ClickSet(*window);
    ASSERT_TRUE(device.WaitForStoredBlock()) << NameOf(printer.family);
    EXPECT_EQ(device.Block(), stored) << NameOf(printer.family);
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(boxes_.shown.size(), 1u) << NameOf(printer.family);
    EXPECT_EQ(boxes_.shown[0].text, mdlGlobal::Msg.ParaSet_OK);
    EXPECT_EQ(boxes_.shown[0].icon, MessageIcon::Information);
    boxes_.shown.clear();
  }
}

TEST_F(ParamWindow, EditingEveryFieldChangesOnlyTheMappedBytes) {
  for (const Printer &printer : kPrinters) {
    const ParameterBlock stored = FilledBlock(printer, 23);
    SimPrinter device(stored);
    Select(printer, device);
    auto window = Open(printer.family);
    ASSERT_TRUE(window->ReadSucceeded()) << NameOf(printer.family);
    EditEveryField(*window, printer.family);
    ClickSet(*window);
    ASSERT_TRUE(device.WaitForStoredBlock()) << NameOf(printer.family);
    const ParameterBlock written = device.Block();
    QSet<int> changed;
    for (int i = 0; i < 254; ++i) {
      if (written[i] != stored[i]) changed.insert(i);
    }
    const QSet<int> mapped = MappedBytes(printer.family);
    EXPECT_TRUE(mapped.contains(changed)) << NameOf(printer.family);
    for (const FieldSpec &f : FieldTable(printer.family)) {
      if (*f.name == '\0') continue;
      bool fieldChanged = false;
      for (int i = 0; i < WidthOf(f.encoding); ++i) fieldChanged |= changed.contains(f.offset + i);
      EXPECT_TRUE(fieldChanged) << NameOf(printer.family) << " " << f.name;
    }
  }
}

TEST_F(ParamWindow, UntouchedRoundedFieldsKeepWhatThePrinterHolds) {
  ParameterBlock stored = FilledBlock(kPrinters[0], 12);
  WriteU16(stored, 70, 4007);  // 500 mm and 7 dots
  WriteU16(stored, 64, 1000);  // 125 mm
  WriteU16(stored, 62, 1000);  // 0.806 V
  SealParameterBlock(stored);
  SimPrinter device(stored);
  Select(kPrinters[0], device);
  auto window = Open(Family::TQX);
  EXPECT_EQ(Child<QLineEdit>(*window, "txtLabelMaxLength")->text(), "500");
  auto *gap = Child<QLineEdit>(*window, "txtVoltageBetweenLabelGap");
  EXPECT_EQ(gap->text(), "0.8");
  gap->setText("0.9");
  ClickSet(*window);
  ASSERT_TRUE(device.WaitForStoredBlock());
  const ParameterBlock written = device.Block();
  EXPECT_EQ(ReadU16(written, 70), 4007);
  EXPECT_EQ(ReadU16(written, 64), 1000);
  EXPECT_EQ(ReadU16(written, 62), VoltsToRaw(0.9));  // edited, so encoded anew
}

TEST_F(ParamWindow, FailedReadShowsTheZeroBlockAndOffersNoSet) {
  struct Case {
    const char *name;
    ParameterBlock answer;
    const char *messageKey;
  };
  ParameterBlock badSum = FilledBlock(kPrinters[0], 5);
  badSum[200] ^= 0x40;
  const Case cases[] = {{"bad checksum", badSum, "_Err_CheckSum"},
                        {"no marker", ParameterBlock{}, "_Err_ReadData"}};
  for (const Case &c : cases) {
    SimPrinter device(c.answer);
    Select(kPrinters[0], device);
    auto window = Open(Family::TQX);
    EXPECT_FALSE(window->ReadSucceeded()) << c.name;
    ASSERT_EQ(boxes_.shown.size(), 1u) << c.name;
    EXPECT_EQ(boxes_.shown[0].text, mdlGlobal::GetLangString(c.messageKey)) << c.name;
    EXPECT_EQ(boxes_.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(Child<QComboBox>(*window, "cmbBaudRate")->currentIndex(), 0);
    EXPECT_EQ(Child<QComboBox>(*window, "cmbHeatAdj")->currentText(), "0");
    EXPECT_EQ(Child<QLineEdit>(*window, "txtLabelMaxLength")->text(), "0");
    EXPECT_EQ(Child<QLineEdit>(*window, "txtVoltageBetweenLabelGap")->text(), "0");
    EXPECT_FALSE(Child<QPushButton>(*window, "btnSet")->isEnabled());
    EXPECT_FALSE(Child<QComboBox>(*window, "cmbBaudRate")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(*window, "btnRetry")->isVisibleTo(window.get()));
    window->btnSetClick();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(device.Requests().contains("ZZZCW")) << c.name;
    boxes_.shown.clear();
  }
}

TEST_F(ParamWindow, SilentProbeSwitchesThisAndLaterWindowsToDc2) {
  const ParameterBlock stored = FilledBlock(kPrinters[0], 3);
  SimPrinter silent(stored, std::nullopt);
  Select(kPrinters[0], silent, QStringLiteral(",TIMEOUT_300"));
  auto tqx = Open(Family::TQX);
  EXPECT_EQ(mdlGlobal::CommandModeFlag, 0);
  ASSERT_TRUE(tqx->ReadSucceeded());
  ClickSet(*tqx);
  ASSERT_TRUE(silent.WaitForStoredBlock());
  EXPECT_EQ(silent.Requests(), QStringList({"probe", "DC2 b", "DC2 c"}));

  const ParameterBlock tqmBlock = FilledBlock(kPrinters[1], 4);
  SimPrinter answering(tqmBlock, 1);
  Select(kPrinters[1], answering);
  auto tqm = Open(Family::TQM);
  ASSERT_TRUE(tqm->ReadSucceeded());
  ClickSet(*tqm);
  ASSERT_TRUE(answering.WaitForStoredBlock());
  EXPECT_EQ(answering.Requests(), QStringList({"DC2 b", "DC2 c"}));  // no probe of its own

  // The next TQX window probes again and goes back to the ZZZ forms.
  SimPrinter again(stored, 1);
  Select(kPrinters[0], again);
  auto next = Open(Family::TQX);
  EXPECT_EQ(mdlGlobal::CommandModeFlag, 1);
  EXPECT_EQ(again.Requests(), QStringList({"probe", "ZZZCR"}));
}

TEST_F(ParamWindow, FieldsThatCannotBeStoredAreRefusedByName) {
  struct Case {
    Family family;
    const char *control;
    const char *text;
    const char *label;
    const char *says;
  };
  const Case cases[] = {
      {Family::TQX, "txtVoltageBetweenLabelGap", "3.4", "lblVoltageBetweenLabelGap",
       "3.4 is outside the range 0 to 3.3"},
      {Family::TQX, "txtVoltageBetweenLabelGap", "-1", "lblVoltageBetweenLabelGap",
       "-1 is outside the range 0 to 3.3"},
      {Family::TQX, "txtVoltageBetweenLabelGap", "", "lblVoltageBetweenLabelGap",
       "'' is not a valid number"},
      {Family::TQX, "txtLabelMaxLength", "", "lblLabelMaxLength", "'' is not a valid whole number"},
      {Family::TQM, "txtIP4", "256", "lblIPAddress", "256 is outside the range 0 to 255"},
      {Family::TGV, "txtSubnet1", "999", "lblSubnet", "999 is outside the range 0 to 255"},
      {Family::HMZ, "txtGateway2", "", "lblDefautGateway", "'' is not a valid whole number"},
      {Family::Q73, "txtHOrigin", "1x", "lblHOrigin", "'1x' is not a valid whole number"},
  };
  for (const Case &c : cases) {
    const Printer &printer = *std::find_if(std::begin(kPrinters), std::end(kPrinters),
                                           [&](const Printer &p) { return p.family == c.family; });
    SimPrinter device(FilledBlock(printer, 9));
    Select(printer, device);
    auto window = Open(c.family);
    ASSERT_TRUE(window->ReadSucceeded());
    Child<QLineEdit>(*window, c.control)->setText(QLatin1String(c.text));
    ClickSet(*window);
    ASSERT_EQ(boxes_.shown.size(), 1u) << c.control;
    const QString caption = Child<QLabel>(*window, c.label)->text().chopped(1);  // no colon
    ASSERT_FALSE(caption.isEmpty()) << c.label;
    EXPECT_TRUE(boxes_.shown[0].text.startsWith(caption)) << boxes_.shown[0].text.toStdString();
    EXPECT_TRUE(boxes_.shown[0].text.contains(QLatin1String(c.says)))
        << boxes_.shown[0].text.toStdString();
    EXPECT_EQ(boxes_.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(window->isVisible()) << c.control;
    const QStringList read =
        c.family == Family::TQX ? QStringList({"probe", "ZZZCR"}) : QStringList({"ZZZCR"});
    EXPECT_EQ(device.Requests(), read) << c.control;  // nothing written
    boxes_.shown.clear();
  }
}

TEST_F(ParamWindow, NumericFieldsTakeDigitsOnlyAndClampWhenLeft) {
  SimPrinter device(FilledBlock(kPrinters[3], 1));
  Select(kPrinters[3], device);
  auto window = Open(Family::HMZ);
  auto *stop = Child<QLineEdit>(*window, "txtStopPrint");
  stop->clear();
  QTest::keyClicks(stop, "1a2-3.");
  EXPECT_EQ(stop->text(), "123");
  QTest::keyClick(stop, Qt::Key_Backspace);
  EXPECT_EQ(stop->text(), "12");
  // The gap voltage's field is not filtered: it takes a decimal point.
  SimPrinter tqxDevice(FilledBlock(kPrinters[0], 1));
  Select(kPrinters[0], tqxDevice);
  auto tqx = Open(Family::TQX);
  auto *gap = Child<QLineEdit>(*tqx, "txtVoltageBetweenLabelGap");
  gap->clear();
  QTest::keyClicks(gap, "1.5");
  EXPECT_EQ(gap->text(), "1.5");

  struct Case {
    ParamForm *window;
    const char *control;
    const char *typed;
    const char *after;
  };
  SimPrinter q73Device(FilledBlock(kPrinters[4], 1));
  Select(kPrinters[4], q73Device);
  auto q73 = Open(Family::Q73);
  const Case cases[] = {
      {tqx.get(), "txtMarkMaxLength", "600", "500"},
      {tqx.get(), "txtValleyThresholdRate", "250", "100"},
      {window.get(), "txtStopPrint", "300", "255"},
      {window.get(), "txtLabelMaxLength", "501", "500"},
      {window.get(), "txtIP1", "300", "300"},  // refused on Set instead
      {q73.get(), "txtHOrigin", "95", "89"},
      {q73.get(), "txtPrintToStop", "89", "89"},
  };
  for (const Case &c : cases) {
    auto *edit = Child<QLineEdit>(*c.window, c.control);
    edit->setText(QLatin1String(c.typed));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &leave);
    EXPECT_EQ(edit->text(), QLatin1String(c.after)) << c.control;
  }
  EXPECT_TRUE(boxes_.shown.empty());
  auto *length = Child<QLineEdit>(*tqx, "txtLabelMinLength");
  length->clear();
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(length, &leave);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_TRUE(boxes_.shown[0].text.contains("is not a valid whole number"));
  EXPECT_TRUE(length->text().isEmpty());
}

TEST_F(ParamWindow, PrintMethodIsLockedOnTheVt640k) {
  struct Case {
    const char *entry;
    uint8_t stored;
    bool changeable;
    uint8_t written;
  };
  const Case cases[] = {{"VT-640K", 1, false, 1}, {"VT-640K", 0, false, 0}, {"TGV", 2, true, 1}};
  for (const Case &c : cases) {
    const Printer printer{Family::TGV, c.entry, "TGV"};
    ParameterBlock stored = FilledBlock(printer, 2);
    stored[76] = c.stored;
    SealParameterBlock(stored);
    SimPrinter device(stored);
    Select(printer, device);
    auto window = Open(Family::TGV);
    auto *group = Child<QGroupBox>(*window, "gpbPrintType");
    EXPECT_EQ(group->isEnabled(), c.changeable) << c.entry;
    EXPECT_EQ(Child<QRadioButton>(*window, "gpbPrintType_1")->isChecked(), c.stored != 0);
    ClickSet(*window);
    ASSERT_TRUE(device.WaitForStoredBlock());
    EXPECT_EQ(device.Block()[76], c.written) << c.entry << " " << int(c.stored);
  }
}

TEST_F(ParamWindow, SpeedListFollowsEntryNameOrModel) {
  struct Case {
    Family family;
    const char *entry;
    const char *model;
    const char *speeds;
  };
  const Case cases[] = {
      {Family::TQX, "TQX58", "TQX58", "2,3,4"},
      {Family::TQX, "Q73", "TQX58", "2,3,4,5,6,7"},  // the entry name decides
      {Family::Q73, "TQX58", "Q73", "2,3,4,5,6,7"},  // the model decides
      {Family::HMZ, "HMZ", "HMZ", "2,3,4,5"},
      {Family::TQM, "Unknown", "TQM", "2,3"},
  };
  for (const Case &c : cases) {
    SimPrinter device(ParameterBlock{});
    Select({c.family, c.entry, c.model}, device);
    auto window = Open(c.family);
    auto *combo = Child<QComboBox>(*window, "cmbPrintSpeed");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    EXPECT_EQ(items.join(','), QLatin1String(c.speeds)) << c.entry;
    boxes_.shown.clear();
  }
}

TEST_F(ParamWindow, CaptionsComeFromTheLanguageFile) {
  struct Case {
    Family family;
    const char *captionKey;
    QStringList paperKeys;
  };
  const Case cases[] = {
      {Family::TQX,
       "_ParaSet",
       {"_PaperType_Auto", "_PaperType_Label", "_PaperType_Receipt", "_PaperType_BlackMark"}},
      {Family::TQM, "_ParaSet", {"_PaperType_Receipt", "_PaperType_Label", "_PaperType_BlackMark"}},
      {Family::TGV, "_ParaSet", {"_PaperType_Receipt", "_PaperType_Label", "_PaperType_BlackMark"}},
      {Family::HMZ, "_ParaSet", {"_PaperType_Label", "_PaperType_Receipt", "_PaperType_BlackMark"}},
      {Family::Q73, "RAVO_ParaSet", {}},
  };
  for (const Case &c : cases) {
    SimPrinter device(ParameterBlock{});
    Select(kPrinters[0], device);
    auto window = Open(c.family);
    EXPECT_EQ(window->windowTitle(), mdlGlobal::GetLangString(c.captionKey));
    EXPECT_FALSE(window->windowTitle().isEmpty());
    EXPECT_EQ(Child<QLabel>(*window, "lblHeatAdj")->text(),
              mdlGlobal::GetLangString("FormParaSet_HMZ_lblHeatAdj"));
    if (!c.paperKeys.isEmpty()) {
      auto *paper = Child<QComboBox>(*window, "cmbJudgePaperMode");
      ASSERT_EQ(paper->count(), c.paperKeys.size()) << NameOf(c.family);
      for (int i = 0; i < paper->count(); ++i) {
        EXPECT_EQ(paper->itemText(i), mdlGlobal::GetLangString(c.paperKeys[i]));
      }
    }
    boxes_.shown.clear();
  }
  // The English label before the anti-stick field is wider.
  SimPrinter device(ParameterBlock{});
  Select(kPrinters[4], device);
  auto q73 = Open(Family::Q73);
  EXPECT_EQ(Child<QLabel>(*q73, "lblStopPrint1")->width(), 108);
}

// The printer goes away between the read and Set: one box says why, the
// window and its edits stay, and Set works once the printer is back.
TEST_F(ParamWindow, SetWithThePrinterGoneKeepsTheWindowAndTheEdits) {
  ParameterBlock stored = FilledBlock(kPrinters[1], 8);
  WriteU16(stored, 70, 4007);  // 500 mm and 7 dots
  SealParameterBlock(stored);
  SimPrinter device(stored);
  Select(kPrinters[1], device);
  auto window = Open(Family::TQM);
  ASSERT_TRUE(window->ReadSucceeded());
  auto *density = Child<QComboBox>(*window, "cmbDensity");
  density->setCurrentIndex(3);
  Child<QLineEdit>(*window, "txtStopPrint")->setText("42");
  auto *labelMax = Child<QLineEdit>(*window, "txtLabelMaxLength");
  labelMax->setText("400");
  ASSERT_TRUE(device.Stop());

  ClickSet(*window);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  const QString error = boxes_.shown[0].text;
  EXPECT_TRUE(error.startsWith(mdlGlobal::Msg.Err_ParaSet)) << error.toStdString();
  EXPECT_TRUE(error.contains(mdlGlobal::Msg.Err_OpenPort)) << error.toStdString();
  EXPECT_EQ(boxes_.shown[0].icon, MessageIcon::Error);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(density->currentIndex(), 3);
  EXPECT_EQ(Child<QLineEdit>(*window, "txtStopPrint")->text(), "42");
  EXPECT_TRUE(Child<QPushButton>(*window, "btnSet")->isEnabled());
  EXPECT_TRUE(density->isEnabled());
  EXPECT_EQ(Sorted(window->ChangedFields()),
            QStringList({"density", "label_max_length", "stop_print_minutes"}));
  EXPECT_EQ(Child<QLabel>(*window, "statusLine")->text(),
            mdlGlobal::GetLangString("_ParaSet_NotWritten"));

  // Set back to what was read, the length keeps the printer's 7 dots.
  labelMax->setText("500");
  ASSERT_TRUE(device.Restart());
  boxes_.shown.clear();
  ClickSet(*window);
  ASSERT_TRUE(device.WaitForStoredBlock());
  EXPECT_EQ(device.Block()[34], 3);
  EXPECT_EQ(device.Block()[114], 42);
  EXPECT_EQ(ReadU16(device.Block(), 70), 4007);
  EXPECT_FALSE(window->isVisible());
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, mdlGlobal::Msg.ParaSet_OK);
}

// An unreachable printer: the window keeps its layout with the fields
// disabled, says what failed, and Retry reads once the printer is back.
TEST_F(ParamWindow, FailedReadKeepsTheLayoutAndRetryReadsAgain) {
  const Printer &printer = kPrinters[3];
  const ParameterBlock stored = FilledBlock(printer, 31);
  SimPrinter device(stored);
  Select(printer, device);
  ASSERT_TRUE(device.Stop());
  auto window = Open(printer.family);
  EXPECT_FALSE(window->ReadSucceeded());
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_TRUE(boxes_.shown[0].text.startsWith(mdlGlobal::Msg.Err_OpenPort));
  auto *status = Child<QLabel>(*window, "statusLine");
  EXPECT_TRUE(status->isVisibleTo(window.get()));
  EXPECT_TRUE(status->text().contains(boxes_.shown[0].text)) << status->text().toStdString();
  // The whole form is there, waiting.
  EXPECT_GE(window->width(), window->minimumSizeHint().width());
  EXPECT_GE(window->height(), window->minimumSizeHint().height());
  EXPECT_GT(window->height(), 200);
  EXPECT_FALSE(Child<QComboBox>(*window, "cmbDensity")->isEnabled());
  EXPECT_TRUE(Child<QComboBox>(*window, "cmbDensity")->isVisibleTo(window.get()));
  EXPECT_FALSE(Child<QPushButton>(*window, "btnSet")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(*window, "btnSaveFile")->isEnabled());
  auto *retry = Child<QPushButton>(*window, "btnRetry");
  ASSERT_TRUE(retry->isVisibleTo(window.get()));

  ASSERT_TRUE(device.Restart());
  retry->click();
  Settle();
  EXPECT_TRUE(window->ReadSucceeded());
  EXPECT_EQ(window->Block(), stored);
  EXPECT_TRUE(Child<QComboBox>(*window, "cmbDensity")->isEnabled());
  EXPECT_TRUE(Child<QPushButton>(*window, "btnSet")->isEnabled());
  EXPECT_FALSE(retry->isVisibleTo(window.get()));
  EXPECT_FALSE(status->isVisibleTo(window.get()));
  EXPECT_TRUE(window->ChangedFields().isEmpty());
  EXPECT_EQ(boxes_.shown.size(), 1u);
}

TEST_F(ParamWindow, NumberFieldsEditLikeAnyEditBox) {
  SimPrinter device(FilledBlock(kPrinters[3], 1));
  Select(kPrinters[3], device);
  auto window = Open(Family::HMZ);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

  auto *ip1 = Child<QLineEdit>(*window, "txtIP1");
  ip1->setFocus(Qt::TabFocusReason);  // selects what is shown
  QTest::keyClicks(ip1, "192");
  QTest::keyClick(ip1, Qt::Key_Tab);
  ASSERT_EQ(window->focusWidget(), Child<QLineEdit>(*window, "txtIP2"));
  QTest::keyClicks(window->focusWidget(), "168");
  EXPECT_EQ(ip1->text(), "192");
  EXPECT_EQ(Child<QLineEdit>(*window, "txtIP2")->text(), "168");
  QTest::keyClick(window->focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(window->focusWidget(), ip1);

  auto *length = Child<QLineEdit>(*window, "txtLabelMaxLength");
  length->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(length, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(length, "600");
  EXPECT_EQ(length->text(), "600");  // replaced, not appended
  QTest::keyClick(length, Qt::Key_Home);
  QTest::keyClick(length, Qt::Key_Delete);
  EXPECT_EQ(length->text(), "00");
  QTest::keyClick(length, Qt::Key_End);
  QTest::keyClicks(length, "x-.9");
  EXPECT_EQ(length->text(), "009");
  QTest::keyClick(length, Qt::Key_Backspace);
  QTest::keyClicks(length, "2");
  EXPECT_EQ(length->text(), "002");
  QTest::keyClick(length, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(length, "777");
  QTest::keyClick(length, Qt::Key_Tab);  // leaving clamps
  EXPECT_EQ(length->text(), "500");
  EXPECT_NE(window->focusWidget(), length);
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(ParamWindow, ChangedFieldsAreMarkedUntilTheyMatchTheReadAgain) {
  SimPrinter device(FilledBlock(kPrinters[1], 5));
  Select(kPrinters[1], device);
  auto window = Open(Family::TQM);
  EXPECT_TRUE(window->ChangedFields().isEmpty());
  auto *density = Child<QComboBox>(*window, "cmbDensity");
  auto *densityLabel = Child<QLabel>(*window, "lblDensity");
  EXPECT_FALSE(densityLabel->font().bold());
  const int shown = density->currentIndex();
  density->setCurrentIndex((shown + 1) % density->count());
  Child<QRadioButton>(*window, "gpbAutoPosition_0")->setChecked(true);
  Child<QLineEdit>(*window, "txtGateway3")->setText("9");
  const QStringList changed = {FieldNamed(Family::TQM, "cmbDensity"),
                               FieldNamed(Family::TQM, "gpbAutoPosition"),
                               FieldNamed(Family::TQM, "txtGateway")};
  EXPECT_EQ(Sorted(window->ChangedFields()), Sorted(changed));
  EXPECT_TRUE(densityLabel->font().bold());
  EXPECT_FALSE(densityLabel->toolTip().isEmpty());
  EXPECT_TRUE(Child<QGroupBox>(*window, "gpbAutoPosition")->font().bold());
  EXPECT_TRUE(Child<QLabel>(*window, "lblDefautGateway")->font().bold());
  EXPECT_FALSE(Child<QLabel>(*window, "lblIPAddress")->font().bold());

  density->setCurrentIndex(shown);  // back to what was read
  EXPECT_FALSE(densityLabel->font().bold());
  EXPECT_EQ(window->ChangedFields().size(), 2);
}

// Save writes the block with the fields as shown, in the 256-byte form of
// the command-line tool; another printer takes it whole through Load and Set.
TEST_F(ParamWindow, SavedBlockLoadsIntoAnotherPrinterWhole) {
  QTemporaryDir dir;
  chosen_ = dir.filePath("tqx.bin");
  const ParameterBlock first = FilledBlock(kPrinters[0], 41);
  SimPrinter device(first);
  Select(kPrinters[0], device);
  auto window = Open(Family::TQX);
  Child<QComboBox>(*window, "cmbDensity")->setCurrentIndex(2);
  Child<QPushButton>(*window, "btnSaveFile")->click();
  ParameterBlock expected = first;
  expected[34] = 2;
  SealParameterBlock(expected);
  QFile saved(chosen_);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), Bytes(expected));
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_TRUE(Child<QLabel>(*window, "statusLine")->text().contains("tqx.bin"));
  window->reject();
  EXPECT_FALSE(device.Requests().contains("ZZZCW"));  // saving writes nothing to the printer

  // The second printer's fields hold the same values, its other bytes not.
  const ParameterBlock second = FilledBlock(kPrinters[0], 42);
  ASSERT_NE(Bytes(second), Bytes(expected));
  SimPrinter other(second);
  Select(kPrinters[0], other);
  auto loader = Open(Family::TQX);
  Child<QPushButton>(*loader, "btnLoadFile")->click();
  EXPECT_EQ(loader->Block(), expected);
  EXPECT_EQ(Child<QComboBox>(*loader, "cmbDensity")->currentIndex(), 2);
  EXPECT_EQ(loader->ChangedFields(), QStringList{FieldNamed(Family::TQX, "cmbDensity")});
  EXPECT_TRUE(Child<QLabel>(*loader, "lblDensity")->font().bold());
  ClickSet(*loader);
  ASSERT_TRUE(other.WaitForStoredBlock());
  EXPECT_EQ(other.Block(), expected);
}

TEST_F(ParamWindow, FilesThatHoldNoSoundBlockAreRefused) {
  QTemporaryDir dir;
  ParameterBlock sound = FilledBlock(kPrinters[2], 3);
  ParameterBlock badSum = sound;
  badSum[40] ^= 1;
  struct Case {
    const char *file;
    QByteArray bytes;
    const char *key;
  };
  const Case cases[] = {
      {"short.bin", Bytes(sound).left(255), "_Err_BlockFileSize"},
      {"sum.bin", Bytes(badSum), "_Err_BlockFileUnsound"},
      {"missing.bin", {}, "_Err_BlockFileRead"},
  };
  SimPrinter device(FilledBlock(kPrinters[2], 9));
  Select(kPrinters[2], device);
  auto window = Open(Family::TGV);
  const ParameterBlock read = window->Block();
  for (const Case &c : cases) {
    chosen_ = dir.filePath(QLatin1String(c.file));
    if (!c.bytes.isEmpty()) {
      QFile file(chosen_);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(c.bytes);
    }
    Child<QPushButton>(*window, "btnLoadFile")->click();
    ASSERT_EQ(boxes_.shown.size(), 1u) << c.file;
    EXPECT_EQ(boxes_.shown[0].text, mdlGlobal::GetLangString(c.key).replace("{0}", chosen_))
        << c.file;
    EXPECT_EQ(window->Block(), read) << c.file;
    EXPECT_TRUE(window->ChangedFields().isEmpty()) << c.file;
    boxes_.shown.clear();
  }
  chosen_.clear();  // a cancelled dialog does nothing
  Child<QPushButton>(*window, "btnLoadFile")->click();
  EXPECT_TRUE(boxes_.shown.empty());
}

// A printer whose stored block is spoilt cannot be read, but a saved block
// restores it: every field counts as changed, since nothing was read.
TEST_F(ParamWindow, BlockFileRestoresAPrinterWhoseBlockIsSpoilt) {
  QTemporaryDir dir;
  const ParameterBlock good = FilledBlock(kPrinters[4], 17);
  chosen_ = dir.filePath("q73.bin");
  QFile file(chosen_);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Bytes(good));
  file.close();
  ParameterBlock spoilt = good;
  spoilt[100] ^= 0x10;
  SimPrinter device(spoilt);
  Select(kPrinters[4], device);
  auto window = Open(Family::Q73);
  ASSERT_FALSE(window->ReadSucceeded());
  boxes_.shown.clear();
  Child<QPushButton>(*window, "btnLoadFile")->click();
  EXPECT_TRUE(Child<QComboBox>(*window, "cmbDensity")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(*window, "btnRetry")->isVisibleTo(window.get()));
  QStringList all;
  for (const FieldSpec &f : FieldTable(Family::Q73)) {
    if (*f.name != '\0') all << QLatin1String(f.name);
  }
  EXPECT_EQ(Sorted(window->ChangedFields()), Sorted(all));
  ClickSet(*window);
  ASSERT_TRUE(device.WaitForStoredBlock());
  EXPECT_EQ(device.Block(), good);
}

// A slow printer: the window is up at once with its fields waiting, and
// closing it does not wait for the answer.
TEST_F(ParamWindow, FieldsWaitForTheBlockAndCloseDoesNotWait) {
  SimPrinter slow(FilledBlock(kPrinters[1], 7), 1, {"--answer-delay-ms", "600"});
  Select(kPrinters[1], slow);
  auto window = CreateParameterWindow(Family::TQM, nullptr);
  window->show();
  ASSERT_TRUE(window->Activity()->Busy());
  EXPECT_FALSE(Child<QComboBox>(*window, "cmbDensity")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(*window, "btnSet")->isEnabled());
  EXPECT_TRUE(Child<QPushButton>(*window, "btnClose")->isEnabled());
  Settle();
  EXPECT_TRUE(window->ReadSucceeded());
  EXPECT_TRUE(Child<QComboBox>(*window, "cmbDensity")->isEnabled());
  EXPECT_TRUE(Child<QPushButton>(*window, "btnSet")->isEnabled());

  auto again = CreateParameterWindow(Family::TQM, nullptr);
  again->show();
  ASSERT_TRUE(again->Activity()->Busy());
  Child<QPushButton>(*again, "btnClose")->click();
  EXPECT_FALSE(again->isVisible());
  EXPECT_FALSE(again->Activity()->Busy());
  Settle();
  EXPECT_FALSE(again->ReadSucceeded());
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(ParamWindow, LauncherOpensTheChosenWindowModally) {
  RegisterParameterWindows();
  ASSERT_TRUE(Launchers().parameterSetting);
  SimPrinter device(FilledBlock(kPrinters[2], 6));
  Select(kPrinters[2], device);
  QString opened;
  QTimer::singleShot(0, [&] {
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    Settle();  // the window's read ends before it is closed
    opened = QLatin1String(modal->metaObject()->className());
    static_cast<QDialog *>(modal)->reject();
  });
  Launchers().parameterSetting(nullptr, Family::TGV);
  EXPECT_EQ(opened, "ravo::utility::T_frmParaSet_TGV");
  EXPECT_EQ(device.Requests(), QStringList({"ZZZCR"}));
}

}  // namespace
