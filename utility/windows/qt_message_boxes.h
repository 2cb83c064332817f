// The program's message boxes: modal QMessageBoxes over the active window.
#pragma once

#include "message_box.h"

namespace ravo::utility {

class QtMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer Show(const MessageRecord &message) override;
};

}  // namespace ravo::utility
