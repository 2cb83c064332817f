#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

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
