// Writing to a PAPPL device and knowing whether the bytes arrived.
#pragma once

#include <pappl/pappl.h>

#include <cstdint>
#include <span>

namespace ravo::app {

// Writes and flushes `bytes`; true when every byte reached the device.
// PAPPL buffers small writes and its flush reports nothing, so success is
// read from the device's count of bytes written.
bool WriteFully(pappl_device_t *device, std::span<const uint8_t> bytes);

}  // namespace ravo::app
