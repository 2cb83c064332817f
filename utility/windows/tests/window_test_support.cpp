#include "window_test_support.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include "printer_task_runner.h"

namespace ravo::testing {

FilesDir::FilesDir() {
  const QDir shipped(QStringLiteral(RAVO_SHIPPED_FILES_DIR));
  for (const QString &name : shipped.entryList(QDir::Files)) {
    if (name.endsWith(QLatin1String(".py"))) continue;
    QFile::copy(shipped.filePath(name), QDir(dir_.path()).filePath(name));
  }
}

mdlGlobal::StartupOptions FilesDir::Options() const {
  return {dir_.path(), QStringLiteral("1033")};
}

void FilesDir::WritePrinterList(const QByteArray &bytes) const {
  QFile file(QDir(dir_.path()).filePath(QStringLiteral("PrinterList.txt")));
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QByteArray FilesDir::ReadPrinterList() const {
  QFile file(QDir(dir_.path()).filePath(QStringLiteral("PrinterList.txt")));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WhenModal(std::function<void(QWidget *dialog)> action) {
  QTimer::singleShot(0, [action = std::move(action)] {
    QWidget *dialog = QApplication::activeModalWidget();
    QVERIFY2(dialog != nullptr, "no modal dialog is open");
    action(dialog);
  });
}

namespace {

const char *IconName(utility::MessageIcon icon) {
  switch (icon) {
    case utility::MessageIcon::Information:
      return "information";
    case utility::MessageIcon::Warning:
      return "warning";
    case utility::MessageIcon::Error:
      return "error";
    case utility::MessageIcon::Question:
      return "question";
  }
  return "?";
}

}  // namespace

QString Describe(const utility::MessageRecord &record) {
  return record.title + QLatin1Char('|') + QLatin1String(IconName(record.icon)) + QLatin1Char('|') +
         record.text;
}

QString ErrorBox(const QString &text) {
  return QStringLiteral("Error|error|") + text;
}

QString InformationBox(const QString &text) {
  return QStringLiteral("Information|information|") + text;
}

bool WaitUntil(const std::function<bool()> &pred, int ms) {
  QDeadlineTimer deadline(ms);
  while (!pred()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(10);
  }
  return true;
}

bool SettlePrinterWork(int ms) {
  return WaitUntil([] { return utility::PrinterTaskRunner::Unsettled() == 0; }, ms);
}

QString Hex(const QByteArray &bytes) {
  return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

}  // namespace ravo::testing
