// Device URIs of serial and parallel printers against port strings, and
// the URIs made from the port library's enumerated names.
#include <gtest/gtest.h>

#include "device_uri.h"

namespace ravo::app {
namespace {

TEST(DeviceUri, PortStringsForUris) {
  struct Row {
    const char *uri;
    const char *port;  // nullptr: refused
  };
  const Row rows[] = {
      {"ravo-serial:///dev/ttyUSB0?baud=115200", "/dev/ttyUSB0,BAUDRATE_115200"},
      {"ravo-serial:///dev/ttyS0", "/dev/ttyS0,BAUDRATE_9600"},
      {"ravo-parallel:///dev/lp0", "/dev/lp0"},
      {"ravo-parallel:///dev/usb/lp1", "/dev/usb/lp1"},
      // Nothing may reach the port string's option list or leave /dev paths.
      {"ravo-serial:///dev/ttyS0,TIMEOUT_1", nullptr},
      {"ravo-parallel:///dev/lp0,BAUDRATE_9600", nullptr},
      {"ravo-serial:///dev/ttyS0?baud=9600,WTIMEOUT_1", nullptr},
      {"ravo-serial:///dev/ttyS0?speed=9600", nullptr},
      {"ravo-serial:///dev/../etc/passwd", nullptr},
      {"ravo-serial://host/dev/ttyS0", nullptr},
      {"ravo-serial:dev/ttyS0", nullptr},
      {"ravo-parallel://", nullptr},
      {"socket://127.0.0.1:9100", nullptr},
  };
  for (const Row &row : rows) {
    const auto port = PortStringForUri(row.uri);
    if (row.port == nullptr) {
      EXPECT_FALSE(port) << row.uri << " gave " << port.value_or("");
    } else {
      EXPECT_EQ(port.value_or("(none)"), row.port) << row.uri;
    }
  }
}

TEST(DeviceUri, UrisForEnumeratedPortsLeadBackToTheSameDevice) {
  struct Row {
    const char *name;
    bool serial;
    const char *uri;
    const char *port;
  };
  const Row rows[] = {
      {"COM1:", true, "ravo-serial:///dev/ttyS0?baud=9600", "/dev/ttyS0,BAUDRATE_9600"},
      {"COM12:", true, "ravo-serial:///dev/ttyS11?baud=9600", "/dev/ttyS11,BAUDRATE_9600"},
      {"ttyUSB0:", true, "ravo-serial:///dev/ttyUSB0?baud=9600", "/dev/ttyUSB0,BAUDRATE_9600"},
      {"/dev/pts/3:", true, "ravo-serial:///dev/pts/3?baud=9600", "/dev/pts/3,BAUDRATE_9600"},
      {"LPT1:", false, "ravo-parallel:///dev/lp0", "/dev/lp0"},
      {"LPT3:", false, "ravo-parallel:///dev/lp2", "/dev/lp2"},
  };
  for (const Row &row : rows) {
    const auto uri = row.serial ? UriForSerialPortName(row.name) : UriForParallelPortName(row.name);
    ASSERT_TRUE(uri) << row.name;
    EXPECT_EQ(*uri, row.uri);
    EXPECT_EQ(PortStringForUri(*uri).value_or("(none)"), row.port) << row.name;
  }
  EXPECT_FALSE(UriForParallelPortName("COM1:"));
  EXPECT_FALSE(UriForParallelPortName("LPT0:"));
  EXPECT_FALSE(UriForSerialPortName("tty,USB0:"));
}

}  // namespace
}  // namespace ravo::app
