// Shared pieces of the window tests: a "files" directory made from the
// shipped data files, a way to act inside a modal dialog, and helpers to
// compare message boxes and received bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>

#include "mdl_global.h"
#include "recording_message_boxes.h"

namespace ravo::testing {

// A copy of the shipped data files in a temporary directory.
class FilesDir {
 public:
  FilesDir();
  QString Path() const { return dir_.path(); }
  // The options a program run gets: --files this directory, English texts.
  mdlGlobal::StartupOptions Options() const;
  void WritePrinterList(const QByteArray &bytes) const;
  QByteArray ReadPrinterList() const;

 private:
  QTemporaryDir dir_;
};

// Runs `action` with the next modal dialog once its event loop runs.
void WhenModal(std::function<void(QWidget *dialog)> action);

// "title|icon|text" of a box, for readable comparisons.
QString Describe(const utility::MessageRecord &record);
QString ErrorBox(const QString &text);
QString InformationBox(const QString &text);

// Waits (processing events) until pred holds or ms passed.
bool WaitUntil(const std::function<bool()> &pred, int ms = 3000);

// Waits until every printer conversation a window started has handed its
// result back (or was cancelled).
bool SettlePrinterWork(int ms = 15000);

// Bytes as upper-case hex pairs, for failure messages.
QString Hex(const QByteArray &bytes);

}  // namespace ravo::testing
