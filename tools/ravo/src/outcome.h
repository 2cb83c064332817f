// What a subcommand hands back: an exit status, the result as JSON (printed
// with --json) and as text for people, and the message for stderr.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "exit_codes.h"

namespace ravo::cli {

struct Outcome {
  int exitCode = kExitOk;
  nlohmann::json data = nlohmann::json::object();
  std::string text;   // human output, printed to stdout
  std::string error;  // printed to stderr as "ravo: <error>"

  bool ok() const { return exitCode == kExitOk; }
};

// An outcome of the given class carrying the message; data stays empty.
Outcome Fail(int exitCode, std::string message);

// The port library's or printer library's text for a result code, followed
// by the code: "connect failed (-352)".
std::string LibraryMessage(int32_t code);

// "what: <library text> (code)" as an outcome of the given class.
Outcome LibraryFailure(int exitCode, const std::string &what, int32_t code);

}  // namespace ravo::cli
