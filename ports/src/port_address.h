// Parsing of port strings into a transport-neutral description.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ravo::io {

enum class PortKind { Net, Usb, Serial, Parallel };

struct UsbSelector {
  bool byId = false;
  uint16_t vendor = 0;
  uint16_t product = 0;
  std::string serial;  // empty: any serial number
};

struct PortAddress {
  PortKind kind = PortKind::Net;
  std::string host;  // Net
  uint16_t tcpPort = 9100;
  std::string device;  // Serial, Parallel: absolute device path
  uint32_t baudRate = 9600;
  UsbSelector usb;
  uint32_t readTimeoutMs = 1000;
  uint32_t writeTimeoutMs = 5000;
  uint32_t connectTimeoutMs = 3000;
};

// Parses `name`; returns 0 and fills `target`, or a RAVO_IO_ERR_* code.
int32_t ParsePortAddress(std::string_view name, PortAddress &target);

}  // namespace ravo::io
