#include "port_address.h"

#include <charconv>
#include <vector>

#include "ravoio.h"

namespace ravo::io {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char &c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && Upper(s.substr(0, prefix.size())) == prefix;
}

template <typename T>
bool ParseNumber(std::string_view s, T &value, int base = 10) {
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  return ec == std::errc() && end == s.data() + s.size();
}

std::vector<std::string_view> SplitCommas(std::string_view s) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    size_t comma = s.find(',', start);
    parts.push_back(s.substr(start, comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return parts;
}

// Applies one TIMEOUT_/WTIMEOUT_/CTIMEOUT_ option; false when `part` is none.
bool ApplyTimeoutOption(std::string_view part, PortAddress &target, int32_t &rc) {
  struct Option {
    std::string_view prefix;
    uint32_t PortAddress::*field;
  };
  static constexpr Option kOptions[] = {{"TIMEOUT_", &PortAddress::readTimeoutMs},
                                        {"WTIMEOUT_", &PortAddress::writeTimeoutMs},
                                        {"CTIMEOUT_", &PortAddress::connectTimeoutMs}};
  for (const Option &opt : kOptions) {
    if (!StartsWithNoCase(part, opt.prefix)) continue;
    uint32_t ms = 0;
    if (!ParseNumber(part.substr(opt.prefix.size()), ms) || ms > 600000) {
      rc = RAVO_IO_ERR_INVALID_SETTING;
    } else {
      target.*opt.field = ms;
    }
    return true;
  }
  return false;
}

int32_t ParseNet(std::string_view address, PortAddress &target) {
  target.kind = PortKind::Net;
  size_t colon = address.rfind(':');
  std::string_view host = address.substr(0, colon);
  if (colon != std::string_view::npos) {
    uint32_t port = 0;
    if (!ParseNumber(address.substr(colon + 1), port) || port == 0 || port > 65535) {
      return RAVO_IO_ERR_INVALID_SETTING;
    }
    target.tcpPort = static_cast<uint16_t>(port);
  }
  if (host.empty()) return RAVO_IO_ERR_INVALID_SETTING;
  target.host = std::string(host);
  return RAVO_IO_OK;
}

int32_t ParseUsbSelector(std::string_view sel, PortAddress &target) {
  if (StartsWithNoCase(sel, "SN_")) {
    target.usb.serial = std::string(sel.substr(3));
    return target.usb.serial.empty() ? RAVO_IO_ERR_USB_PATH : RAVO_IO_OK;
  }
  // VID_xxxx&PID_yyyy, optionally followed by &SN_serial
  std::string up = Upper(sel);
  if (up.size() > 17 && up.compare(17, 4, "&SN_") == 0) {
    target.usb.serial = std::string(sel.substr(21));
    if (target.usb.serial.empty()) return RAVO_IO_ERR_USB_PATH;
    up.resize(17);
  }
  if (up.size() != 17 || up.compare(0, 4, "VID_") != 0 || up.compare(8, 5, "&PID_") != 0) {
    return RAVO_IO_ERR_USB_PATH;
  }
  if (!ParseNumber(std::string_view(up).substr(4, 4), target.usb.vendor, 16) ||
      !ParseNumber(std::string_view(up).substr(13, 4), target.usb.product, 16)) {
    return RAVO_IO_ERR_USB_PATH;
  }
  target.usb.byId = true;
  return RAVO_IO_OK;
}

// "COM3" -> /dev/ttyS2, "ttyUSB0" -> /dev/ttyUSB0, "/dev/pts/3" as is.
bool SerialDevice(std::string_view name, std::string &device) {
  uint32_t n = 0;
  if (StartsWithNoCase(name, "COM") && ParseNumber(name.substr(3), n) && n >= 1 && n <= 256) {
    device = "/dev/ttyS" + std::to_string(n - 1);
    return true;
  }
  if (!name.empty() && name.front() == '/') {
    device = std::string(name);
    return true;
  }
  if (StartsWithNoCase(name, "TTY") && name.find('/') == std::string_view::npos) {
    device = "/dev/" + std::string(name);
    return true;
  }
  return false;
}

bool ParallelDevice(std::string_view name, std::string &device) {
  uint32_t n = 0;
  if (StartsWithNoCase(name, "LPT") && ParseNumber(name.substr(3), n) && n >= 1 && n <= 64) {
    device = "/dev/lp" + std::to_string(n - 1);
    return true;
  }
  return false;
}

int32_t ParseBaud(std::string_view part, PortAddress &target) {
  uint32_t baud = 0;
  if (!ParseNumber(part.substr(9), baud)) return RAVO_IO_ERR_BAUDRATE;
  static constexpr uint32_t kRates[] = {4800, 9600, 19200, 38400, 57600, 115200};
  for (uint32_t rate : kRates) {
    if (rate == baud) {
      target.baudRate = baud;
      return RAVO_IO_OK;
    }
  }
  return RAVO_IO_ERR_BAUDRATE;
}

// Address part (first field) plus the fields that belong to it.
int32_t ParseAddress(const std::vector<std::string_view> &parts, size_t &next,
                     PortAddress &target) {
  std::string_view head = parts[0];
  std::string upHead = Upper(head);
  if (upHead == "NET") {
    if (parts.size() < 2) return RAVO_IO_ERR_INVALID_SETTING;
    next = 2;
    return ParseNet(parts[1], target);
  }
  if (upHead == "USB") {
    target.kind = PortKind::Usb;
    next = 1;
    if (parts.size() > 1 && !StartsWithNoCase(parts[1], "TIMEOUT_") &&
        !StartsWithNoCase(parts[1], "WTIMEOUT_") && !StartsWithNoCase(parts[1], "CTIMEOUT_")) {
      next = 2;
      return ParseUsbSelector(parts[1], target);
    }
    return RAVO_IO_OK;
  }
  if (ParallelDevice(head, target.device)) {
    target.kind = PortKind::Parallel;
    next = 1;
    return RAVO_IO_OK;
  }
  if (SerialDevice(head, target.device)) {
    next = 1;
    bool hasBaud = parts.size() > 1 && StartsWithNoCase(parts[1], "BAUDRATE_");
    // An absolute path without a baud rate is taken as a parallel device.
    if (!hasBaud && head.front() == '/') {
      target.kind = PortKind::Parallel;
      return RAVO_IO_OK;
    }
    target.kind = PortKind::Serial;
    if (!hasBaud) return RAVO_IO_OK;
    next = 2;
    return ParseBaud(parts[1], target);
  }
  return RAVO_IO_ERR_INVALID_SETTING;
}

}  // namespace

int32_t ParsePortAddress(std::string_view name, PortAddress &target) {
  if (name.size() > RAVO_IO_MAX_NAME) return RAVO_IO_ERR_NAME_TOO_LONG;
  if (name.empty()) return RAVO_IO_ERR_INVALID_SETTING;
  std::vector<std::string_view> parts = SplitCommas(name);
  size_t next = 0;
  int32_t rc = ParseAddress(parts, next, target);
  for (size_t i = next; rc == RAVO_IO_OK && i < parts.size(); ++i) {
    if (!ApplyTimeoutOption(parts[i], target, rc)) rc = RAVO_IO_ERR_INVALID_SETTING;
  }
  return rc;
}

}  // namespace ravo::io
