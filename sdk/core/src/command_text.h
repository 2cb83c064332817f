// Formatting one command line into a bounded working area and appending
// it to the command buffer: the step every command builder shares.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

#include "command_buffer.h"
#include "printer.h"

namespace prt {

// Working areas, in bytes of text: most commands fit the short one, those
// that carry caller text (bar codes, QR, PDF417, CPCL text) the long one.
inline constexpr size_t kShortCommandArea = 254;
inline constexpr size_t kLongCommandArea = 509;

// Formats into `out`; -2 when the text would exceed `limit` bytes, so that
// an overlong command is refused before it reaches the command buffer.
inline int32_t VFormatCommand(std::string &out, size_t limit, const char *format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0 || static_cast<size_t>(length) > limit) return PRT_ERR_BUFFER_TOO_SMALL;
  out.assign(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, args);
  out.pop_back();
  return PRT_SUCCESS;
}

[[gnu::format(printf, 3, 4)]] inline int32_t FormatCommand(std::string &out, size_t limit,
                                                           const char *format, ...) {
  va_list args;
  va_start(args, format);
  const int32_t rc = VFormatCommand(out, limit, format, args);
  va_end(args);
  return rc;
}

// Formats and appends in one step; nothing is appended on failure (-2 for
// text beyond `limit` or beyond the buffer's free room).
[[gnu::format(printf, 3, 4)]] inline int32_t AppendFormatted(PrtCommandContext &ctx, size_t limit,
                                                             const char *format, ...) {
  std::string text;
  va_list args;
  va_start(args, format);
  const int32_t rc = VFormatCommand(text, limit, format, args);
  va_end(args);
  return rc != PRT_SUCCESS ? rc : AppendCommand(ctx, text);
}

}  // namespace prt
