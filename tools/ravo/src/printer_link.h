// One open session with the addressed printer through the utility's TSPL
// handle: created for the model, port opened, closed again on destruction.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "context.h"
#include "outcome.h"

namespace ravo::cli {

class PrinterLink {
 public:
  // Creates the handle for context.model and opens context.port; a failure
  // comes back as the outcome to report (usage for an unknown model, port
  // otherwise) and leaves nothing open.
  static std::optional<Outcome> Open(const Context &context, std::optional<PrinterLink> &link);

  PrinterLink(PrinterLink &&other) noexcept : open_(other.open_) { other.open_ = false; }
  PrinterLink &operator=(PrinterLink &&) = delete;
  ~PrinterLink();

  // Writes all bytes; the library's code on failure.
  int32_t Write(std::span<const uint8_t> bytes) const;
  int32_t Write(std::string_view text) const;
  // Up to `attempts` reads for `length` bytes, pauseMs apart; the bytes that
  // arrived (possibly none) and the last read's code in *result.
  std::vector<uint8_t> Read(int32_t length, int pauseMs, int attempts,
                            int32_t *result = nullptr) const;

  // Writes and reports a failure as an outcome of class port.
  std::optional<Outcome> Send(std::span<const uint8_t> bytes, const std::string &what) const;
  std::optional<Outcome> Send(std::string_view text, const std::string &what) const;

 private:
  PrinterLink() : open_(true) {}
  bool open_;
};

// Sleeps for ms milliseconds (the printer needs a moment between command
// and answer).
void Pause(int ms);

}  // namespace ravo::cli
