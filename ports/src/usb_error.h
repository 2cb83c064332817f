// libusb error numbers as port-library result codes.
#pragma once

#include <cstdint>

namespace ravo::io {

// 0 stays 0; libusb error e (-1 ... -12) becomes -1100 + e; anything else
// libusb may report (-99 and numbers it adds later) becomes -1199.
int32_t UsbErrorCode(int libusbError);

}  // namespace ravo::io
