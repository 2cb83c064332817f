#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "frm_print_text.h"
#include "mdl_global.h"
#include "window_fixture.h"

using namespace ravo::utility;

namespace {

void Type(QWidget *box, const QString &keys) {
  for (QChar c : keys) {
    int key = c == QLatin1Char('\r') ? int{Qt::Key_Return} : int{c.toUpper().unicode()};
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
  }
}

using PrintTextLabelWindow = ToolWindowTest;

TEST_F(PrintTextLabelWindow, ThreeLinesMakeOneLabel) {
  T_frmPrintTextLabel window;
  EXPECT_EQ(window.paperWidth, "56");  // TQX58 is a 56 mm model
  window.show();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(window.lblMultiple1->text(), "(10-56)mm");
  window.txtPrintText->setPlainText("one\ntwo\nthree");
  window.btnPrint->click();
  ASSERT_TRUE(Settle());

  ASSERT_TRUE(sim_.WaitForClosedSessions(2));  // the check on showing, then the job
  EXPECT_EQ(Received(), QByteArray("CLS\r\n"
                                   "SIZE 30 mm,30 mm\r\n"
                                   "TEXT 10,10,\"5\",0,1,1,\"one\"\r\n"
                                   "TEXT 10,58,\"5\",0,1,1,\"two\"\r\n"
                                   "TEXT 10,106,\"5\",0,1,1,\"three\"\r\n"
                                   "PRINT 1\r\n"));
  EXPECT_EQ(sim_.Labels().size(), 1u);
  EXPECT_TRUE(boxes_.shown.empty());
  const QString status = window.lblStatus->text();
  EXPECT_TRUE(status.contains("Test label sent to TQX58 (" + mdlGlobal::SelectedPort +
                              "): 3 line(s) on a 30 × 30 mm label"))
      << status.toStdString();
}

TEST_F(PrintTextLabelWindow, RefusedTextIsReportedAndNothingIsSent) {
  struct Case {
    const char *text;
    QString says;
  };
  const Case cases[] = {
      {"  \n ", mdlGlobal::Msg.Err_ImportNull},
      {"one\ttab", mdlGlobal::GetLangString("_Err_TextControl") + "\nU+0009"},
  };
  T_frmPrintTextLabel window;
  window.show();
  for (const Case &c : cases) {
    boxes_.shown.clear();
    window.txtPrintText->setPlainText(QString::fromLatin1(c.text));
    ASSERT_TRUE(Settle());
    window.btnPrint->click();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Shown(MessageIcon::Error), QStringList{c.says}) << c.text;
  }
  // Only the check on showing reached the printer.
  ASSERT_TRUE(sim_.WaitForClosedSessions(1));
  EXPECT_FALSE(sim_.WaitForClosedSessions(2, std::chrono::milliseconds(300)));
  EXPECT_TRUE(Received().isEmpty());
}

TEST_F(PrintTextLabelWindow, SizeBoxesTakeDigitsAndClampWhenLeft) {
  T_frmPrintTextLabel window;
  window.show();
  struct Case {
    QLineEdit *box;
    const char *typed;
    const char *result;
  };
  const Case cases[] = {
      {window.txtPrintableWidth, "9a0\r", "56"},
      {window.txtPrintableWidth, "5\r", "10"},
      {window.txtPrintableHeigh, "3-00\r", "210"},
      {window.txtPrintableHeigh, "4x2\r", "42"},
  };
  for (const Case &c : cases) {
    c.box->clear();
    c.box->setFocus();
    Type(c.box, QString::fromLatin1(c.typed));
    EXPECT_EQ(c.box->text(), QString::fromLatin1(c.result)) << c.typed;
  }
}

// Tab, Ctrl+A and typing over a selection work as in any other box; only
// what is not a digit is refused, and leaving a box clamps it.
TEST_F(PrintTextLabelWindow, SizeBoxesEditLikeAnyBox) {
  T_frmPrintTextLabel window;
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QLineEdit *width = window.txtPrintableWidth;
  QLineEdit *height = window.txtPrintableHeigh;
  width->setFocus();
  width->setText("300");
  QTest::keyClick(width, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(width, "45");
  EXPECT_EQ(width->text(), "45");  // typed over the selection, not appended
  QTest::keyClick(width, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(width, "600");
  QTest::keyClick(width, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), height);
  EXPECT_EQ(width->text(), "56");  // clamped on leaving, not "600" appended to
  QTest::keyClicks(height, "7");   // Tab selected the box's text
  EXPECT_EQ(height->text(), "7");
  QTest::keyClick(height, Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), width);
  EXPECT_EQ(height->text(), "10");
  QTest::keyClick(width, Qt::Key_End);
  QTest::keyClick(width, Qt::Key_Backspace);
  QTest::keyClicks(width, "x2");
  EXPECT_EQ(width->text(), "52");
  ASSERT_TRUE(Settle());
}

// A text the code page cannot carry is sent only after a warning that names
// the characters; cancelling sends nothing, going on sends '?' for them.
TEST_F(PrintTextLabelWindow, UnprintableCharactersAreNamedBeforeSending) {
  qputenv("RAVO_ACP", "CP1252");
  T_frmPrintTextLabel window;
  window.show();
  ASSERT_TRUE(Settle());
  window.txtPrintText->setPlainText(QStringLiteral("中文 abc"));
  boxes_.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
  window.btnPrint->click();
  ASSERT_TRUE(Settle());
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(boxes_.shown[0].buttons, MessageButtons::OkCancel);
  const QString warning = boxes_.shown[0].text;
  EXPECT_TRUE(warning.contains(QStringLiteral("CP1252")) &&
              warning.contains(QStringLiteral("中 (U+4E2D), 文 (U+6587)")))
      << warning.toStdString();
  ASSERT_TRUE(sim_.WaitForClosedSessions(1));  // the check on showing only
  EXPECT_FALSE(sim_.WaitForClosedSessions(2, std::chrono::milliseconds(300)));
  EXPECT_TRUE(window.lblStatus->text().isEmpty());

  window.btnPrint->click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(boxes_.shown.size(), 2u);
  ASSERT_TRUE(sim_.WaitForClosedSessions(2));
  EXPECT_TRUE(Received().contains("TEXT 10,10,\"5\",0,1,1,\"?? abc\"\r\n")) << Received().data();
  EXPECT_FALSE(window.lblStatus->text().isEmpty());
  qunsetenv("RAVO_ACP");
}

TEST_F(PrintTextLabelWindow, EmptySizeBoxPrintsTheLowestSize) {
  T_frmPrintTextLabel window;
  window.show();
  window.txtPrintableWidth->clear();
  window.txtPrintText->setPlainText("x");
  ASSERT_TRUE(Settle());
  window.btnPrint->click();
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(sim_.WaitForClosedSessions(2));
  EXPECT_TRUE(Received().contains("SIZE 10 mm,30 mm\r\n"));
}

TEST_F(PrintTextLabelWindow, UnknownModelAndDeadPortAreReported) {
  mdlGlobal::SelectedModel = "no such model";
  {
    T_frmPrintTextLabel window;
    window.show();
    ASSERT_TRUE(Settle());
  }
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_TRUE(boxes_.shown[0].text.startsWith(mdlGlobal::Msg.Err_CreatePrinter + ":"));

  mdlGlobal::SelectedModel = "TQX58";
  sim_.Stop();
  T_frmPrintTextLabel window;
  window.show();
  ASSERT_TRUE(Settle());
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_TRUE(boxes_.shown[1].text.startsWith(mdlGlobal::Msg.Err_OpenPort + ":"));
}

using PrintTextWindow = ToolWindowTest;

TEST_F(PrintTextWindow, SendsTheTextWithCrLfAndOneLf) {
  T_frmPrintText window;
  window.show();
  window.txtPrintText->setPlainText("Hello \"you\"\nsecond");
  window.btnPrint->click();
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(sim_.WaitForClosedSessions(1));
  EXPECT_EQ(Received(), QByteArray("Hello \"you\"\r\nsecond\n"));
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_TRUE(window.lblStatus->text().contains("Test text sent to TQX58"))
      << window.lblStatus->text().toStdString();
}

TEST_F(PrintTextWindow, UnprintableCharactersAreNamedBeforeSending) {
  qputenv("RAVO_ACP", "CP1252");
  T_frmPrintText window;
  window.show();
  window.txtPrintText->setPlainText(QStringLiteral("€ ok 한"));
  boxes_.answers = {MessageAnswer::Ok};
  window.btnPrint->click();
  ASSERT_TRUE(Settle());
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_TRUE(boxes_.shown[0].text.contains(QStringLiteral("한 (U+D55C)")));
  EXPECT_FALSE(boxes_.shown[0].text.contains(QStringLiteral("€")));  // CP1252 has it
  ASSERT_TRUE(sim_.WaitForClosedSessions(1));
  EXPECT_EQ(Received(), QByteArray("\x80 ok ?\n"));
  qunsetenv("RAVO_ACP");
}

TEST_F(PrintTextWindow, BlankTextReportsEmptyInput) {
  T_frmPrintText window;
  window.txtPrintText->setPlainText(" ");
  window.btnPrint->click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Shown(MessageIcon::Error), QStringList{mdlGlobal::Msg.Err_ImportNull});
  EXPECT_FALSE(sim_.WaitForClosedSessions(1, std::chrono::milliseconds(300)));  // not touched
}

}  // namespace
