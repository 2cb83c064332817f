// The one way windows show message boxes.  Windows call Messages().Show();
// the program installs a QMessageBox-backed implementation, tests install a
// RecordingMessageBoxes that answers from a script and keeps what would
// have been shown, so no test ever blocks on a modal box.
#pragma once

#include <QString>

#include <deque>
#include <vector>

namespace ravo::utility {

enum class MessageIcon { Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel };  // OkCancel defaults to Cancel
enum class MessageAnswer { Ok, Cancel };

struct MessageRecord {
  MessageIcon icon = MessageIcon::Information;
  QString title;
  QString text;
  MessageButtons buttons = MessageButtons::Ok;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const MessageRecord &message) = 0;
};

// The implementation in use; windows never construct boxes themselves.
inline MessageBoxes *&CurrentMessageBoxes() {
  static MessageBoxes *current = nullptr;
  return current;
}

inline void SetMessageBoxes(MessageBoxes *boxes) { CurrentMessageBoxes() = boxes; }

// Shows through the installed implementation; with none installed the
// message is dropped and Cancel returned, the safe answer to a question.
inline MessageAnswer ShowMessage(const MessageRecord &message) {
  MessageBoxes *boxes = CurrentMessageBoxes();
  return boxes != nullptr ? boxes->Show(message) : MessageAnswer::Cancel;
}

// Test double: records every box and answers OkCancel boxes from a queue
// (Ok when the queue is empty).
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
