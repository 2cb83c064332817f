#include "window_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "mdl_global.h"
#include "printer_task_runner.h"

using namespace ravo::utility;

ToolWindowTest::ToolWindowTest(std::vector<std::string> simArgs) : sim_(std::move(simArgs)) {}

void ToolWindowTest::SetUp() {
  ASSERT_TRUE(sim_.Running()) << sim_.Error();
  mdlGlobal::InitGlobals(mdlGlobal::ParseStartupOptions(
      {"test", "--files", RAVO_SHIPPED_FILES_DIR, "--language", "1033"}));
  ASSERT_FALSE(mdlGlobal::Msg.MSG_Title_Error.isEmpty());
  mdlGlobal::CommandModeFlag = 1;
  mdlGlobal::SelectedPrinterType = "TQX58";
  mdlGlobal::SelectedModel = "TQX58";
  mdlGlobal::SelectedPort = QString::fromStdString(sim_.PortString());
  savedChooser_ = CurrentFileChooser();
  savedSaveChooser_ = CurrentSaveFileChooser();
  CurrentFileChooser() = [this](QWidget *, const QString &) {
    return chosen_.isEmpty() ? QString() : chosen_.takeFirst();
  };
  CurrentSaveFileChooser() = [this](QWidget *, const QString &, const QString &) {
    return chosen_.isEmpty() ? QString() : chosen_.takeFirst();
  };
}

void ToolWindowTest::TearDown() {
  CurrentFileChooser() = savedChooser_;
  CurrentSaveFileChooser() = savedSaveChooser_;
}

QByteArray ToolWindowTest::Received() const {
  QByteArray all;
  for (const ravo::sim::ReceivedSession &session : sim_.Sessions()) {
    all.append(reinterpret_cast<const char *>(session.bytes.data()),
               static_cast<qsizetype>(session.bytes.size()));
  }
  return all;
}

bool ToolWindowTest::WaitFor(const std::function<bool()> &done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

bool ToolWindowTest::Settle(int ms) {
  return WaitFor([] { return PrinterTaskRunner::Unsettled() == 0; }, ms);
}

bool ToolWindowTest::WaitForReceived(qsizetype n, int ms) const {
  return WaitFor([&] { return Received().size() >= n; }, ms);
}

QStringList ToolWindowTest::Shown(MessageIcon icon) const {
  QStringList texts;
  for (const MessageRecord &record : boxes_.shown) {
    if (record.icon == icon) texts += record.text;
  }
  return texts;
}
