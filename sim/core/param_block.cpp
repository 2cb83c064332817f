#include "param_block.h"

namespace ravo::sim {
namespace {

void Put16(ParamBlock &b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v & 0xFF);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void PutIp(ParamBlock &b, size_t at, uint8_t a, uint8_t c, uint8_t d, uint8_t e) {
  b[at] = a;
  b[at + 1] = c;
  b[at + 2] = d;
  b[at + 3] = e;
}

// Lengths are stored in dots at 8 dots per millimetre.
constexpr uint16_t Mm(int mm) {
  return static_cast<uint16_t>(mm * 8);
}

void FillTqx(ParamBlock &b) {
  b[4] = 0;            // 9600 baud
  b[34] = 8;           // density
  b[55] = 0;           // code page "Default"
  b[56] = 0;           // U.S.A.
  b[58] = 1;           // paper kind: label
  b[59] = 1;           // judged as label
  b[61] = 1;           // TSC protocol
  Put16(b, 62, 1862);  // 1.5 V gap/label difference
  Put16(b, 64, Mm(10));
  b[66] = 50;
  b[67] = 1;
  Put16(b, 68, Mm(20));
  Put16(b, 70, Mm(300));
  b[82] = 1;
  Put16(b, 90, 0);
  b[92] = 4;
}

void FillNetworked(ParamBlock &b) {
  b[83] = 1;
  b[84] = 1;  // DHCP
  PutIp(b, 88, 192, 168, 1, 100);
  PutIp(b, 92, 255, 255, 255, 0);
  PutIp(b, 96, 192, 168, 1, 1);
  b[100] = 1;
  b[101] = 0;
}

void FillTqm(ParamBlock &b) {
  b[4] = 0;
  b[34] = 8;
  b[55] = 0;
  b[56] = 0;
  b[58] = 1;
  Put16(b, 68, Mm(20));
  Put16(b, 70, Mm(300));
  FillNetworked(b);
  b[105] = 0;
  b[107] = 0;
  b[113] = 0;
  b[114] = 10;
  Put16(b, 130, 0);
  b[132] = 4;
  Put16(b, 134, Mm(10));
}

void FillHmz(ParamBlock &b) {
  b[34] = 8;
  b[55] = 0;
  b[58] = 1;
  b[59] = 1;
  Put16(b, 70, Mm(300));
  b[76] = 0;
  FillNetworked(b);
  b[104] = 10;
  b[126] = 4;
  Put16(b, 128, 0);
}

void FillQ73(ParamBlock &b) {
  b[8] = 40;
  b[12] = 0;
  b[14] = 0;
  b[52] = 0;
  b[57] = 8;
  b[58] = 0;
  b[68] = 2;
  b[69] = 2;
  b[76] = 1;
  b[78] = 4;
  b[79] = 0;
  b[80] = 0;
  b[82] = 10;
  Put16(b, 84, 0);
}

}  // namespace

uint16_t BlockSum(std::span<const uint8_t> block) {
  uint32_t sum = 0;
  for (size_t i = 0; i < 254 && i < block.size(); ++i) sum += block[i];
  return static_cast<uint16_t>(sum & 0xFFFF);
}

void SealBlock(ParamBlock &block) {
  Put16(block, 254, BlockSum(block));
}

bool BlockIsValid(std::span<const uint8_t> block) {
  if (block.size() != 256 || block[0] != kBlockMarker) return false;
  const uint16_t sum = BlockSum(block);
  return block[254] == (sum & 0xFF) && block[255] == (sum >> 8);
}

ParamBlock DefaultBlock(Family family) {
  ParamBlock b{};
  b[0] = kBlockMarker;
  switch (family) {
    case Family::kTqx:
    case Family::kEsc:
      FillTqx(b);
      break;
    case Family::kTqm:
      FillTqm(b);
      break;
    case Family::kTgv:
      FillTqm(b);
      b[76] = 0;  // direct thermal
      break;
    case Family::kHmz:
      FillHmz(b);
      break;
    case Family::kQ73:
      FillQ73(b);
      break;
  }
  SealBlock(b);
  return b;
}

}  // namespace ravo::sim
