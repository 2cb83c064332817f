#include "param_block.h"

#include "mdl_function.h"

namespace ravo::utility::param {

void SealParameterBlock(ParameterBlock &block) {
  const uint16_t sum = mdlFunction::Checksum16(block.data(), 254);
  block[254] = static_cast<uint8_t>(sum & 0xFF);
  block[255] = static_cast<uint8_t>(sum >> 8);
}

bool ChecksumMatches(const ParameterBlock &block) {
  const uint16_t sum = mdlFunction::Checksum16(block.data(), 254);
  return block[254] == (sum & 0xFF) && block[255] == (sum >> 8);
}

bool IsSoundBlock(const ParameterBlock &block) {
  return block[0] == kBlockMarker && ChecksumMatches(block);
}

}  // namespace ravo::utility::param
