#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>

#include "frm_command_test.h"
#include "mdl_global.h"
#include "window_fixture.h"

using namespace ravo::utility;

namespace {

const QByteArray kModeProbe("\x1b\x1b\x08");  // the printer answers with one byte

// The log's lines for an answer of one byte 01: time, hexadecimal, ASCII.
const QRegularExpression kOneByteLine(
    QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}  01 {46} \\.$"));

QStringList LogLines(const QPlainTextEdit *log) {
  return log->toPlainText().split('\n', Qt::SkipEmptyParts);
}

bool AllOneByteLines(const QStringList &lines) {
  for (const QString &line : lines) {
    if (!kOneByteLine.match(line).hasMatch()) {
      ADD_FAILURE() << line.toStdString();
      return false;
    }
  }
  return true;
}

class CommandTestWindow : public ToolWindowTest {
 protected:
  void SetUp() override {
    ToolWindowTest::SetUp();
    window_.show();
    ASSERT_TRUE(Settle());
    ASSERT_TRUE(boxes_.shown.empty()) << boxes_.shown.front().text.toStdString();
  }

  void StartCycle(int intervalMs) {
    window_.RE[0]->setPlainText("1B 1B 08");
    window_.txtReadLen->setText("1");
    window_.txtSleepTime->setText(QString::number(intervalMs));
    window_.chkRecycle->setChecked(true);
    window_.chkSendAndRead->setChecked(true);
    window_.btnSend->click();
    ASSERT_TRUE(Settle());  // connected; the ticks follow
  }

  T_frmCommandTest window_;
};

TEST_F(CommandTestWindow, HexWithCommasAndLineBreakSendsTheBytes) {
  window_.RE[0]->setPlainText("1B,40\n");
  window_.btnSend->click();
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(sim_.WaitForClosedSessions(1));
  EXPECT_EQ(Received(), QByteArray("\x1b\x40"));
  EXPECT_TRUE(window_.lblSendTip->isVisibleTo(&window_));
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(CommandTestWindow, TextPageSendsItsLinesWithCrLf) {
  window_.rdoChar->setChecked(true);
  window_.RE[2]->setPlainText("SIZE 30 mm,20 mm\nCLS");
  window_.tabCommandPages->setCurrentIndex(2);
  window_.btnSend->click();
  ASSERT_TRUE(sim_.WaitForClosedSessions(1));
  EXPECT_EQ(Received(), QByteArray("SIZE 30 mm,20 mm\r\nCLS"));
}

TEST_F(CommandTestWindow, BadHexPieceSendsNothing) {
  window_.RE[0]->setPlainText("1B 4G 40");
  window_.btnSend->click();
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, "Command Error!");
  EXPECT_EQ(boxes_.shown[0].title, mdlGlobal::Msg.MSG_Title_Error);
  EXPECT_EQ(boxes_.shown[0].icon, MessageIcon::Error);
  EXPECT_TRUE(sim_.Sessions().empty());
}

TEST_F(CommandTestWindow, SendAndReadShowsTheAnswerOrReportsNone) {
  window_.RE[0]->setPlainText("1B 1B 08");
  window_.txtReadLen->setText("4");
  window_.chkSendAndRead->setChecked(true);
  window_.btnSend->click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(LogLines(window_.txtReadData).size(), 1);
  EXPECT_TRUE(AllOneByteLines(LogLines(window_.txtReadData)));
  EXPECT_TRUE(boxes_.shown.empty());

  window_.RE[0]->setPlainText("1B 40");  // no answer to this one
  window_.btnSend->click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Shown(MessageIcon::Error), QStringList{mdlGlobal::Msg.Err_ReadData});
  EXPECT_EQ(LogLines(window_.txtReadData).size(), 1);
}

// Read takes what the printer has to say, also before any send, and logs
// that nothing came when it is quiet.
TEST_F(CommandTestWindow, ReadLogsTheAnswerOrThatNothingCame) {
  window_.btnReadData->click();
  ASSERT_TRUE(Settle());
  const QStringList quiet = LogLines(window_.txtReadData);
  ASSERT_EQ(quiet.size(), 1);
  EXPECT_TRUE(quiet[0].endsWith("  " + mdlGlobal::GetLangString("FormCommandTest_LogNothing")));
  EXPECT_TRUE(boxes_.shown.empty());

  // A cycle that does not read leaves the answers for Read, on the
  // connection the cycle holds.
  window_.RE[0]->setPlainText("1B 1B 08");
  window_.txtSleepTime->setText("20");
  window_.chkRecycle->setChecked(true);
  window_.btnSend->click();
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(WaitFor([&] { return window_.Counter() >= 3; }));
  window_.btnReadData->click();
  ASSERT_TRUE(WaitFor([&] { return LogLines(window_.txtReadData).size() == 2; }));
  window_.btnSend->click();  // stop
  const QString line = LogLines(window_.txtReadData)[1];
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}  (01 ){3,16} +\\.{3,16}$")
                  .match(line)
                  .hasMatch())
      << line.toStdString();
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(CommandTestWindow, ReadWithThePrinterStoppedSaysSo) {
  ASSERT_TRUE(sim_.Stop());
  window_.btnReadData->click();
  ASSERT_TRUE(Settle());
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_TRUE(boxes_.shown[0].text.startsWith(mdlGlobal::Msg.Err_OpenPort))
      << boxes_.shown[0].text.toStdString();
  EXPECT_EQ(boxes_.shown[0].icon, MessageIcon::Error);
  EXPECT_TRUE(window_.txtReadData->toPlainText().isEmpty());
}

TEST_F(CommandTestWindow, LogIsSavedAsShown) {
  window_.RE[0]->setPlainText("1B 1B 08");
  window_.chkSendAndRead->setChecked(true);
  window_.btnSend->click();
  ASSERT_TRUE(Settle());
  window_.btnSend->click();
  ASSERT_TRUE(Settle());
  ASSERT_EQ(LogLines(window_.txtReadData).size(), 2);
  QTemporaryDir dir;
  ChooseFiles({dir.filePath("log.txt")});
  window_.btnSaveLog->click();
  QFile saved(dir.filePath("log.txt"));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(saved.readAll()), window_.txtReadData->toPlainText());
  ChooseFiles({dir.filePath("no/such/dir/log.txt")});
  window_.btnSaveLog->click();
  ASSERT_EQ(Shown(MessageIcon::Error).size(), 1);
  EXPECT_TRUE(Shown(MessageIcon::Error)[0].contains(dir.filePath("no/such/dir/log.txt")));
}

TEST_F(CommandTestWindow, CyclesAppendEveryAnswerAndTheCounterRunsOn) {
  StartCycle(30);
  EXPECT_TRUE(window_.Cycling());
  EXPECT_EQ(window_.btnSend->text(), mdlGlobal::GetLangString("FormCommandTest_btnSend2"));
  ASSERT_TRUE(WaitFor([&] { return window_.Counter() >= 3; }));
  window_.btnSend->click();  // stop
  ASSERT_TRUE(Settle());
  EXPECT_FALSE(window_.Cycling());
  EXPECT_EQ(window_.btnSend->text(), mdlGlobal::GetLangString("FormCommandTest_btnSend1"));
  ASSERT_TRUE(sim_.WaitForClosedSessions(1));  // stopping closed the port
  int first = window_.Counter();

  StartCycle(30);
  ASSERT_TRUE(WaitFor([&] { return window_.Counter() >= first + 2; }));
  window_.btnSend->click();
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(sim_.WaitForClosedSessions(2));

  int ticks = window_.Counter();
  EXPECT_EQ(
      window_.lblRecycleTimes->text(),
      QString::number(ticks) + " " + mdlGlobal::GetLangString("FormCommandTest_lblRecycleTimes"));
  EXPECT_EQ(Received(), kModeProbe.repeated(ticks));
  EXPECT_EQ(LogLines(window_.txtReadData).size(), ticks);
  EXPECT_TRUE(AllOneByteLines(LogLines(window_.txtReadData)));
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(CommandTestWindow, ClosingStopsTheCycle) {
  StartCycle(30);
  ASSERT_TRUE(WaitFor([&] { return window_.Counter() >= 1; }));
  window_.btnClose->click();
  EXPECT_FALSE(window_.Cycling());
  ASSERT_TRUE(sim_.WaitForClosedSessions(1));
  int ticks = window_.Counter();
  WaitFor([] { return false; }, 150);
  EXPECT_EQ(window_.Counter(), ticks);
}

TEST_F(CommandTestWindow, DataTypeSwitchConvertsTheCurrentPage) {
  window_.rdoChar->setChecked(true);
  window_.RE[0]->setPlainText("AB");
  window_.rdoHex->setChecked(true);
  EXPECT_EQ(window_.RE[0]->toPlainText(), "41 42 ");
  window_.rdoChar->setChecked(true);
  EXPECT_EQ(window_.RE[0]->toPlainText(), "AB");

  // Hexadecimal that no text sends unchanged stays hexadecimal.
  window_.rdoHex->setChecked(true);
  window_.RE[0]->setPlainText("41 0A 42 ");
  window_.rdoChar->setChecked(true);
  EXPECT_TRUE(window_.rdoHex->isChecked());
  EXPECT_EQ(window_.RE[0]->toPlainText(), "41 0A 42 ");
  ASSERT_EQ(Shown(MessageIcon::Error),
            QStringList{mdlGlobal::GetLangString("FormCommandTest_MSGNotText")});
  window_.RE[0]->setPlainText("41 4G");
  window_.rdoChar->setChecked(true);
  EXPECT_TRUE(window_.rdoHex->isChecked());
  EXPECT_TRUE(boxes_.shown.back().text.contains("4G"));
  window_.RE[0]->setPlainText("41 42 ");
  window_.rdoChar->setChecked(true);

  window_.tabCommandPages->setCurrentIndex(1);  // an empty page stays empty
  window_.rdoHex->setChecked(true);
  window_.rdoChar->setChecked(true);
  EXPECT_TRUE(window_.RE[1]->toPlainText().isEmpty());
  EXPECT_EQ(window_.RE[0]->toPlainText(), "AB");
}

// A text command switched to hexadecimal keeps its CR LF, so the printer
// still answers it.
TEST_F(CommandTestWindow, TextSwitchedToHexKeepsTheLineEnd) {
  window_.rdoChar->setChecked(true);
  window_.RE[0]->setPlainText("ZZZGETSN\n");
  window_.rdoHex->setChecked(true);
  EXPECT_EQ(window_.RE[0]->toPlainText(), "5A 5A 5A 47 45 54 53 4E 0D 0A ");
  window_.chkSendAndRead->setChecked(true);
  window_.btnSend->click();
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(sim_.WaitForClosedSessions(1));
  EXPECT_EQ(Received(), "ZZZGETSN\r\n");
  EXPECT_TRUE(boxes_.shown.empty()) << boxes_.shown.front().text.toStdString();
  EXPECT_FALSE(window_.txtReadData->toPlainText().isEmpty());
}

TEST_F(CommandTestWindow, LoadFileFillsThePageOrReportsTheFailure) {
  QTemporaryDir dir;
  QFile file(dir.filePath("esc.bin"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\x1b@\x0a");
  file.close();
  window_.RE[0]->setPlainText("kept");

  ChooseFiles({dir.filePath("missing.bin"), file.fileName()});
  window_.btnLoadFile->click();
  EXPECT_EQ(window_.RE[0]->toPlainText(), "kept");
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_FALSE(boxes_.shown[0].text.isEmpty());

  window_.btnLoadFile->click();
  EXPECT_EQ(window_.txtLoadFileName->text(), file.fileName());
  EXPECT_EQ(window_.RE[0]->toPlainText(), "1B 40 0A ");
}

TEST_F(CommandTestWindow, BadNumberBoxSendsNothing) {
  window_.RE[0]->setPlainText("1B");
  window_.txtReadLen->setText("12x");
  window_.btnSend->click();
  EXPECT_EQ(Shown(MessageIcon::Error).size(), 1);
  EXPECT_TRUE(sim_.Sessions().empty());
}

}  // namespace
