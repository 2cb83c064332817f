#include "service_result.h"

#include "mdl_global.h"

namespace ravo::utility {
namespace {

struct MessageKey {
  ServiceMessage message;
  const char *key;
};

constexpr MessageKey kKeys[] = {
    {ServiceMessage::Ok, ""},
    {ServiceMessage::CreatePrinter, "_Err_CreatePrinter"},
    {ServiceMessage::OpenPort, "_Err_OpenPort"},
    {ServiceMessage::WriteData, "_Err_WriteData"},
    {ServiceMessage::ReadData, "_Err_ReadData"},
    {ServiceMessage::ShortAnswer, "_Err_ShortAnswer"},
    {ServiceMessage::CheckSum, "_Err_CheckSum"},
    {ServiceMessage::ParaSet, "_Err_ParaSet"},
    {ServiceMessage::NotKept, "_Err_ParaNotKept"},
    {ServiceMessage::NotSupported, "_Err_NotSupported"},
    {ServiceMessage::FileRead, "_Err_FileRead"},
    {ServiceMessage::FileName, "_Err_FileName"},
    {ServiceMessage::DownloadCut, "_Err_DownloadCut"},
    {ServiceMessage::NotListed, "_Err_DownloadNotListed"},
    {ServiceMessage::EmptyText, "_Err_ImportNull"},
    {ServiceMessage::TextControl, "_Err_TextControl"},
    {ServiceMessage::TextCodePage, "_Err_TextCodePage"},
    {ServiceMessage::Cancelled, "_MSG_Cancelled"},
};

}  // namespace

const char *LanguageKey(ServiceMessage message) {
  for (const MessageKey &row : kKeys) {
    if (row.message == message) return row.key;
  }
  return "";
}

QString ServiceResult::Text() const {
  return mdlGlobal::GetLangString(QLatin1String(LanguageKey(message)));
}

ServiceResult Failure(ServiceMessage message, int32_t code, const QString &subject) {
  return ServiceResult{message, code, subject};
}

}  // namespace ravo::utility
