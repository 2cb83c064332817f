#include "command_buffer.h"

#include <algorithm>
#include <new>

namespace prt {
namespace {

// Bytes the port accepted before a write failed have reached the printer
// (or the kernel on their way to it); sending them again would double
// them, so only the rest stays pending.
void DropSentBytes(PrtCommandContext &ctx, uint32_t written) {
  const uint32_t sent = std::min(written, ctx.used);
  std::copy(ctx.buffer.begin() + sent, ctx.buffer.begin() + ctx.used, ctx.buffer.begin());
  ctx.used -= sent;
}

}  // namespace

int32_t AppendCommand(PrtCommandContext &ctx, std::span<const uint8_t> bytes) {
  if (ctx.buffer.empty() || ctx.capacity() - ctx.used < bytes.size()) {
    return PRT_ERR_BUFFER_TOO_SMALL;
  }
  std::copy(bytes.begin(), bytes.end(), ctx.buffer.begin() + ctx.used);
  ctx.used += static_cast<uint32_t>(bytes.size());
  return PRT_SUCCESS;
}

int32_t AppendCommand(PrtCommandContext &ctx, std::string_view text) {
  return AppendCommand(ctx, std::span(reinterpret_cast<const uint8_t *>(text.data()), text.size()));
}

int32_t FlushCommandBuffer(PrtPrinter &printer) {
  PrtCommandContext &ctx = *printer.context;
  if (printer.port == nullptr) return PRT_ERR_PORT_NOT_OPEN;
  uint32_t written = 0;
  int32_t rc = printer.port->write(printer.port, ctx.buffer.data(), 0, ctx.used, &written);
  if (rc == 0) {
    ctx.used = 0;
  } else {
    DropSentBytes(ctx, written);
  }
  return rc;
}

int32_t GrowCommandBuffer(PrtCommandContext &ctx, uint32_t more) {
  if (more == 0) return PRT_SUCCESS;
  uint64_t rounded = (static_cast<uint64_t>(more) + 127) / 128 * 128;
  uint64_t size = ctx.buffer.size() + rounded;
  if (size > UINT32_MAX) return PRT_ERR_OUT_OF_MEMORY;
  try {
    ctx.buffer.resize(static_cast<size_t>(size), 0);
  } catch (const std::bad_alloc &) {
    return PRT_ERR_OUT_OF_MEMORY;
  }
  return PRT_SUCCESS;
}

int32_t EnsureRoom(PrtCommandContext &ctx, uint32_t needed) {
  uint32_t room = ctx.capacity() - ctx.used;
  return needed <= room ? PRT_SUCCESS : GrowCommandBuffer(ctx, needed - room);
}

}  // namespace prt
