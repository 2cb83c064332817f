// Window tests: the shipped language file in English, a virtual printer on
// a loopback port as the selected printer, recorded message boxes and a
// scripted file chooser.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "recording_message_boxes.h"
#include "sim_process.h"
#include "tool_support.h"

class ToolWindowTest : public ::testing::Test {
 protected:
  explicit ToolWindowTest(std::vector<std::string> simArgs = {"--model", "TQX58"});
  void SetUp() override;
  void TearDown() override;

  // Everything the printer received so far, over all connections.
  QByteArray Received() const;
  // Processes window events until done() holds or ms pass.
  static bool WaitFor(const std::function<bool()> &done, int ms = 5000);
  // Processes window events until every printer conversation a window
  // started has handed its result back.
  static bool Settle(int ms = 15000);
  // Waits until the printer has received at least n bytes.
  bool WaitForReceived(qsizetype n, int ms = 5000) const;
  // The next files the open and save choosers hand out; empty means the
  // user cancels.
  void ChooseFiles(QStringList paths) { chosen_ = std::move(paths); }
  // Texts of the recorded boxes with the given icon.
  QStringList Shown(ravo::utility::MessageIcon icon) const;

  ravo::sim::SimProcess sim_;
  ravo::utility::ScopedRecordingMessageBoxes boxes_;

 private:
  ravo::utility::FileChooser savedChooser_;
  ravo::utility::SaveFileChooser savedSaveChooser_;
  QStringList chosen_;
};
