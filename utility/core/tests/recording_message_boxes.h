// Test double of the message boxes: records every box and answers OkCancel
// boxes from a queue, so that no test blocks on a modal box.
#pragma once

#include <deque>
#include <vector>

#include "message_box.h"

namespace ravo::utility {

// Answers Ok when the queue is empty.
class RecordingMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer Show(const MessageRecord &message) override {
    shown.push_back(message);
    if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::Ok;
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }

  std::vector<MessageRecord> shown;
  std::deque<MessageAnswer> answers;
};

// Installs a recorder for a scope and restores the previous implementation.
class ScopedRecordingMessageBoxes : public RecordingMessageBoxes {
 public:
  ScopedRecordingMessageBoxes() : previous_(CurrentMessageBoxes()) { SetMessageBoxes(this); }
  ~ScopedRecordingMessageBoxes() override { SetMessageBoxes(previous_); }

 private:
  MessageBoxes *previous_;
};

}  // namespace ravo::utility
