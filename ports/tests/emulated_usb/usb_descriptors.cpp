#include "usb_descriptors.h"

#include <cstdio>

namespace ravo::usbtest {
namespace {

constexpr uint8_t kClassPrinter = 7;
constexpr uint8_t kClassVendor = 0xFF;
constexpr uint8_t kIndexManufacturer = 1;
constexpr uint8_t kIndexProduct = 2;
constexpr uint8_t kIndexSerial = 3;

void Put16(std::vector<uint8_t> &out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value & 0xFF));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void AddEndpoint(std::vector<uint8_t> &out, uint8_t address, uint16_t maxPacket) {
  out.insert(out.end(), {7, 5, address, 2 /* bulk */});
  Put16(out, maxPacket);
  out.push_back(0);
}

void AddInterface(std::vector<uint8_t> &out, uint8_t number, uint8_t cls, uint8_t protocol,
                  uint8_t endpoints) {
  out.insert(out.end(), {9, 4, number, 0, endpoints, cls,
                         cls == kClassPrinter ? uint8_t{1} : uint8_t{0}, protocol, 0});
}

std::string Hex(const std::vector<uint8_t> &bytes) {
  std::string out;
  char two[3];
  for (uint8_t b : bytes) {
    std::snprintf(two, sizeof two, "%02x", b);
    out += two;
  }
  return out;
}

}  // namespace

int PrinterInterfaceNumber(const UsbPrinterProfile &profile) {
  return profile.composite ? 1 : 0;
}

std::vector<uint8_t> DeviceDescriptor(const UsbPrinterProfile &profile) {
  std::vector<uint8_t> d = {18, 1};
  Put16(d, 0x0200);                  // USB 2.0
  d.insert(d.end(), {0, 0, 0, 64});  // class per interface; ep0 packet size
  Put16(d, profile.vendor);
  Put16(d, profile.product);
  Put16(d, 0x0100);  // device release
  d.insert(d.end(), {kIndexManufacturer, kIndexProduct,
                     profile.serial.empty() ? uint8_t{0} : kIndexSerial, 1});
  return d;
}

std::vector<uint8_t> ConfigDescriptor(const UsbPrinterProfile &profile) {
  std::vector<uint8_t> body;
  if (profile.composite) {
    AddInterface(body, 0, kClassVendor, 0, 2);
    AddEndpoint(body, 0x03, profile.maxPacket);
    AddEndpoint(body, 0x83, profile.maxPacket);
  }
  const uint8_t cls = profile.printerClass ? kClassPrinter : kClassVendor;
  AddInterface(body, static_cast<uint8_t>(PrinterInterfaceNumber(profile)), cls,
               profile.bidirectional ? 2 : 1, profile.bidirectional ? 2 : 1);
  AddEndpoint(body, kEndpointOut, profile.maxPacket);
  if (profile.bidirectional) AddEndpoint(body, kEndpointIn, profile.maxPacket);

  std::vector<uint8_t> config = {9, 2};
  Put16(config, static_cast<uint16_t>(9 + body.size()));
  config.insert(config.end(), {static_cast<uint8_t>(profile.composite ? 2 : 1), 1, 0, 0xC0, 50});
  config.insert(config.end(), body.begin(), body.end());
  return config;
}

std::optional<std::vector<uint8_t>> StringDescriptor(const UsbPrinterProfile &profile,
                                                     uint8_t index) {
  if (index == 0) return std::vector<uint8_t>{4, 3, 0x09, 0x04};  // US English
  const std::string *text = index == kIndexManufacturer ? &profile.manufacturer
                            : index == kIndexProduct    ? &profile.productName
                            : index == kIndexSerial && !profile.serial.empty() ? &profile.serial
                                                                               : nullptr;
  if (text == nullptr) return std::nullopt;
  std::vector<uint8_t> d = {static_cast<uint8_t>(2 + 2 * text->size()), 3};
  for (char c : *text) Put16(d, static_cast<uint8_t>(c));
  return d;
}

std::string DeviceRecord(const UsbPrinterProfile &profile, const std::string &devicePath,
                         int address) {
  char node[32];
  std::snprintf(node, sizeof node, "bus/usb/001/%03d", address);
  char ids[64];
  std::snprintf(ids, sizeof ids, "%04x/%04x/100", profile.vendor, profile.product);
  std::vector<uint8_t> descriptors = DeviceDescriptor(profile);
  std::vector<uint8_t> config = ConfigDescriptor(profile);
  descriptors.insert(descriptors.end(), config.begin(), config.end());

  std::string record = "P: " + devicePath + "\n";
  record += "N: " + std::string(node) + "\n";
  record += "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\n";
  record += "E: DEVNAME=/dev/" + std::string(node) + "\n";
  record += "E: PRODUCT=" + std::string(ids) + "\n";
  record += "E: BUSNUM=001\n";
  record += "E: DEVNUM=" + std::string(node).substr(12) + "\n";
  char hexIds[48];
  std::snprintf(hexIds, sizeof hexIds, "A: idVendor=%04x\\n\nA: idProduct=%04x\\n\n",
                profile.vendor, profile.product);
  record += hexIds;
  record += "A: busnum=1\\n\n";
  record += "A: devnum=" + std::to_string(address) + "\\n\n";
  record += "A: speed=" + std::string(profile.maxPacket >= 512 ? "480" : "12") + "\\n\n";
  record += "A: bConfigurationValue=1\\n\n";
  record += "A: manufacturer=" + profile.manufacturer + "\\n\n";
  record += "A: product=" + profile.productName + "\\n\n";
  if (!profile.serial.empty()) record += "A: serial=" + profile.serial + "\\n\n";
  record += "H: descriptors=" + Hex(descriptors) + "\n";
  return record;
}

}  // namespace ravo::usbtest
