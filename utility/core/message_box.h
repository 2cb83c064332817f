// The one way windows show message boxes.  Windows call ShowMessage(); the
// program installs a QMessageBox-backed implementation, tests install a
// recorder (tests/recording_message_boxes.h) that answers from a script
// and keeps what would have been shown, so no test blocks on a modal box.
#pragma once

#include <QString>

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

inline void SetMessageBoxes(MessageBoxes *boxes) {
  CurrentMessageBoxes() = boxes;
}

// Shows through the installed implementation; with none installed the
// message is dropped and Cancel returned, the safe answer to a question.
inline MessageAnswer ShowMessage(const MessageRecord &message) {
  MessageBoxes *boxes = CurrentMessageBoxes();
  return boxes != nullptr ? boxes->Show(message) : MessageAnswer::Cancel;
}

}  // namespace ravo::utility
