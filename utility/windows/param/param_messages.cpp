#include "param_messages.h"

#include "mdl_global.h"
#include "message_box.h"

namespace ravo::utility {

void ShowParamError(const QString &text) {
  ShowMessage({MessageIcon::Error, mdlGlobal::Msg.MSG_Title_Error, text, MessageButtons::Ok});
}

void ShowParamInformation(const QString &text) {
  ShowMessage(
      {MessageIcon::Information, mdlGlobal::Msg.MSG_Title_Message, text, MessageButtons::Ok});
}

}  // namespace ravo::utility
