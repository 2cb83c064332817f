// RavoUtilityLabel: creates the windows in start-up order and runs the
// message loop.
//
//   --files DIR        data files from DIR instead of files/ beside the program
//   --language ID      language section to use (2052, 1028, 1033 ...)
//   --dealer           show the dealer variant of the main window
//   --screenshot DIR   save main-window.png and printer-information.png to
//                      DIR, then quit
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "form_printer_information.h"
#include "qt_message_boxes.h"
#include "startup.h"
#include "window_launchers.h"

namespace {

using namespace ravo::utility;

QString OptionValue(const QStringList &arguments, const QString &name) {
  const qsizetype at = arguments.indexOf(name);
  return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

// Screenshot runs are unattended: boxes go to the error stream and
// questions are answered with Cancel.
class StderrMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer Show(const MessageRecord &message) override {
    std::fprintf(stderr, "%s: %s\n", qPrintable(message.title), qPrintable(message.text));
    return MessageAnswer::Cancel;
  }
};

// Saves pictures of the shown main window and of the printer-information
// window (which reads the selected printer as usual), then quits.
void ScheduleScreenshots(QWidget *mainWindow, const QString &dir) {
  QTimer::singleShot(500, mainWindow, [mainWindow, dir] {
    QDir().mkpath(dir);
    mainWindow->grab().save(QDir(dir).filePath(QStringLiteral("main-window.png")));
    auto *info = new T_frmPrinterInformation(mainWindow);
    info->setAttribute(Qt::WA_DeleteOnClose);
    info->show();
    QTimer::singleShot(500, info, [info, dir] {
      info->grab().save(QDir(dir).filePath(QStringLiteral("printer-information.png")));
      QApplication::quit();
    });
  });
}

}  // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  const QStringList arguments = QApplication::arguments();
  const QString screenshots = OptionValue(arguments, QStringLiteral("--screenshot"));
  QtMessageBoxes boxes;
  StderrMessageBoxes unattended;
  SetMessageBoxes(screenshots.isEmpty() ? static_cast<MessageBoxes *>(&boxes) : &unattended);
  RegisterParameterWindows();
  RegisterToolWindows();

  UtilityWindows windows;
  if (!StartUtility(arguments, windows)) return 1;
  windows.main->show();
  if (!screenshots.isEmpty()) ScheduleScreenshots(windows.main.get(), screenshots);
  return app.exec();
}
