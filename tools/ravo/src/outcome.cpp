#include "outcome.h"

#include <cstdint>

#include "prt.h"

// libheron and libegret export the same Prt names; bind to libheron's.
extern "C" int32_t HeronFormatErrorA(int32_t, int32_t, char *, int32_t, int32_t);
__asm__(".symver HeronFormatErrorA, PrtFormatErrorA@HERON_1");

namespace ravo::cli {
namespace {
constexpr int32_t kEnglish = 9;
}

Outcome Fail(int exitCode, std::string message) {
  Outcome outcome;
  outcome.exitCode = exitCode;
  outcome.error = std::move(message);
  return outcome;
}

std::string LibraryMessage(int32_t code) {
  char text[512] = {};
  HeronFormatErrorA(code, kEnglish, text, 0, sizeof text);
  std::string message = text[0] != '\0' ? text : "error";
  return message + " (" + std::to_string(code) + ")";
}

Outcome LibraryFailure(int exitCode, const std::string &what, int32_t code) {
  Outcome outcome = Fail(exitCode, what + ": " + LibraryMessage(code));
  outcome.data["code"] = code;
  return outcome;
}

}  // namespace ravo::cli
