#include "window_messages.h"

#include "mdl_global.h"
#include "mdl_printer_lib_tspl.h"
#include "message_box.h"

namespace ravo::utility {
namespace {

bool ChineseChosen() {
  return mdlGlobal::LanguageId == QLatin1String("2052") ||
         mdlGlobal::LanguageId == QLatin1String("1028");
}

bool ShowsSubject(ServiceMessage message) {
  switch (message) {
    case ServiceMessage::FileRead:
    case ServiceMessage::FileName:
    case ServiceMessage::DownloadCut:
    case ServiceMessage::NotListed:
    case ServiceMessage::TextControl:
    case ServiceMessage::TextCodePage:
      return true;
    default:
      return false;
  }
}

// The code's line and the lines that explain it.
QString WithCode(QString text, int32_t code, const QString &subject) {
  if (code != 0) text += QLatin1Char(':') + QString::number(code);
  if (!subject.isEmpty()) text += QLatin1Char('\n') + subject;
  if (code != 0) {
    const QString message = LibraryMessage(code);
    if (!message.isEmpty()) text += QLatin1Char('\n') + message;
  }
  return text;
}

}  // namespace

QString LibraryMessage(int32_t code) {
  return mdlPrinterLib_TSPL::ErrorMessage(code, ChineseChosen());
}

QString ErrorCodeText(const QString &text, int32_t code, const QString &subject) {
  return WithCode(text, code, subject);
}

void ShowErrorCode(const QString &text, int32_t code, const QString &subject) {
  ShowError(ErrorCodeText(text, code, subject));
}

QString ServiceErrorText(const ServiceResult &result) {
  return WithCode(result.Text(), result.code,
                  ShowsSubject(result.message) ? result.subject : QString());
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

void ShowWarning(const QString &text) {
  ShowMessage({MessageIcon::Warning, mdlGlobal::Msg.MSG_Title_Warn, text, MessageButtons::Ok});
}

void ShowPlain(const QString &text) {
  ShowMessage({MessageIcon::Information, QString(), text, MessageButtons::Ok});
}

void ShowConnectionCheck(const ServiceResult &opened, ConnectionCheck check) {
  if (!opened.ok()) return ShowServiceError(opened);
  switch (check) {
    case ConnectionCheck::Answered:
      return ShowInformation(mdlGlobal::Msg.ConnectOK);
    case ConnectionCheck::Silent:
      return ShowWarning(mdlGlobal::GetLangString(QStringLiteral("_ConnectNoAnswer")));
    case ConnectionCheck::CannotAnswer:
      return ShowInformation(mdlGlobal::GetLangString(QStringLiteral("_ConnectOKParallel")));
  }
}

bool Confirm(const QString &text) {
  return ShowMessage({MessageIcon::Question, mdlGlobal::Msg.MSG_Title_Warn, text,
                      MessageButtons::OkCancel}) == MessageAnswer::Ok;
}

bool ConfirmWarning(const QString &text) {
  return ShowMessage({MessageIcon::Warning, mdlGlobal::Msg.MSG_Title_Warn, text,
                      MessageButtons::OkCancel}) == MessageAnswer::Ok;
}

}  // namespace ravo::utility
