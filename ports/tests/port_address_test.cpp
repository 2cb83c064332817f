// The port-string grammar.
#include <gtest/gtest.h>

#include <string>

#include "port_address.h"
#include "ravoio.h"

using namespace ravo::io;

namespace {

TEST(PortAddress, NetworkAddressesAndOptions) {
  PortAddress s;
  ASSERT_EQ(ParsePortAddress("NET,192.168.1.20", s), 0);
  EXPECT_EQ(s.kind, PortKind::Net);
  EXPECT_EQ(s.host, "192.168.1.20");
  EXPECT_EQ(s.tcpPort, 9100);
  PortAddress t;
  ASSERT_EQ(ParsePortAddress("net,localhost:9101,TIMEOUT_200,CTIMEOUT_50", t), 0);
  EXPECT_EQ(t.host, "localhost");
  EXPECT_EQ(t.tcpPort, 9101);
  EXPECT_EQ(t.readTimeoutMs, 200u);
  EXPECT_EQ(t.connectTimeoutMs, 50u);
  EXPECT_EQ(t.writeTimeoutMs, 5000u);
}

TEST(PortAddress, DeviceNames) {
  struct Case {
    const char *text;
    PortKind kind;
    const char *device;
    uint32_t baud;
  };
  for (Case c : {Case{"COM1,BAUDRATE_9600", PortKind::Serial, "/dev/ttyS0", 9600},
                 Case{"COM3,BAUDRATE_115200", PortKind::Serial, "/dev/ttyS2", 115200},
                 Case{"ttyUSB0,BAUDRATE_4800", PortKind::Serial, "/dev/ttyUSB0", 4800},
                 Case{"/dev/pts/3,BAUDRATE_19200", PortKind::Serial, "/dev/pts/3", 19200},
                 Case{"LPT1", PortKind::Parallel, "/dev/lp0", 9600},
                 Case{"/tmp/fifo", PortKind::Parallel, "/tmp/fifo", 9600}}) {
    PortAddress s;
    ASSERT_EQ(ParsePortAddress(c.text, s), 0) << c.text;
    EXPECT_EQ(s.kind, c.kind) << c.text;
    EXPECT_EQ(s.device, c.device) << c.text;
    EXPECT_EQ(s.baudRate, c.baud) << c.text;
  }
}

TEST(PortAddress, UsbSelectors) {
  PortAddress any;
  ASSERT_EQ(ParsePortAddress("USB", any), 0);
  EXPECT_EQ(any.kind, PortKind::Usb);
  EXPECT_FALSE(any.usb.byId);
  PortAddress id;
  ASSERT_EQ(ParsePortAddress("USB,VID_0fe6&PID_811E", id), 0);
  EXPECT_TRUE(id.usb.byId);
  EXPECT_EQ(id.usb.vendor, 0x0FE6);
  EXPECT_EQ(id.usb.product, 0x811E);
  PortAddress sn;
  ASSERT_EQ(ParsePortAddress("USB,SN_A123", sn), 0);
  EXPECT_EQ(sn.usb.serial, "A123");
  PortAddress both;
  ASSERT_EQ(ParsePortAddress("usb,vid_0FE6&pid_811e&sn_Ab&1,TIMEOUT_5", both), 0);
  EXPECT_TRUE(both.usb.byId);
  EXPECT_EQ(both.usb.product, 0x811E);
  EXPECT_EQ(both.usb.serial, "Ab&1");  // serial numbers keep their case
  EXPECT_EQ(both.readTimeoutMs, 5u);
}

TEST(PortAddress, Errors) {
  struct Case {
    std::string text;
    int32_t rc;
  };
  for (const Case &c :
       {Case{"", RAVO_IO_ERR_INVALID_SETTING}, Case{"FOO", RAVO_IO_ERR_INVALID_SETTING},
        Case{"NET", RAVO_IO_ERR_INVALID_SETTING}, Case{"NET,:9100", RAVO_IO_ERR_INVALID_SETTING},
        Case{"NET,host:70000", RAVO_IO_ERR_INVALID_SETTING},
        Case{"NET,host,TIMEOUT_x", RAVO_IO_ERR_INVALID_SETTING},
        Case{"NET,host,BOGUS", RAVO_IO_ERR_INVALID_SETTING},
        Case{"COM1,BAUDRATE_1200", RAVO_IO_ERR_BAUDRATE},
        Case{"COM1,BAUDRATE_", RAVO_IO_ERR_BAUDRATE},
        Case{"COM0,BAUDRATE_9600", RAVO_IO_ERR_INVALID_SETTING},
        Case{"USB,VID_12&PID_34", RAVO_IO_ERR_USB_PATH}, Case{"USB,SN_", RAVO_IO_ERR_USB_PATH},
        Case{"USB,VID_0FE6&PID_811E&SN_", RAVO_IO_ERR_USB_PATH},
        Case{"USB,VID_0FE6&PID_811E&X", RAVO_IO_ERR_USB_PATH},
        Case{std::string(256, 'A'), RAVO_IO_ERR_NAME_TOO_LONG}}) {
    PortAddress s;
    EXPECT_EQ(ParsePortAddress(c.text, s), c.rc) << c.text;
  }
}

}  // namespace
