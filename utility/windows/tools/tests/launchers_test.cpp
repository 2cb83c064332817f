#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "window_fixture.h"
#include "window_launchers.h"

using namespace ravo::utility;

namespace {

using ToolLaunchers = ToolWindowTest;

// Runs a launcher and closes the modal window it opens; returns its class.
QString OpenAndClose(const std::function<void(QWidget *)> &launcher) {
  QString opened;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
      opened = QString::fromLatin1(dialog->metaObject()->className());
      dialog->reject();
    }
  });
  poll.start(20);
  launcher(nullptr);
  return opened;
}

TEST_F(ToolLaunchers, EachEntryOpensItsWindowModally) {
  RegisterToolWindows();
  WindowLaunchers &launchers = Launchers();
  struct Case {
    std::function<void(QWidget *)> launcher;
    const char *window;
  };
  const Case cases[] = {
      {launchers.printTextLabel, "ravo::utility::T_frmPrintTextLabel"},
      {launchers.printText, "ravo::utility::T_frmPrintText"},
      {launchers.commandTest, "ravo::utility::T_frmCommandTest"},
      {launchers.downloadFile, "ravo::utility::T_frmDownloadFile_TSPL"},
      {launchers.templateManager, "ravo::utility::T_frmTempletManage"},
  };
  for (const Case &c : cases) {
    ASSERT_TRUE(c.launcher) << c.window;
    EXPECT_EQ(OpenAndClose(c.launcher).toStdString(), c.window);
  }
  EXPECT_TRUE(boxes_.shown.empty()) << boxes_.shown.front().text.toStdString();
}

}  // namespace
