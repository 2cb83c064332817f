#include "prt_session.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace ravo::utility {
namespace {

std::u16string Wide(const QString &text) {
  return text.toStdU16String();
}

const PrtWChar *WidePtr(const std::u16string &text) {
  return reinterpret_cast<const PrtWChar *>(text.c_str());
}

}  // namespace

int32_t PrtSession::CreatePrinter(const QString &model) {
  if (handle_ != nullptr) lib_.destroy(handle_);
  handle_ = nullptr;
  const std::u16string name = Wide(model);
  PrtHandle created = nullptr;
  const int32_t result = lib_.creatorW(&created, WidePtr(name));
  if (result == PRT_SUCCESS) handle_ = created;
  return result;
}

int32_t PrtSession::OpenPort(const QString &port) {
  if (handle_ == nullptr) return PRT_ERR_INVALID_HANDLE;
  const std::u16string name = Wide(port);
  return lib_.portOpenW(handle_, WidePtr(name));
}

int32_t PrtSession::ClosePort() {
  if (handle_ == nullptr) return PRT_ERR_INVALID_HANDLE;
  return lib_.portClose(handle_);
}

int32_t PrtSession::WriteData(const uint8_t *bytes, int32_t count) {
  if (handle_ == nullptr) return PRT_ERR_INVALID_HANDLE;
  return lib_.writeData(handle_, bytes, count);
}

int32_t PrtSession::ReadData(uint8_t *buffer, int32_t length, int32_t &count) {
  count = 0;
  if (handle_ == nullptr) return PRT_ERR_INVALID_HANDLE;
  const int32_t result = lib_.readData(handle_, buffer, length, &count);
  count = std::clamp(count, 0, std::max(length, 0));
  return result;
}

int32_t PrtSession::ReadDataEOF(uint8_t *buffer, int32_t start, int32_t end, uint8_t beginByte,
                                uint8_t endByte, int32_t &stored) {
  stored = 0;
  if (handle_ == nullptr) return PRT_ERR_INVALID_HANDLE;
  return lib_.readDataEOF(handle_, buffer, start, end, beginByte, endByte, &stored);
}

int32_t PrtSession::ReadRetry(uint8_t *buffer, int32_t length, int32_t &count, int pauseMs,
                              int attempts) {
  count = 0;
  int32_t result = PRT_SUCCESS;
  if (buffer == nullptr || length <= 0) return PRT_ERR_PARAMETER;
  std::vector<uint8_t> scratch(static_cast<size_t>(length));
  for (int attempt = 0; attempt < attempts && count < length; ++attempt) {
    int32_t got = 0;
    result = ReadData(scratch.data(), length - count, got);
    std::memcpy(buffer + count, scratch.data(), static_cast<size_t>(got));
    count += got;
    if (count < length) std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
  }
  return result;
}

}  // namespace ravo::utility
