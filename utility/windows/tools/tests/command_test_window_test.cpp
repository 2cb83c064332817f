#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include "frm_command_test.h"
#include "mdl_global.h"
#include "window_fixture.h"

using namespace ravo::utility;

namespace {

const QByteArray kModeProbe("\x1b\x1b\x08");  // the printer answers with one byte

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
  EXPECT_EQ(window_.txtReadData->toPlainText(), "01 ");
  EXPECT_TRUE(boxes_.shown.empty());

  window_.RE[0]->setPlainText("1B 40");  // no answer to this one
  window_.btnSend->click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Shown(MessageIcon::Error), QStringList{mdlGlobal::Msg.Err_ReadData});
  EXPECT_EQ(window_.txtReadData->toPlainText(), "01 ");
}

TEST_F(CommandTestWindow, ReadBeforeAnySendShowsNothing) {
  window_.btnReadData->click();
  ASSERT_TRUE(Settle());
  EXPECT_TRUE(window_.txtReadData->toPlainText().isEmpty());
  EXPECT_TRUE(boxes_.shown.empty());
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
  EXPECT_EQ(window_.lblRecycleTimes->text(),
            QString::number(ticks) + mdlGlobal::GetLangString("FormCommandTest_lblRecycleTimes"));
  EXPECT_EQ(Received(), kModeProbe.repeated(ticks));
  EXPECT_EQ(window_.txtReadData->toPlainText(), QString("01 ").repeated(ticks));
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

  window_.tabCommandPages->setCurrentIndex(1);  // an empty page stays empty
  window_.rdoHex->setChecked(true);
  window_.rdoChar->setChecked(true);
  EXPECT_TRUE(window_.RE[1]->toPlainText().isEmpty());
  EXPECT_EQ(window_.RE[0]->toPlainText(), "AB");
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
