// The handle's command buffer: builders append formatted commands, one
// flush sends them; bytes stay only when a write failed before taking them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "printer.h"

namespace prt {

// Appends bytes; -2 (buffer unchanged) when the free room is too small.
int32_t AppendCommand(PrtCommandContext &ctx, std::span<const uint8_t> bytes);
int32_t AppendCommand(PrtCommandContext &ctx, std::string_view text);

// Writes every pending byte; on success the buffer is empty.  On failure
// the port's code is returned and the bytes the port did not accept stay,
// at the front, for the next command; the ones it took are not sent again.
int32_t FlushCommandBuffer(PrtPrinter &printer);

// Enlarges the buffer by `more` bytes rounded up to a multiple of 128;
// -9 when memory runs out (the old buffer stays).  0 does nothing.
int32_t GrowCommandBuffer(PrtCommandContext &ctx, uint32_t more);

// Grows the buffer, if needed, so that `needed` more bytes fit.
int32_t EnsureRoom(PrtCommandContext &ctx, uint32_t needed);

}  // namespace prt
