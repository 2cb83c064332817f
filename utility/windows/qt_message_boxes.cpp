#include "qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace ravo::utility {
namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageBoxes::Show(const MessageRecord &message) {
  QMessageBox box(IconOf(message.icon), message.title, message.text, QMessageBox::NoButton,
                  QApplication::activeWindow());
  if (message.buttons == MessageButtons::OkCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    // Confirmations of destructive actions stay in front.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace ravo::utility
