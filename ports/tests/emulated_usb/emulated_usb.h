// Emulated USB printers for tests, on umockdev: each printer is a device in
// a umockdev testbed (sysfs entry, descriptors, /dev/bus/usb node) whose
// usbfs ioctls are answered here, so libusb and everything above it run
// unchanged against it.
//
//   UsbTestbed bed;                                  // before libusb looks
//   EmulatedPrinter &printer = bed.Plug({.product = 0x0001, .serial = "A1"});
//   printer.SetScript(LabelPrinterScript({}));       // answers to the host
//   ... open "USB,SN_A1" with the port library, write, read ...
//   EXPECT_EQ(printer.Received(), "SIZE 50mm,30mm\r\n...");
//
// The process must run with umockdev's preload library loaded (CMake's
// ravo_add_usb_gtest() sets it up; by hand: umockdev-wrapper PROGRAM).
//
// What the device does, as the kernel's usbfs and a printer would:
// - a printer-class interface (7/1/2) with a bulk OUT and, when
//   `bidirectional`, a bulk IN endpoint; string descriptors for maker,
//   product and serial number; the class requests GET_DEVICE_ID,
//   GET_PORT_STATUS and SOFT_RESET on endpoint 0;
// - bulk OUT transfers are recorded byte for byte (and their sizes), up to
//   AcceptUpTo() bytes; beyond that the device NAKs and the transfer waits
//   until it is cancelled or more is accepted;
// - bulk IN transfers get what the script or Send() queued, in packets of
//   `maxPacket` bytes: a transfer ends early only on a short packet;
// - the interface is bound to a kernel driver (`kernelDriver`) until a
//   program detaches it; claiming follows usbfs (EBUSY while another
//   program or a driver holds it); CONNECT binds the kernel driver again;
//   a program that closes the device without releasing its interface
//   loses it all the same, with its transfers, as on close(2) of usbfs;
// - Disconnect() ends pending transfers with ESHUTDOWN and fails later
//   calls with ENODEV, as an unplugged device does; a submitted transfer
//   over usbfs's 16 MiB memory limit fails with ENOMEM.
// Not emulated: the POLLERR a real usbfs descriptor raises on unplug (libusb
// learns of the removal from the failed transfers and the uevent instead),
// device permissions, the timing of a real bus, isochronous and interrupt
// transfers, alternate settings, suspend.
//
// Threads: the testbed's worker thread answers the ioctls; every method of
// EmulatedPrinter may be called from any thread.  UsbTestbed's own methods
// belong to the thread that made it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "printer_script.h"

using UMockdevTestbed = struct _UMockdevTestbed;
using UMockdevIoctlBase = struct _UMockdevIoctlBase;

namespace ravo::usbtest {

// usbfs capabilities as the kernel reports them.  An xHCI host does
// scatter-gather, so libusb sends a bulk transfer of any size as one URB; a
// host without it gets 16 KiB URBs with bulk continuation.
inline constexpr uint32_t kCapsScatterGather = 0x1D;    // ZERO_PACKET, NO_PACKET_SIZE_LIM,
                                                        // SCATTER_GATHER, REAP_AFTER_DISCONNECT
inline constexpr uint32_t kCapsNoScatterGather = 0x17;  // BULK_CONTINUATION instead of S-G

struct UsbPrinterProfile {
  uint16_t vendor = 0x0FE6;
  uint16_t product = 0x811E;
  std::string serial = "EMU0000001";  // empty: the device has no serial string
  std::string manufacturer = "Ravo";
  std::string productName = "Emulated label printer";
  std::string deviceId = "MFG:Ravo;MDL:Emulated;CMD:TSPL;CLS:PRINTER;";  // IEEE 1284
  bool printerClass = true;            // false: a vendor-specific device (not a printer)
  bool bidirectional = true;           // a bulk IN endpoint (interface protocol 2)
  bool composite = false;              // a vendor-specific interface 0 before the printer's
  uint16_t maxPacket = 512;            // 64 for a full-speed device
  std::string kernelDriver = "usblp";  // bound at plug-in; "" for none
  uint32_t usbfsCaps = kCapsScatterGather;
};

class PrinterState;

class EmulatedPrinter {
 public:
  EmulatedPrinter(UMockdevTestbed *testbed, UsbPrinterProfile profile, int address);
  ~EmulatedPrinter();
  EmulatedPrinter(const EmulatedPrinter &) = delete;
  EmulatedPrinter &operator=(const EmulatedPrinter &) = delete;

  const UsbPrinterProfile &profile() const;
  int address() const { return address_; }
  const std::string &sysPath() const { return sysPath_; }
  // "USB,VID_0FE6&PID_811E&SN_serial" (without &SN_ when there is none).
  std::string PortString() const;

  // Everything received on the bulk OUT endpoint, in order.
  std::string Received() const;
  // The size of every bulk OUT transfer (URB) as it was submitted.
  std::vector<size_t> OutTransfers() const;
  // Waits until at least `count` bytes were received.
  bool WaitForReceived(size_t count, std::chrono::milliseconds timeout) const;

  // Replaces the printer's answers; bytes already received are not replayed.
  void SetScript(PrinterScript script);
  // The script as it stands now (captures change it).
  PrinterScript Script() const;
  // Queues bytes on the bulk IN endpoint as if the printer sent them.
  void Send(std::string_view bytes);
  // Bytes queued but not yet read by the host.
  size_t Unread() const;

  // The device takes no more than `total` bytes in all (SIZE_MAX: no limit).
  void AcceptUpTo(size_t total);

  // Who holds the printer interface: the kernel driver's name, "usbfs"
  // (a program claimed it) or "" (nobody).
  std::string InterfaceDriver() const;
  // Driver changes in order: "detach usblp", "claim", "release",
  // "attach usblp" ...
  std::vector<std::string> DriverEvents() const;
  // Another program claims the printer interface.
  void ClaimElsewhere();

  // The cable is pulled: transfers in flight fail, later calls give ENODEV.
  // The device stays listed until UsbTestbed::Unplug() removes it.
  void Disconnect();

 private:
  std::unique_ptr<PrinterState> state_;
  UMockdevIoctlBase *handler_ = nullptr;
  int address_;
  std::string sysPath_;
};

class UsbTestbed {
 public:
  UsbTestbed();
  ~UsbTestbed();
  UsbTestbed(const UsbTestbed &) = delete;
  UsbTestbed &operator=(const UsbTestbed &) = delete;

  // Whether umockdev's preload library is active in this process.
  static bool PreloadActive();

  // Adds a printer on bus 1 at the next free address.
  EmulatedPrinter &Plug(UsbPrinterProfile profile);
  // Disconnects the printer and removes it from sysfs (a "remove" uevent).
  void Unplug(EmulatedPrinter &printer);

 private:
  UMockdevTestbed *testbed_ = nullptr;
  std::vector<std::unique_ptr<EmulatedPrinter>> printers_;
  int nextAddress_ = 2;
};

}  // namespace ravo::usbtest
