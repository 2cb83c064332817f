#include "device_io.h"

namespace ravo::app {

bool WriteFully(pappl_device_t *device, std::span<const uint8_t> bytes) {
  papplDeviceFlush(device);
  pappl_devmetrics_t before{};
  papplDeviceGetMetrics(device, &before);
  if (papplDeviceWrite(device, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    return false;
  }
  papplDeviceFlush(device);
  pappl_devmetrics_t after{};
  papplDeviceGetMetrics(device, &after);
  return after.write_bytes - before.write_bytes == bytes.size();
}

}  // namespace ravo::app
