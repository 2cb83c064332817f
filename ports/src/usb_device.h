// Finding USB printers: the printer-class interface of a configuration,
// matching a selector, and naming a device as a port string.
#pragma once

#include <libusb.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "port_address.h"

namespace ravo::io {

struct PrinterInterface {
  int number = 0;
  int altsetting = 0;
  uint8_t endpointOut = 0;
  uint8_t endpointIn = 0;  // 0: the printer cannot answer
  uint16_t packetIn = 0;   // largest packet of endpointIn
};

// The first alternate setting of class 7 (printer) that has a bulk OUT
// endpoint; its first bulk IN endpoint too when there is one.
std::optional<PrinterInterface> FindPrinterInterface(const libusb_config_descriptor &config);

// Whether a device with these ids and this serial number (empty when it
// could not be read) is the one `selector` names.
bool SelectorMatches(const UsbSelector &selector, uint16_t vendor, uint16_t product,
                     std::string_view serial);

// "USB,VID_0FE6&PID_811E", with "&SN_serial" appended when the serial number
// can be written in a port string (printable, no comma).
std::string UsbPortString(uint16_t vendor, uint16_t product, std::string_view serial);

struct UsbPrinter {
  libusb_device *device = nullptr;
  libusb_device_descriptor descriptor{};
  PrinterInterface interface;
  // Where it sits: bus, hub ports down to it, address.
  uint8_t bus = 0;
  std::vector<uint8_t> ports;
  uint8_t address = 0;
};

// The printer-class devices attached now, in bus order (so "the first
// printer" is the same one on every call, whatever order libusb keeps).
// The devices stay valid while the list lives.
class UsbPrinterList {
 public:
  explicit UsbPrinterList(libusb_context *context);
  ~UsbPrinterList();
  UsbPrinterList(const UsbPrinterList &) = delete;
  UsbPrinterList &operator=(const UsbPrinterList &) = delete;

  int error() const { return error_; }  // libusb error of the listing, or 0
  const std::vector<UsbPrinter> &printers() const { return printers_; }

 private:
  libusb_device **list_ = nullptr;
  int error_ = 0;
  std::vector<UsbPrinter> printers_;
};

// The device's serial number, or "" when it has none or it cannot be read.
std::string ReadSerialNumber(libusb_device_handle *handle, uint8_t index);

// A libusb context for the lifetime of the object.
class UsbContext {
 public:
  UsbContext() { error_ = libusb_init(&context_); }
  ~UsbContext() {
    if (context_ != nullptr) libusb_exit(context_);
  }
  UsbContext(const UsbContext &) = delete;
  UsbContext &operator=(const UsbContext &) = delete;
  int error() const { return error_; }
  libusb_context *get() const { return context_; }

 private:
  libusb_context *context_ = nullptr;
  int error_ = 0;
};

}  // namespace ravo::io
