#include "esc_raster.h"

#include <algorithm>
#include <array>
#include <span>

#include "command_buffer.h"

namespace ravo::app {
namespace {

constexpr std::array<uint8_t, 2> kInitialize = {0x1B, 0x40};
constexpr std::array<uint8_t, 7> kFeedAndCut = {0x1B, 0x64, 0x03, 0x1D, 0x56, 0x42, 0x00};

uint8_t Low(uint32_t value) {
  return static_cast<uint8_t>(value & 0xFF);
}
uint8_t High(uint32_t value) {
  return static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

int32_t AppendEscPage(prt::PrtCommandContext &ctx, const PageRaster &page) {
  const uint32_t rowBytes = page.rowBytes();
  const uint32_t bands = (page.height + kEscBandRows - 1) / kEscBandRows;
  const uint64_t total =
      kInitialize.size() + kFeedAndCut.size() + uint64_t{bands} * 8 + page.bits.size();
  if (total > UINT32_MAX) return PRT_ERR_OUT_OF_MEMORY;
  int32_t rc = prt::EnsureRoom(ctx, static_cast<uint32_t>(total));
  if (rc != PRT_SUCCESS) return rc;
  prt::AppendCommand(ctx, kInitialize);
  for (uint32_t top = 0; rowBytes > 0 && top < page.height; top += kEscBandRows) {
    const uint32_t rows = std::min(kEscBandRows, page.height - top);
    const std::array<uint8_t, 8> header = {0x1D,          0x76,           0x30,      0x00,
                                           Low(rowBytes), High(rowBytes), Low(rows), High(rows)};
    prt::AppendCommand(ctx, header);
    prt::AppendCommand(ctx, std::span(page.row(top), static_cast<size_t>(rows) * rowBytes));
  }
  return prt::AppendCommand(ctx, kFeedAndCut);
}

}  // namespace ravo::app
