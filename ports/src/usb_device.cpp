#include "usb_device.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace ravo::io {
namespace {

bool IsBulk(const libusb_endpoint_descriptor &ep) {
  return (ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) == LIBUSB_TRANSFER_TYPE_BULK;
}

std::optional<PrinterInterface> FromAltsetting(const libusb_interface_descriptor &alt) {
  if (alt.bInterfaceClass != LIBUSB_CLASS_PRINTER) return std::nullopt;
  PrinterInterface found;
  found.number = alt.bInterfaceNumber;
  found.altsetting = alt.bAlternateSetting;
  for (int e = 0; e < alt.bNumEndpoints; ++e) {
    const libusb_endpoint_descriptor &ep = alt.endpoint[e];
    if (!IsBulk(ep)) continue;
    bool in = (ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN;
    uint8_t &slot = in ? found.endpointIn : found.endpointOut;
    if (slot != 0) continue;
    slot = ep.bEndpointAddress;
    if (in) found.packetIn = ep.wMaxPacketSize & 0x7FF;  // bits 11-12: not for bulk
  }
  if (found.endpointOut == 0) return std::nullopt;
  return found;
}

void Locate(UsbPrinter &printer) {
  printer.bus = libusb_get_bus_number(printer.device);
  uint8_t ports[8];  // USB allows seven tiers of hubs
  int depth = libusb_get_port_numbers(printer.device, ports, sizeof ports);
  if (depth > 0) printer.ports.assign(ports, ports + depth);
  printer.address = libusb_get_device_address(printer.device);
}

bool Printable(std::string_view serial) {
  for (char c : serial) {
    if (c <= ' ' || c > '~' || c == ',') return false;
  }
  return !serial.empty();
}

}  // namespace

std::optional<PrinterInterface> FindPrinterInterface(const libusb_config_descriptor &config) {
  for (int i = 0; i < config.bNumInterfaces; ++i) {
    const libusb_interface &iface = config.interface[i];
    for (int a = 0; a < iface.num_altsetting; ++a) {
      if (auto found = FromAltsetting(iface.altsetting[a])) return found;
    }
  }
  return std::nullopt;
}

bool SelectorMatches(const UsbSelector &selector, uint16_t vendor, uint16_t product,
                     std::string_view serial) {
  if (selector.byId && (selector.vendor != vendor || selector.product != product)) return false;
  return selector.serial.empty() || selector.serial == serial;
}

std::string UsbPortString(uint16_t vendor, uint16_t product, std::string_view serial) {
  char ids[32];
  std::snprintf(ids, sizeof ids, "USB,VID_%04X&PID_%04X", vendor, product);
  std::string out(ids);
  if (Printable(serial)) out += "&SN_" + std::string(serial);
  return out;
}

UsbPrinterList::UsbPrinterList(libusb_context *context) {
  ssize_t n = libusb_get_device_list(context, &list_);
  if (n < 0) {
    error_ = static_cast<int>(n);
    list_ = nullptr;
    return;
  }
  for (ssize_t i = 0; i < n; ++i) {
    UsbPrinter printer;
    printer.device = list_[i];
    if (libusb_get_device_descriptor(printer.device, &printer.descriptor) != 0) continue;
    libusb_config_descriptor *config = nullptr;
    if (libusb_get_active_config_descriptor(printer.device, &config) != 0 &&
        libusb_get_config_descriptor(printer.device, 0, &config) != 0) {
      continue;
    }
    auto found = FindPrinterInterface(*config);
    libusb_free_config_descriptor(config);
    if (!found) continue;
    printer.interface = *found;
    Locate(printer);
    printers_.push_back(printer);
  }
  std::sort(printers_.begin(), printers_.end(), [](const UsbPrinter &a, const UsbPrinter &b) {
    return std::tie(a.bus, a.ports, a.address) < std::tie(b.bus, b.ports, b.address);
  });
}

UsbPrinterList::~UsbPrinterList() {
  if (list_ != nullptr) libusb_free_device_list(list_, 1);
}

std::string ReadSerialNumber(libusb_device_handle *handle, uint8_t index) {
  if (index == 0) return {};
  unsigned char text[256];
  int n = libusb_get_string_descriptor_ascii(handle, index, text, sizeof text);
  if (n <= 0) return {};
  return std::string(reinterpret_cast<char *>(text), static_cast<size_t>(n));
}

}  // namespace ravo::io
