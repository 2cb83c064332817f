#include "window_messages.h"

#include "mdl_global.h"
#include "message_box.h"

namespace ravo::utility {

void ShowErrorCode(const QString &text, int32_t code) {
  ShowError(text + QLatin1Char(':') + QString::number(code));
}

QString ServiceErrorText(const ServiceResult &result) {
  QString text = result.Text();
  if (result.code != 0) text += QLatin1Char(':') + QString::number(result.code);
  switch (result.message) {
    case ServiceMessage::FileRead:
    case ServiceMessage::FileName:
    case ServiceMessage::DownloadCut:
    case ServiceMessage::NotListed:
    case ServiceMessage::TextControl:
    case ServiceMessage::TextCodePage:
      if (!result.subject.isEmpty()) text += QStringLiteral("\n") + result.subject;
      break;
    default:
      break;
  }
  return text;
}

void ShowServiceError(const ServiceResult &result) {
  ShowError(ServiceErrorText(result));
}

void ShowError(const QString &text) {
  ShowMessage({MessageIcon::Error, mdlGlobal::Msg.MSG_Title_Error, text, MessageButtons::Ok});
}

void ShowInformation(const QString &text) {
  ShowMessage(
      {MessageIcon::Information, mdlGlobal::Msg.MSG_Title_Message, text, MessageButtons::Ok});
}

void ShowPlain(const QString &text) {
  ShowMessage({MessageIcon::Information, QString(), text, MessageButtons::Ok});
}

bool Confirm(const QString &text) {
  return ShowMessage({MessageIcon::Question, mdlGlobal::Msg.MSG_Title_Warn, text,
                      MessageButtons::OkCancel}) == MessageAnswer::Ok;
}

}  // namespace ravo::utility
