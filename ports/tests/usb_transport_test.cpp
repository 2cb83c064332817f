// USB: error mapping, interface choice, selectors and the no-device path.
// No printer is attached where these run, so the device tests check what
// happens without one and skip when a printer is present.
#include <gtest/gtest.h>
#include <libusb.h>

#include <string>
#include <vector>

#include "port_address.h"
#include "port_test_util.h"
#include "usb_device.h"
#include "usb_error.h"

using namespace ravo::io;
using ravo::testing::Port;

namespace {

// libusb's class code for vendor-specific interfaces (0xFF).
constexpr uint8_t kVendorSpecificClass = 0xFF;

TEST(UsbErrorCode, MapsLibusbErrorsIntoTheLibusbRange) {
  struct Case {
    int libusb;
    int32_t code;
  };
  for (Case c :
       {Case{LIBUSB_SUCCESS, 0}, Case{LIBUSB_ERROR_IO, -1101}, Case{LIBUSB_ERROR_ACCESS, -1103},
        Case{LIBUSB_ERROR_NO_DEVICE, -1104}, Case{LIBUSB_ERROR_BUSY, -1106},
        Case{LIBUSB_ERROR_TIMEOUT, -1107}, Case{LIBUSB_ERROR_NOT_SUPPORTED, -1112},
        Case{LIBUSB_ERROR_OTHER, -1199}, Case{-13, -1199}, Case{-1000, -1199}, Case{5, 0}}) {
    EXPECT_EQ(UsbErrorCode(c.libusb), c.code) << c.libusb;
  }
}

// Builds configuration descriptors in memory, interface by interface.
struct ConfigBuilder {
  std::vector<std::vector<libusb_endpoint_descriptor>> endpoints;
  std::vector<libusb_interface_descriptor> alts;
  std::vector<libusb_interface> interfaces;
  libusb_config_descriptor config{};

  // Each entry: (interface number, altsetting, class, endpoint addresses with
  // their transfer type).
  void Add(uint8_t number, uint8_t alt, uint8_t cls, std::vector<std::pair<uint8_t, uint8_t>> eps) {
    std::vector<libusb_endpoint_descriptor> list;
    for (auto [address, type] : eps) {
      libusb_endpoint_descriptor ep{};
      ep.bEndpointAddress = address;
      ep.bmAttributes = type;
      list.push_back(ep);
    }
    endpoints.push_back(list);
    libusb_interface_descriptor d{};
    d.bInterfaceNumber = number;
    d.bAlternateSetting = alt;
    d.bInterfaceClass = cls;
    d.bNumEndpoints = static_cast<uint8_t>(list.size());
    alts.push_back(d);
  }
  // One libusb_interface per descriptor (each with one altsetting).
  const libusb_config_descriptor &Build() {
    for (size_t i = 0; i < alts.size(); ++i) {
      alts[i].endpoint = endpoints[i].data();
      interfaces.push_back(libusb_interface{&alts[i], 1});
    }
    config.bNumInterfaces = static_cast<uint8_t>(interfaces.size());
    config.interface = interfaces.data();
    return config;
  }
};

constexpr uint8_t kBulk = LIBUSB_TRANSFER_TYPE_BULK;
constexpr uint8_t kInterrupt = LIBUSB_TRANSFER_TYPE_INTERRUPT;

TEST(FindPrinterInterface, TakesTheFirstPrinterClassInterfaceWithBulkOut) {
  ConfigBuilder b;
  b.Add(0, 0, LIBUSB_CLASS_HID, {{0x81, kInterrupt}});
  b.Add(1, 0, LIBUSB_CLASS_PRINTER, {{0x82, kBulk}});  // no OUT: unusable
  b.Add(2, 1, LIBUSB_CLASS_PRINTER,
        {{0x83, kInterrupt}, {0x84, kBulk}, {0x02, kBulk}, {0x03, kBulk}});
  b.Add(3, 0, LIBUSB_CLASS_PRINTER, {{0x05, kBulk}});
  auto found = FindPrinterInterface(b.Build());
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->number, 2);
  EXPECT_EQ(found->altsetting, 1);
  EXPECT_EQ(found->endpointOut, 0x02);
  EXPECT_EQ(found->endpointIn, 0x84);
}

TEST(FindPrinterInterface, WriteOnlyPrintersAndNonPrinters) {
  ConfigBuilder writeOnly;
  writeOnly.Add(0, 0, LIBUSB_CLASS_PRINTER, {{0x01, kBulk}});
  auto found = FindPrinterInterface(writeOnly.Build());
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->endpointIn, 0);

  ConfigBuilder none;
  none.Add(0, 0, kVendorSpecificClass, {{0x01, kBulk}, {0x81, kBulk}});
  EXPECT_FALSE(FindPrinterInterface(none.Build()).has_value());
}

TEST(UsbSelector, MatchesIdsAndSerialNumbers) {
  auto selector = [](const char *text) {
    PortAddress s;
    EXPECT_EQ(ParsePortAddress(text, s), 0) << text;
    return s.usb;
  };
  struct Case {
    const char *text;
    uint16_t vid, pid;
    const char *serial;
    bool match;
  };
  for (Case c : {Case{"USB", 0x1234, 0x5678, "", true},
                 Case{"USB,VID_1234&PID_5678", 0x1234, 0x5678, "", true},
                 Case{"USB,VID_1234&PID_5678", 0x1234, 0x5679, "", false},
                 Case{"USB,SN_A1", 0x1234, 0x5678, "A1", true},
                 Case{"USB,SN_A1", 0x1234, 0x5678, "a1", false},
                 Case{"USB,SN_A1", 0x1234, 0x5678, "", false},
                 Case{"USB,VID_1234&PID_5678&SN_A1", 0x1234, 0x5678, "A1", true},
                 Case{"USB,VID_1234&PID_5678&SN_A1", 0x9999, 0x5678, "A1", false}}) {
    EXPECT_EQ(SelectorMatches(selector(c.text), c.vid, c.pid, c.serial), c.match)
        << c.text << " vs " << c.serial;
  }
}

TEST(UsbPortString, ListedNamesParseBackToTheSameDevice) {
  struct Case {
    uint16_t vid, pid;
    std::string serial, text;
  };
  for (const Case &c : {Case{0x0FE6, 0x811E, "", "USB,VID_0FE6&PID_811E"},
                        Case{0x0001, 0xABCD, "SN&42", "USB,VID_0001&PID_ABCD&SN_SN&42"},
                        Case{0x0001, 0xABCD, "has,comma", "USB,VID_0001&PID_ABCD"},
                        Case{0x0001, 0xABCD, "two words", "USB,VID_0001&PID_ABCD"}}) {
    std::string text = UsbPortString(c.vid, c.pid, c.serial);
    EXPECT_EQ(text, c.text);
    PortAddress s;
    ASSERT_EQ(ParsePortAddress(text, s), 0) << text;
    EXPECT_TRUE(SelectorMatches(s.usb, c.vid, c.pid, c.serial)) << text;
  }
}

bool PrinterAttached() {
  uint32_t count = 0;
  uint32_t needed = 0;
  char buf[4096];
  return ravo_io_enum_usb_printers(buf, sizeof buf, &needed, &count) == 0 && count > 0;
}

TEST(UsbTransport, NoPrinterAttachedGives372) {
  if (PrinterAttached()) GTEST_SKIP() << "a USB printer is attached";
  for (const char *name : {"USB", "USB,VID_0FE6&PID_811E", "USB,SN_X1,TIMEOUT_10"}) {
    Port port;
    ASSERT_EQ(port.Create(name), 0) << name;
    EXPECT_EQ(port.p->kind(port.p), RAVO_IO_KIND_USB);
    EXPECT_EQ(port.Open(), RAVO_IO_ERR_USB_NOT_FOUND) << name;
    EXPECT_EQ(port.Write("x"), RAVO_IO_ERR_NOT_OPEN) << name;
    EXPECT_EQ(port.Close(), RAVO_IO_ERR_NOT_OPEN) << name;
  }
  uint32_t needed = 0, count = 9;
  char one[1] = {'?'};
  EXPECT_EQ(ravo_io_enum_usb_printers(one, sizeof one, &needed, &count), 0);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(needed, 1u);
  EXPECT_EQ(one[0], '\0');
}

}  // namespace
