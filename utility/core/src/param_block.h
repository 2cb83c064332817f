// The printer's 256-byte parameter block: marker 0x78 in byte 0, the
// family's fields in bytes 1 ... 253, and the 16-bit sum of bytes 0 ... 253
// in bytes 254 (low) and 255 (high).
#pragma once

#include <array>
#include <cstdint>

namespace ravo::utility::param {

using ParameterBlock = std::array<uint8_t, 256>;

inline constexpr uint8_t kBlockMarker = 0x78;
inline constexpr int kBlockSize = 256;

// Stores the sum of bytes 0 ... 253 into bytes 254 (low) and 255 (high).
void SealParameterBlock(ParameterBlock &block);

// True when bytes 254 and 255 hold the sum of bytes 0 ... 253.
bool ChecksumMatches(const ParameterBlock &block);

// Marker and checksum both right.
bool IsSoundBlock(const ParameterBlock &block);

}  // namespace ravo::utility::param
