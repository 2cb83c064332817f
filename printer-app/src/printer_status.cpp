#include "printer_status.h"

#include <array>
#include <string_view>

#include "device_io.h"
#include "device_uri.h"

namespace ravo::app {
namespace {

constexpr uint8_t kHeadOpen = 0x01;
constexpr uint8_t kPaperJam = 0x02;
constexpr uint8_t kOutOfPaper = 0x04;
constexpr uint8_t kOutOfRibbon = 0x08;
constexpr uint8_t kOtherError = 0x80;
constexpr std::array<uint8_t, 3> kQuery = {0x1B, '!', '?'};

}  // namespace

pappl_preason_t ReasonsForTsplStatus(uint8_t status) {
  pappl_preason_t reasons = PAPPL_PREASON_NONE;
  if ((status & kHeadOpen) != 0) reasons |= PAPPL_PREASON_COVER_OPEN;
  if ((status & kPaperJam) != 0) reasons |= PAPPL_PREASON_MEDIA_JAM;
  if ((status & kOutOfPaper) != 0) reasons |= PAPPL_PREASON_MEDIA_EMPTY;
  if ((status & kOutOfRibbon) != 0) reasons |= PAPPL_PREASON_MARKER_SUPPLY_EMPTY;
  if ((status & kOtherError) != 0) reasons |= PAPPL_PREASON_OTHER;
  return reasons;
}

bool StopsPrinting(pappl_preason_t reasons) {
  return (reasons & kStatusReasons) != 0;
}

StatusAnswer QueryTsplStatus(pappl_device_t *device) {
  StatusAnswer answer;
  answer.reached = WriteFully(device, kQuery);
  if (!answer.reached) return answer;
  uint8_t status = 0;
  const ssize_t n = papplDeviceRead(device, &status, 1);
  if (n == 1) answer.status = status;
  if (n == 0) answer.reached = false;  // the printer closed the connection
  return answer;
}

bool CanAnswer(const char *deviceUri) {
  return deviceUri != nullptr && !std::string_view(deviceUri).starts_with(kParallelScheme);
}

}  // namespace ravo::app
