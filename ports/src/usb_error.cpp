#include "usb_error.h"

#include "ravoio.h"

namespace ravo::io {

int32_t UsbErrorCode(int libusbError) {
  constexpr int kLastKnown = -12;  // LIBUSB_ERROR_NOT_SUPPORTED
  if (libusbError >= 0) return RAVO_IO_OK;
  if (libusbError >= kLastKnown) return RAVO_IO_ERR_LIBUSB_BASE + libusbError;
  return RAVO_IO_ERR_LIBUSB_BASE - 99;
}

}  // namespace ravo::io
