// TSPL_GetSN (request and answer) and TSPL_GetDllVersion.
#include <array>
#include <chrono>
#include <cstring>
#include <thread>

#include "heron.h"
#include "tspl_command.h"

namespace {

constexpr auto kAnswerPause = std::chrono::milliseconds(20);

}  // namespace

extern "C" PRT_API int32_t TSPL_GetSN(PrtHandle handle, char *serial) {
  if (serial == nullptr) {
    // Handle and port problems still take precedence over the argument.
    int32_t rc = prt::WithOpenPrinter(handle, [](PrtPrinter &) { return PRT_SUCCESS; });
    return rc != PRT_SUCCESS ? rc : PRT_ERR_PARAMETER;
  }
  int32_t rc = heron::RunFixedLine(handle, "ZZZGETSN\r\n");
  if (rc != PRT_SUCCESS) return rc;
  std::this_thread::sleep_for(kAnswerPause);
  std::array<uint8_t, TSPL_SN_SIZE> answer{};
  int32_t stored = 0;
  rc = PrtReadDataEOF(handle, answer.data(), 0, TSPL_SN_SIZE, 0, 0, &stored);
  // The first byte is not part of the number; the rest is copied up to its
  // NUL, and the copy always ends with a NUL inside the caller's 32 bytes.
  const char *number = reinterpret_cast<const char *>(answer.data() + 1);
  const size_t length = strnlen(number, TSPL_SN_SIZE - 1);
  std::memcpy(serial, number, length);
  serial[length] = '\0';
  return rc;
}

extern "C" PRT_API int32_t TSPL_GetDllVersion(void) {
  return TSPL_DLL_VERSION;
}
