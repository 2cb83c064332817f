// Window tests run without a display and never block on a message box.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns about window hints it cannot honour.
void QuietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text) {
  if (text.contains(QLatin1String("propagateSizeHints"))) return;
  if (previousHandler != nullptr) previousHandler(type, context, text);
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  previousHandler = qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
