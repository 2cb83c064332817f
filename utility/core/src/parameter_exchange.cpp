#include "parameter_exchange.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_printer_lib_tspl.h"

namespace mdlPrinterLib_TSPL {
namespace {

constexpr uint8_t kProbe[] = {0x1B, 0x1B, 0x08};
constexpr uint8_t kZzzRead[] = {'Z', 'Z', 'Z', 'C', 'R', '\n'};
constexpr uint8_t kZzzWrite[] = {'Z', 'Z', 'Z', 'C', 'W', ' '};
constexpr uint8_t kDc2Read[] = {0x12, 0x62};
constexpr uint8_t kDc2Write[] = {0x12, 0x63};

void Pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

template <size_t N>
int32_t Write(const uint8_t (&bytes)[N]) {
  return TsplWriteData(bytes, static_cast<int32_t>(N));
}

BlockResult Failure(const char *key, int32_t code) {
  return BlockResult{false, QLatin1String(key), code};
}

// The bytes checked against the block's checksum field.
bool ChecksumMatches(const ParameterBlock &block) {
  const uint16_t sum = mdlFunction::Checksum16(block.data(), 254);
  return block[254] == (sum & 0xFF) && block[255] == (sum >> 8);
}

}  // namespace

QString BlockResult::StatusText() const {
  return ok ? QStringLiteral("OK") : mdlGlobal::GetLangString(messageKey);
}

uint8_t QueryCommandMode() {
  if (Write(kProbe) != 0) return 0;
  Pause(100);
  uint8_t answer = 0;
  int32_t count = 0;
  const int32_t result = TsplReadData(&answer, 1, count);
  return result == 0 && count >= 1 ? answer : 0;
}

BlockResult ReadParameterBlock(ParameterBlock &block) {
  const int32_t opened = TsplOpenPort(mdlGlobal::SelectedPort);
  if (opened != 0) return Failure("_Err_OpenPort", opened);
  const bool zzz = mdlGlobal::CommandModeFlag != 0;
  const int32_t written = zzz ? Write(kZzzRead) : Write(kDc2Read);
  if (written != 0) {
    TsplClosePort();
    return Failure("_Err_WriteData", written);
  }
  Pause(200);
  ParameterBlock buffer{};
  int32_t received = 0;
  int32_t result = TsplReadRetry(buffer.data(), 256, received, 100, 2);
  Pause(50);
  if (buffer[254] == 0 && buffer[255] == 0 && received < 256) {
    int32_t more = 0;
    result = TsplReadRetry(buffer.data() + received, 256 - received, more, 100, 2);
    received += more;
  }
  TsplClosePort();
  // Unreceived bytes stay 0, so no answer at all fails on the marker.
  if (buffer[0] != kBlockMarker) return Failure("_Err_ReadData", result);
  if (!ChecksumMatches(buffer)) return Failure("_Err_CheckSum", 0);
  block = buffer;
  return {};
}

void SealParameterBlock(ParameterBlock &block) {
  const uint16_t sum = mdlFunction::Checksum16(block.data(), 254);
  block[254] = static_cast<uint8_t>(sum & 0xFF);
  block[255] = static_cast<uint8_t>(sum >> 8);
}

BlockResult WriteParameterBlock(ParameterBlock &block) {
  const int32_t opened = TsplOpenPort(mdlGlobal::SelectedPort);
  if (opened != 0) return Failure("_Err_OpenPort", opened);
  SealParameterBlock(block);
  const bool zzz = mdlGlobal::CommandModeFlag != 0;
  int32_t written = zzz ? Write(kZzzWrite) : Write(kDc2Write);
  if (written == 0) {
    Pause(20);
    written = TsplWriteData(block.data(), static_cast<int32_t>(block.size()));
  }
  TsplClosePort();
  if (written != 0) return Failure("_Err_ParaSet", written);
  return {};
}

}  // namespace mdlPrinterLib_TSPL
