// The descriptors of an emulated printer and its umockdev device record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "emulated_usb.h"

namespace ravo::usbtest {

inline constexpr uint8_t kEndpointOut = 0x01;
inline constexpr uint8_t kEndpointIn = 0x82;

// The interface number of the printer function.
int PrinterInterfaceNumber(const UsbPrinterProfile &profile);

std::vector<uint8_t> DeviceDescriptor(const UsbPrinterProfile &profile);
std::vector<uint8_t> ConfigDescriptor(const UsbPrinterProfile &profile);
// String descriptor `index` (0: the language list); nothing when the device
// has no such string.
std::optional<std::vector<uint8_t>> StringDescriptor(const UsbPrinterProfile &profile,
                                                     uint8_t index);

// The device as umockdev-record would write it: sysfs attributes (among
// them the "descriptors" file libusb reads) and udev properties.
std::string DeviceRecord(const UsbPrinterProfile &profile, const std::string &devicePath,
                         int address);

}  // namespace ravo::usbtest
