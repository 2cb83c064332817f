// The printer's 256-byte parameter record: marker, fields, 16-bit sum.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "persona.h"

namespace ravo::sim {

using ParamBlock = std::array<uint8_t, 256>;

inline constexpr uint8_t kBlockMarker = 0x78;

// Sum of bytes 0..253, modulo 65536.
uint16_t BlockSum(std::span<const uint8_t> block);

// Writes the sum into bytes 254 (low) and 255 (high).
void SealBlock(ParamBlock &block);

// Marker present and stored sum matches.
bool BlockIsValid(std::span<const uint8_t> block);

// The factory block of a family, sealed.
ParamBlock DefaultBlock(Family family);

}  // namespace ravo::sim
