// Names of enumerated ports and the caller-owned list they are packed into.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravo::io {

// "COM3:" for /dev/ttyS2, "ttyUSB0:" for /dev/ttyUSB0, the path plus ":"
// for any other device, so that the name without its colon is again a
// serial port string.
std::string SerialPortName(std::string_view devicePath);

// "LPT1:" for the /dev entry "lp0"; nothing for other entries or numbers
// beyond what port strings accept.
std::optional<std::string> ParallelPortName(std::string_view entry);

// COMn names by number first, then the rest by name.
void SortPortNames(std::vector<std::string> &names);

// Packs `names` as NUL-terminated strings followed by one more NUL.  Sets
// *needed (bytes required) and *count (names) when not null.  Returns 0, or
// -2 when buffer is null or smaller than needed (nothing written then).
int32_t PackNames(const std::vector<std::string> &names, char *buffer, uint32_t size,
                  uint32_t *needed, uint32_t *count);

}  // namespace ravo::io
