#include "tool_support.h"

#include <QFileDialog>

#include "mdl_global.h"
#include "message_box.h"

namespace ravo::utility {

namespace {

void Show(MessageIcon icon, const QString &title, const QString &text,
          MessageButtons buttons = MessageButtons::Ok) {
  ShowMessage(MessageRecord{icon, title, text, buttons});
}

}  // namespace

void ShowCodeError(const QString &text, int32_t code) {
  ShowError(text + QLatin1Char(':') + QString::number(code));
}

void ShowError(const QString &text) {
  Show(MessageIcon::Error, mdlGlobal::Msg.MSG_Title_Error, text);
}

void ShowInformation(const QString &text) {
  Show(MessageIcon::Information, mdlGlobal::Msg.MSG_Title_Message, text);
}

void ShowPlain(const QString &text) {
  Show(MessageIcon::Information, QString(), text);
}

bool Confirm(const QString &text) {
  MessageRecord question{MessageIcon::Question, mdlGlobal::Msg.MSG_Title_Warn, text,
                         MessageButtons::OkCancel};
  return ShowMessage(question) == MessageAnswer::Ok;
}

QIcon ToolWindowIcon() {
  return QIcon(mdlGlobal::AppPath + QStringLiteral("icons/icon.ico"));
}

FileChooser &CurrentFileChooser() {
  static FileChooser chooser = [](QWidget *parent) { return QFileDialog::getOpenFileName(parent); };
  return chooser;
}

QString ChooseFileToOpen(QWidget *parent) {
  return CurrentFileChooser()(parent);
}

}  // namespace ravo::utility
