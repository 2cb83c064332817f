// How long an ESC/POS command is: the parser must know where a command and
// its raw data end before it can look for the next one.  Only the shape of
// each command is known here; what it does is the receipt's business.
#pragma once

#include <cstddef>
#include <string_view>

namespace ravo::sim {

struct EscPosExtent {
  enum class Status {
    kComplete,  // header and data lengths are known
    kNeedMore,  // the header is not all there yet
    kUnknown,   // no such command: header covers the bytes to drop
    kTooLong,   // a known command whose data passes max_data
  };
  Status status = Status::kUnknown;
  size_t header = 0;  // bytes of the command and its parameters
  size_t data = 0;    // raw bytes that follow the header
};

// True for the bytes that begin an ESC/POS command: ESC, FS, GS and DLE.
bool IsEscPosIntroducer(unsigned char c);

// Measures the command at the start of bytes (which begins with an
// introducer).  Data longer than max_data gives kTooLong with the length
// filled in, so that the caller can skip it.
EscPosExtent MeasureEscPos(std::string_view bytes, size_t max_data);

}  // namespace ravo::sim
