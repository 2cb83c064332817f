// What a printer conversation reports: success, or the step that failed
// with the library's or the system's code.  The message names the failure
// for both front ends: windows show its language text, ravo its own words.
#pragma once

#include <QString>
#include <cstdint>

namespace ravo::utility {

enum class ServiceMessage {
  Ok,
  CreatePrinter,  // the library does not know the model
  OpenPort,       // the port cannot be opened
  WriteData,      // the printer did not take a command
  ReadData,       // no answer, or an answer without its marker
  ShortAnswer,    // the answer stopped before its end
  CheckSum,       // the parameter block's checksum is wrong
  ParaSet,        // writing the parameter block failed
  NotKept,        // the block read back differs from the block written
  NotSupported,   // the model has no such query
  FileRead,       // a local file cannot be read
  FileName,       // a file name that cannot be put into a command
  DownloadCut,    // the printer stopped taking a file partway
  NotListed,      // after a download the printer does not list the file
  EmptyText,      // nothing to print
  TextControl,    // a control character in a text to print
  TextCodePage,   // a character the code page cannot carry
  Cancelled,      // the user cancelled
};

// Key of the message's text in the language file ("_Err_OpenPort" ...);
// empty for Ok.
const char *LanguageKey(ServiceMessage message);

struct ServiceResult {
  ServiceMessage message = ServiceMessage::Ok;
  // The library's or the system's code; 0 when the data itself was wrong.
  int32_t code = 0;
  // What the failing step worked on (a file, a character); may be empty.
  QString subject;

  bool ok() const { return message == ServiceMessage::Ok; }
  // The language text of the message (mdlGlobal::GetLangString).
  QString Text() const;
};

ServiceResult Failure(ServiceMessage message, int32_t code = 0, const QString &subject = {});

// A result with the value the conversation produced; the value is
// meaningful on success and, where a conversation says so, on failure.
template <typename T>
struct ServiceAnswer {
  ServiceResult result;
  T value{};

  bool ok() const { return result.ok(); }
};

}  // namespace ravo::utility
