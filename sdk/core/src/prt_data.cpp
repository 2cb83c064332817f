// Exported raw write and read functions of the Prt family.
#include <chrono>
#include <thread>
#include <vector>

#include "c_boundary.h"
#include "prt.h"

using namespace prt;

namespace {

constexpr int kEofReads = 11;
constexpr auto kEofPause = std::chrono::milliseconds(20);
// Bytes taken off the port per call; the caller's room may be gigabytes.
constexpr uint32_t kEofPiece = 4096;

struct EofState {
  bool started = false;
  bool found = false;
  uint32_t stored = 0;
};

// Walks one chunk: skips to the begin byte, stores up to the end byte.
void WalkChunk(std::span<const uint8_t> chunk, std::span<uint8_t> out, uint8_t beginByte,
               uint8_t endByte, EofState &st) {
  for (uint8_t byte : chunk) {
    if (!st.started) {
      st.started = byte == beginByte;
      continue;
    }
    if (st.stored < out.size()) out[st.stored++] = byte;
    if (byte == endByte) {
      st.found = true;
      return;
    }
  }
}

// One read of the loop: what has arrived, up to `room` bytes, taken in
// scratch-sized pieces for as long as pieces come back full.
int32_t TakeAvailable(IoPort *port, std::span<uint8_t> scratch, uint32_t room,
                      std::span<uint8_t> out, uint8_t beginByte, uint8_t endByte, EofState &st) {
  uint32_t taken = 0;
  while (taken < room && !st.found) {
    const uint32_t want = std::min<uint32_t>(room - taken, static_cast<uint32_t>(scratch.size()));
    uint32_t count = 0;
    const int32_t rc = port->readChunk(port, scratch.data(), 0, want, &count);
    if (rc != 0) return rc;
    count = std::min(count, want);
    WalkChunk(scratch.first(count), out, beginByte, endByte, st);
    taken += count;
    if (count < want) break;
  }
  return 0;
}

}  // namespace

extern "C" PRT_API int32_t PrtWriteData(PrtHandle handle, const uint8_t *data, int32_t length) {
  return WithOpenPrinter(handle, [&](PrtPrinter &p) -> int32_t {
    if (length < 0 || (data == nullptr && length > 0)) return PRT_ERR_PARAMETER;
    uint32_t written = 0;
    return p.port->write(p.port, data, 0, static_cast<uint32_t>(length), &written);
  });
}

extern "C" PRT_API int32_t PrtReadData(PrtHandle handle, uint8_t *buffer, int32_t length,
                                       int32_t *received) {
  if (received != nullptr) *received = 0;
  return WithOpenPrinter(handle, [&](PrtPrinter &p) -> int32_t {
    if (received == nullptr || length < 0 || (buffer == nullptr && length > 0)) {
      return PRT_ERR_PARAMETER;
    }
    uint32_t count = 0;
    int32_t rc = p.port->read(p.port, buffer, 0, static_cast<uint32_t>(length), &count);
    // Never report more than the caller's buffer holds, whatever the port says.
    *received = static_cast<int32_t>(std::min<uint32_t>(count, static_cast<uint32_t>(length)));
    return rc;
  });
}

extern "C" PRT_API int32_t PrtReadDataEOF(PrtHandle handle, uint8_t *buffer, int32_t start,
                                          int32_t end, uint8_t beginByte, uint8_t endByte,
                                          int32_t *stored) {
  if (stored != nullptr) *stored = 0;
  return WithOpenPrinter(handle, [&](PrtPrinter &p) -> int32_t {
    if (buffer == nullptr || stored == nullptr || start < 0 || end < start) {
      return PRT_ERR_PARAMETER;
    }
    const uint32_t room = static_cast<uint32_t>(end - start);
    std::span<uint8_t> out(buffer + start, room);
    std::vector<uint8_t> scratch(std::min(room, kEofPiece));
    EofState st;
    st.started = beginByte == 0;
    int32_t rc = 0;
    for (int i = 0; i < kEofReads && rc == 0 && !st.found; ++i) {
      if (i > 0) std::this_thread::sleep_for(kEofPause);
      rc = TakeAvailable(p.port, scratch, room, out, beginByte, endByte, st);
    }
    *stored = static_cast<int32_t>(st.stored);
    if (st.found) return PRT_SUCCESS;
    return rc != 0 ? rc : PRT_ERR_READ_TIMEOUT;
  });
}
