#include "ravo_device.h"

#include <pappl/pappl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device_uri.h"
#include "ravoio.h"

namespace ravo::app {
namespace {

// A status answer comes within a second or not at all; each write has the
// port library's own time limit, so a large job goes in pieces that fit it
// even at 4800 baud.
constexpr const char *kPortOptions = ",TIMEOUT_1000";
constexpr size_t kWritePiece = 256;

struct PortDeleter {
  void operator()(IoPort *port) const { ravo_io_port_destroy(port); }
};
using PortPtr = std::unique_ptr<IoPort, PortDeleter>;

IoPort *PortOf(pappl_device_t *device) {
  return static_cast<IoPort *>(papplDeviceGetData(device));
}

bool OpenDevice(pappl_device_t *device, const char *uri, const char *) {
  const auto portString = PortStringForUri(uri);
  if (!portString) {
    papplDeviceError(device, "Unsupported device URI \"%s\".", uri);
    return false;
  }
  IoPort *created = nullptr;
  int32_t rc = ravo_io_port_creator(&created, (*portString + kPortOptions).c_str());
  PortPtr port(created);
  if (rc != RAVO_IO_OK) {
    papplDeviceError(device, "Port \"%s\" not understood: %d.", portString->c_str(), rc);
    return false;
  }
  rc = port->open(port.get());
  if (rc != RAVO_IO_OK) {
    papplDeviceError(device, "Port \"%s\" cannot be opened: %d.", portString->c_str(), rc);
    return false;
  }
  papplDeviceSetData(device, port.release());
  return true;
}

void CloseDevice(pappl_device_t *device) {
  PortPtr port(PortOf(device));
  papplDeviceSetData(device, nullptr);
}

ssize_t ReadDevice(pappl_device_t *device, void *buffer, size_t bytes) {
  IoPort *port = PortOf(device);
  uint32_t received = 0;
  const auto length = static_cast<uint32_t>(std::min<size_t>(bytes, UINT32_MAX));
  // Nothing within the read timeout is -1, as on PAPPL's own devices (0
  // would mean the line closed).
  if (port->read(port, static_cast<uint8_t *>(buffer), 0, length, &received) != RAVO_IO_OK ||
      received == 0) {
    return -1;
  }
  return received;
}

ssize_t WriteDevice(pappl_device_t *device, const void *buffer, size_t bytes) {
  IoPort *port = PortOf(device);
  const auto *data = static_cast<const uint8_t *>(buffer);
  for (size_t at = 0; at < bytes; at += kWritePiece) {
    const auto piece = static_cast<uint32_t>(std::min(kWritePiece, bytes - at));
    uint32_t written = 0;
    if (port->write(port, data + at, 0, piece, &written) != RAVO_IO_OK) {
      papplDeviceError(device, "Write to the port failed.");
      return -1;
    }
  }
  return static_cast<ssize_t>(bytes);
}

pappl_preason_t DeviceStatus(pappl_device_t *) {
  return PAPPL_PREASON_NONE;
}

char *DeviceId(pappl_device_t *, char *buffer, size_t bufsize) {
  if (bufsize > 0) buffer[0] = '\0';
  return nullptr;
}

// The names of ports of one kind ("COM" or "LPT") present now.
std::vector<std::string> PortNames(const char *kind) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    uint32_t needed = 0;
    ravo_io_enum_ports(kind, nullptr, 0, &needed, nullptr);
    std::vector<char> buffer(std::max<uint32_t>(needed, 1));
    if (ravo_io_enum_ports(kind, buffer.data(), static_cast<uint32_t>(buffer.size()), &needed,
                           nullptr) != RAVO_IO_OK) {
      continue;  // the list grew between the two calls
    }
    std::vector<std::string> names;
    for (const char *name = buffer.data(); *name != '\0'; name += std::strlen(name) + 1) {
      names.emplace_back(name);
    }
    return names;
  }
  return {};
}

template <typename ToUri>
bool ListPorts(const char *kind, const char *label, ToUri toUri, pappl_device_cb_t cb, void *data) {
  for (const std::string &name : PortNames(kind)) {
    const std::optional<std::string> uri = toUri(name);
    if (!uri) continue;
    const std::string info = std::string(label) + " " + name.substr(0, name.size() - 1);
    if (cb(info.c_str(), uri->c_str(), "", data)) return true;
  }
  return false;
}

bool ListSerial(pappl_device_cb_t cb, void *data, pappl_deverror_cb_t, void *) {
  return ListPorts("COM", "Serial port", UriForSerialPortName, cb, data);
}

bool ListParallel(pappl_device_cb_t cb, void *data, pappl_deverror_cb_t, void *) {
  return ListPorts("LPT", "Parallel port", UriForParallelPortName, cb, data);
}

}  // namespace

void AddRavoDeviceSchemes() {
  // PAPPL registers its own schemes (socket, usb, …) only while it knows
  // none; asking about one first keeps them.
  papplDeviceIsSupported("socket://localhost");
  papplDeviceAddScheme(kSerialScheme.data(), PAPPL_DEVTYPE_CUSTOM_LOCAL, ListSerial, OpenDevice,
                       CloseDevice, ReadDevice, WriteDevice, DeviceStatus, DeviceId);
  papplDeviceAddScheme(kParallelScheme.data(), PAPPL_DEVTYPE_CUSTOM_LOCAL, ListParallel, OpenDevice,
                       CloseDevice, ReadDevice, WriteDevice, DeviceStatus, DeviceId);
}

}  // namespace ravo::app
