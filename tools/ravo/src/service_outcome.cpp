#include "service_outcome.h"

#include <cstring>

namespace ravo::cli {
namespace {

using ravo::utility::ServiceMessage;

struct MessageClass {
  ServiceMessage message;
  int exitCode;
  const char *sentence;  // "%s" stands for what the conversation concerned
};

constexpr MessageClass kClasses[] = {
    {ServiceMessage::CreatePrinter, kExitUsage, "the printer library does not know the model"},
    {ServiceMessage::OpenPort, kExitPort, "cannot open the port"},
    {ServiceMessage::WriteData, kExitPort, "sending %s failed"},
    {ServiceMessage::ReadData, kExitAnswer, "the printer sent no answer to %s"},
    {ServiceMessage::ShortAnswer, kExitAnswer, "the printer's answer to %s was cut short"},
    {ServiceMessage::CheckSum, kExitValidation, "%s has a wrong checksum"},
    {ServiceMessage::ParaSet, kExitPort, "writing %s failed"},
    {ServiceMessage::NotKept, kExitAnswer, "the printer did not keep %s"},
    {ServiceMessage::NotSupported, kExitValidation, "the model has no query for %s"},
    {ServiceMessage::FileRead, kExitFile, "cannot read"},
    {ServiceMessage::FileName, kExitValidation, "unusable file name"},
    {ServiceMessage::DownloadCut, kExitPort, "the printer stopped taking the data of"},
    {ServiceMessage::NotListed, kExitAnswer, "after the download the printer does not list"},
    {ServiceMessage::EmptyText, kExitUsage, "%s needs a non-blank text"},
    {ServiceMessage::TextControl, kExitValidation, "%s may not hold the control character"},
    {ServiceMessage::TextCodePage, kExitValidation,
     "%s has a character the code page cannot carry:"},
    {ServiceMessage::Cancelled, kExitInternal, "%s was cancelled"},
};

std::string Sentence(const char *pattern, const std::string &what) {
  std::string sentence = pattern;
  const size_t at = sentence.find("%s");
  if (at != std::string::npos) sentence.replace(at, 2, what);
  return sentence;
}

}  // namespace

Outcome ServiceFailure(const ravo::utility::ServiceResult &result, const std::string &what) {
  for (const MessageClass &row : kClasses) {
    if (row.message != result.message) continue;
    std::string text = Sentence(row.sentence, what);
    if (!result.subject.isEmpty()) text += " " + result.subject.toStdString();
    // Positive codes are the system's error numbers, the rest the libraries'.
    if (result.code > 0) text += ": " + std::string(std::strerror(result.code));
    if (result.code < 0) text += ": " + LibraryMessage(result.code);
    Outcome outcome = Fail(row.exitCode, text);
    if (result.code != 0) outcome.data["code"] = result.code;
    return outcome;
  }
  return Fail(kExitInternal, what + " failed");
}

}  // namespace ravo::cli
