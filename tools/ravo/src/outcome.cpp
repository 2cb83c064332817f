#include "outcome.h"

#include <cstdint>

#include "mdl_printer_lib_tspl.h"

namespace ravo::cli {
Outcome Fail(int exitCode, std::string message) {
  Outcome outcome;
  outcome.exitCode = exitCode;
  outcome.error = std::move(message);
  return outcome;
}

std::string LibraryMessage(int32_t code) {
  std::string message = mdlPrinterLib_TSPL::ErrorText(code);
  if (message.empty()) message = "error";
  return message + " (" + std::to_string(code) + ")";
}

Outcome LibraryFailure(int exitCode, const std::string &what, int32_t code) {
  Outcome outcome = Fail(exitCode, what + ": " + LibraryMessage(code));
  outcome.data["code"] = code;
  return outcome;
}

}  // namespace ravo::cli
