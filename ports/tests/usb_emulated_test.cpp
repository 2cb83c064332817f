// The USB transport against emulated printers (umockdev): device choice,
// whole jobs, answers, timeouts, unplugging, busy interfaces and the
// kernel driver.
#include <gtest/gtest.h>
#include <libusb.h>

#include <chrono>
#include <cstring>
#include <numeric>
#include <thread>

#include "emulated_usb.h"
#include "port_test_util.h"
#include "ravoio.h"

using namespace ravo::usbtest;
using ravo::testing::Port;
using Clock = std::chrono::steady_clock;

namespace {

constexpr size_t kMiB = 1u << 20;
constexpr int32_t kNoDevice = int32_t{RAVO_IO_ERR_LIBUSB_BASE} + LIBUSB_ERROR_NO_DEVICE;

// Every 4-byte word holds its own index, so a lost, repeated or reordered
// piece anywhere changes the bytes.
std::string CountingJob(size_t size) {
  std::string job(size, '\0');
  for (size_t i = 0; i + 4 <= size; i += 4) {
    const uint32_t word = static_cast<uint32_t>(i / 4);
    std::memcpy(job.data() + i, &word, 4);
  }
  return job;
}

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

UsbPrinterProfile Printer(uint16_t product, std::string serial) {
  UsbPrinterProfile profile;
  profile.product = product;
  profile.serial = std::move(serial);
  return profile;
}

class UsbPrinters : public ::testing::Test {
 protected:
  UsbTestbed bed;
};

TEST_F(UsbPrinters, PortStringsPickTheirPrinter) {
  // Two identical printers told apart by serial number, a third model, and
  // a device of another class ahead of them on the bus.
  UsbPrinterProfile gadget = Printer(0x0001, "G1");
  gadget.printerClass = false;
  bed.Plug(gadget);
  EmulatedPrinter &a = bed.Plug(Printer(0x811E, "A1"));
  EmulatedPrinter &b = bed.Plug(Printer(0x811E, "B2"));
  EmulatedPrinter &c = bed.Plug(Printer(0x8120, "C3"));
  EmulatedPrinter *none = nullptr;
  const struct {
    const char *port;
    EmulatedPrinter *printer;
  } rows[] = {
      {"USB", &a},
      {"USB,VID_0FE6&PID_811E", &a},
      {"USB,VID_0fe6&PID_8120", &c},
      {"USB,VID_0FE6&PID_811E&SN_B2", &b},
      {"USB,SN_B2", &b},
      {"USB,SN_C3", &c},
      {"USB,VID_0FE6&PID_8120&SN_B2", none},  // right serial, wrong model
      {"USB,SN_b2", none},                    // serials match exactly
      {"USB,VID_0FE6&PID_0001", none},        // not a printer
  };
  for (const auto &row : rows) {
    Port port;
    ASSERT_EQ(port.Create(row.port), 0) << row.port;
    if (row.printer == none) {
      EXPECT_EQ(port.Open(), RAVO_IO_ERR_USB_NOT_FOUND) << row.port;
      continue;
    }
    ASSERT_EQ(port.Open(), 0) << row.port;
    const std::string mark = std::string("<") + row.port + ">";
    ASSERT_EQ(port.Write(mark), 0) << row.port;
    EXPECT_EQ(port.Close(), 0);
    for (EmulatedPrinter *p : {&a, &b, &c}) {
      EXPECT_EQ(p->Received().find(mark) != std::string::npos, p == row.printer)
          << row.port << " on " << p->PortString();
    }
  }
}

TEST_F(UsbPrinters, LargeJobArrivesWholeInTransfersOfAtMost64KiB) {
  // With scatter-gather each libusb transfer is one URB; without it libusb
  // splits them into 16 KiB URBs.
  const struct {
    uint32_t caps;
    size_t urb;
  } hosts[] = {{kCapsScatterGather, 64 * 1024}, {kCapsNoScatterGather, 16 * 1024}};
  const std::string job = CountingJob(kMiB);
  uint16_t product = 0x9000;
  for (const auto &host : hosts) {
    ++product;
    UsbPrinterProfile profile = Printer(product, "J" + std::to_string(product));
    profile.usbfsCaps = host.caps;
    EmulatedPrinter &printer = bed.Plug(profile);
    Port port;
    ASSERT_EQ(port.Create(printer.PortString()), 0);
    ASSERT_EQ(port.Open(), 0);
    uint32_t written = 0;
    ASSERT_EQ(port.Write(job, &written), 0);
    EXPECT_EQ(written, job.size());
    EXPECT_EQ(port.Close(), 0);
    EXPECT_TRUE(printer.Received() == job) << "caps " << host.caps << ": the bytes differ";
    EXPECT_EQ(printer.OutTransfers(), std::vector<size_t>(kMiB / host.urb, host.urb))
        << "caps " << host.caps;
  }
}

TEST_F(UsbPrinters, JobLargerThanTheKernelsUsbfsBufferIsWritten) {
  // usbfs refuses a URB above 16 MiB (ENOMEM); the job must go in pieces.
  EmulatedPrinter &printer = bed.Plug({});
  const std::string job = CountingJob(17 * kMiB);
  Port port;
  ASSERT_EQ(port.Create(printer.PortString() + ",WTIMEOUT_60000"), 0);
  ASSERT_EQ(port.Open(), 0);
  uint32_t written = 0;
  EXPECT_EQ(port.Write(job, &written), 0);
  EXPECT_EQ(written, job.size());
  EXPECT_TRUE(printer.Received() == job);
}

TEST_F(UsbPrinters, ReadsReturnWhatThePrinterSends) {
  LabelPrinterPersona persona;
  persona.block = SealedBlock(0x11);
  EmulatedPrinter &printer = bed.Plug({});
  printer.SetScript(LabelPrinterScript(persona));
  Port port;
  ASSERT_EQ(port.Create(printer.PortString() + ",TIMEOUT_2000"), 0);
  ASSERT_EQ(port.Open(), 0);

  std::string answer;
  ASSERT_EQ(port.Write("\x1B\x1B\x08"), 0);
  ASSERT_EQ(port.Read(answer, 1), 0);
  EXPECT_EQ(answer, "\x01");

  ASSERT_EQ(port.Write("ZZZCR\n"), 0);
  ASSERT_EQ(port.Read(answer, 256), 0);
  EXPECT_EQ(answer, std::string(persona.block.begin(), persona.block.end()));

  // What does not fit the caller's buffer waits for the next read.
  printer.Send("status:ready");
  ASSERT_EQ(port.Read(answer, 7), 0);
  EXPECT_EQ(answer, "status:");
  uint32_t waiting = 0;
  EXPECT_EQ(port.p->bytes_waiting(port.p, &waiting), 0);
  EXPECT_EQ(waiting, 5u);
  ASSERT_EQ(port.Read(answer, 64, false), 0);
  EXPECT_EQ(answer, "ready");

  // An answer longer than one transfer comes in several reads.
  const std::string big = CountingJob(40000);
  printer.Send(big);
  std::string all;
  for (int i = 0; i < 20 && all.size() < big.size(); ++i) {
    ASSERT_EQ(port.Read(answer, 8192), 0);
    all += answer;
  }
  EXPECT_TRUE(all == big) << all.size() << " of " << big.size() << " bytes";
}

TEST_F(UsbPrinters, FullSpeedPrinterAnswerEndingOnAPacketBoundaryIsReadAtOnce) {
  // 256 bytes are four full 64-byte packets and no short one: a read that
  // asks for more than that waits for a packet that never comes.
  UsbPrinterProfile profile;
  profile.maxPacket = 64;
  LabelPrinterPersona persona;
  persona.block = SealedBlock(0x22);
  EmulatedPrinter &printer = bed.Plug(profile);
  printer.SetScript(LabelPrinterScript(persona));
  Port port;
  ASSERT_EQ(port.Create(printer.PortString() + ",TIMEOUT_3000"), 0);
  ASSERT_EQ(port.Open(), 0);
  ASSERT_EQ(port.Write("ZZZCR\n"), 0);
  std::string answer;
  const auto start = Clock::now();
  ASSERT_EQ(port.Read(answer, 256), 0);
  EXPECT_LT(MsSince(start), 1500) << "the read waited for its timeout";
  EXPECT_EQ(answer, std::string(persona.block.begin(), persona.block.end()));
}

TEST_F(UsbPrinters, SilentPrinterReadsTimeOutWithNothing) {
  UsbPrinterProfile writeOnly = Printer(0x8121, "W1");
  writeOnly.bidirectional = false;
  EmulatedPrinter &silent = bed.Plug({});
  EmulatedPrinter &oneWay = bed.Plug(writeOnly);

  Port port;
  ASSERT_EQ(port.Create(silent.PortString() + ",TIMEOUT_200"), 0);
  ASSERT_EQ(port.Open(), 0);
  std::string answer = "x";
  auto start = Clock::now();
  EXPECT_EQ(port.Read(answer), 0);
  const long long waited = MsSince(start);
  EXPECT_EQ(answer, "");
  EXPECT_GE(waited, 190);
  EXPECT_LT(waited, 2000);
  // readChunk does not wait, whatever the read timeout.
  ASSERT_EQ(port.p->set_timeouts(port.p, 3000, 0), 0);
  start = Clock::now();
  EXPECT_EQ(port.Read(answer, 64, false), 0);
  EXPECT_EQ(answer, "");
  EXPECT_LT(MsSince(start), 1000) << "readChunk waited";

  // A printer without a way back answers nothing, at once.
  Port out;
  ASSERT_EQ(out.Create(oneWay.PortString() + ",TIMEOUT_3000"), 0);
  ASSERT_EQ(out.Open(), 0);
  start = Clock::now();
  EXPECT_EQ(out.Read(answer), 0);
  EXPECT_EQ(answer, "");
  EXPECT_LT(MsSince(start), 1000);
  EXPECT_EQ(out.Write("PRINT 1\r\n"), 0);
  EXPECT_EQ(oneWay.Received(), "PRINT 1\r\n");
}

TEST_F(UsbPrinters, WriteThatRunsOutOfTimeReportsWhatWentAndCanBeResumed) {
  EmulatedPrinter &printer = bed.Plug({});
  printer.AcceptUpTo(100000);  // then the printer stops taking data
  const std::string job = CountingJob(kMiB);
  Port port;
  ASSERT_EQ(port.Create(printer.PortString() + ",WTIMEOUT_300"), 0);
  ASSERT_EQ(port.Open(), 0);
  uint32_t written = 0;
  const auto start = Clock::now();
  EXPECT_EQ(port.Write(job, &written), RAVO_IO_ERR_WRITE_TIMEOUT);
  const long long waited = MsSince(start);
  EXPECT_GE(waited, 290);
  EXPECT_LT(waited, 3000);
  EXPECT_EQ(written, 100000u);

  // The printer takes data again: the rest follows without a gap or a repeat.
  printer.AcceptUpTo(SIZE_MAX);
  uint32_t rest = 0;
  EXPECT_EQ(port.Write(job.substr(written), &rest), 0);
  EXPECT_EQ(written + rest, job.size());
  EXPECT_TRUE(printer.Received() == job);
}

TEST_F(UsbPrinters, PrinterUnpluggedDuringAWriteGivesNoDeviceWithoutWaitingOut) {
  EmulatedPrinter &printer = bed.Plug({});
  printer.AcceptUpTo(256 * 1024);
  Port port;
  ASSERT_EQ(port.Create(printer.PortString() + ",WTIMEOUT_10000"), 0);
  ASSERT_EQ(port.Open(), 0);
  std::thread cable([&] {
    if (printer.WaitForReceived(256 * 1024, std::chrono::seconds(10))) printer.Disconnect();
  });
  uint32_t written = 0;
  const auto start = Clock::now();
  const int32_t rc = port.Write(CountingJob(kMiB), &written);
  const long long waited = MsSince(start);
  cable.join();
  EXPECT_EQ(rc, kNoDevice);
  EXPECT_EQ(written, 256u * 1024);
  EXPECT_LT(waited, 5000) << "the write waited for its timeout";
  bed.Unplug(printer);

  // Everything after the removal fails at once; the port still closes.
  std::string answer;
  EXPECT_EQ(port.Write("more"), kNoDevice);
  EXPECT_EQ(port.Read(answer), kNoDevice);
  EXPECT_EQ(port.Close(), 0);
  EXPECT_EQ(port.Open(), RAVO_IO_ERR_USB_NOT_FOUND);
}

TEST_F(UsbPrinters, PrinterUnpluggedBetweenJobs) {
  EmulatedPrinter &printer = bed.Plug({});
  Port port;
  ASSERT_EQ(port.Create(printer.PortString()), 0);
  ASSERT_EQ(port.Open(), 0);
  ASSERT_EQ(port.Write("first"), 0);
  bed.Unplug(printer);
  uint32_t written = 7;
  EXPECT_EQ(port.Write("second", &written), kNoDevice);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(printer.Received(), "first");

  // Switched off and on again: the same port string finds it at its new address.
  EmulatedPrinter &again = bed.Plug(printer.profile());
  EXPECT_EQ(port.Close(), 0);
  ASSERT_EQ(port.Open(), 0);
  EXPECT_EQ(port.Write("second"), 0);
  EXPECT_EQ(again.Received(), "second");
}

TEST_F(UsbPrinters, InterfaceClaimedElsewhereIsBusy) {
  EmulatedPrinter &taken = bed.Plug(Printer(0x811E, "T1"));
  EmulatedPrinter &shared = bed.Plug(Printer(0x811E, "S1"));
  taken.ClaimElsewhere();
  Port port;
  ASSERT_EQ(port.Create(taken.PortString()), 0);
  EXPECT_EQ(port.Open(), RAVO_IO_ERR_USB_BUSY);
  EXPECT_EQ(taken.InterfaceDriver(), "usbfs");  // still the other program's

  // Two ports on one printer: the second waits for the first to close.
  Port first, second;
  ASSERT_EQ(first.Create(shared.PortString()), 0);
  ASSERT_EQ(second.Create(shared.PortString()), 0);
  ASSERT_EQ(first.Open(), 0);
  EXPECT_EQ(second.Open(), RAVO_IO_ERR_USB_BUSY);
  EXPECT_EQ(first.Close(), 0);
  EXPECT_EQ(second.Open(), 0);
}

TEST_F(UsbPrinters, KernelDriverIsDetachedForTheSessionAndGivenBack) {
  UsbPrinterProfile unbound = Printer(0x811E, "K3");
  unbound.kernelDriver = "";  // usblp not loaded: nothing to give back
  UsbPrinterProfile composite = Printer(0x811E, "K4");
  composite.composite = true;  // the printer is interface 1
  const std::vector<std::string> detached = {"detach usblp", "claim", "release", "attach usblp"};
  const struct {
    UsbPrinterProfile profile;
    bool closeFirst;  // else the port object is destroyed while open
    std::vector<std::string> events;
  } rows[] = {
      {Printer(0x811E, "K1"), true, detached},
      {Printer(0x811E, "K2"), false, detached},
      {unbound, true, {"claim", "release"}},
      {composite, true, detached},
  };
  for (const auto &row : rows) {
    EmulatedPrinter &printer = bed.Plug(row.profile);
    const std::string serial = row.profile.serial;
    ASSERT_EQ(printer.InterfaceDriver(), row.profile.kernelDriver) << serial;
    {
      Port port;
      ASSERT_EQ(port.Create(printer.PortString()), 0);
      ASSERT_EQ(port.Open(), 0) << serial;
      EXPECT_EQ(printer.InterfaceDriver(), "usbfs") << serial;
      EXPECT_EQ(port.Write("x"), 0) << serial;
      if (row.closeFirst) {
        EXPECT_EQ(port.Close(), 0);
      }
    }
    EXPECT_EQ(printer.InterfaceDriver(), row.profile.kernelDriver) << serial;
    EXPECT_EQ(printer.DriverEvents(), row.events) << serial;
    EXPECT_EQ(printer.Received(), "x") << serial;
  }
}

// Programs that close the device without releasing the interface (PAPPL's
// USB device does) lose it on close, as with the kernel's usbfs; the next
// program can claim it at once.
TEST_F(UsbPrinters, ClosingTheDeviceLetsGoOfTheInterface) {
  EmulatedPrinter &printer = bed.Plug(Printer(0x811E, "R1"));
  libusb_context *context = nullptr;
  ASSERT_EQ(libusb_init(&context), 0);
  libusb_device_handle *first = libusb_open_device_with_vid_pid(context, 0x0FE6, 0x811E);
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(libusb_set_auto_detach_kernel_driver(first, 1), 0);
  ASSERT_EQ(libusb_claim_interface(first, 0), 0);
  libusb_close(first);

  Port port;
  ASSERT_EQ(port.Create(printer.PortString()), 0);
  ASSERT_EQ(port.Open(), 0);
  EXPECT_EQ(port.Write("y"), 0);
  EXPECT_EQ(port.Close(), 0);
  EXPECT_EQ(printer.Received(), "y");
  libusb_exit(context);
}

std::vector<std::string> ListedUsbPrinters() {
  uint32_t needed = 0, count = 0;
  EXPECT_EQ(ravo_io_enum_usb_printers(nullptr, 0, &needed, &count), RAVO_IO_ERR_BUFFER_TOO_SMALL);
  std::string buffer(needed, '?');
  EXPECT_EQ(ravo_io_enum_usb_printers(buffer.data(), needed, &needed, &count), 0);
  std::vector<std::string> names;
  for (const char *name = buffer.c_str(); *name != '\0'; name += std::strlen(name) + 1) {
    names.emplace_back(name);
  }
  EXPECT_EQ(names.size(), count);
  return names;
}

TEST_F(UsbPrinters, ListedPortStringsNameEachPrinterAndOpenIt) {
  UsbPrinterProfile gadget = Printer(0x0001, "G1");
  gadget.printerClass = false;
  UsbPrinterProfile anonymous = Printer(0x8121, "");
  UsbPrinterProfile oddSerial = Printer(0x8120, "NO,COMMA");
  bed.Plug(gadget);
  EmulatedPrinter &a = bed.Plug(Printer(0x811F, "A1"));
  EmulatedPrinter &b = bed.Plug(anonymous);
  EmulatedPrinter &c = bed.Plug(oddSerial);
  // In bus order, the order in which "USB" takes the first; a printer in use
  // is listed too, a serial that cannot be written in a port string is not.
  Port busy;
  ASSERT_EQ(busy.Create(a.PortString()), 0);
  ASSERT_EQ(busy.Open(), 0);
  const std::vector<std::string> expected = {"USB,VID_0FE6&PID_811F&SN_A1", "USB,VID_0FE6&PID_8121",
                                             "USB,VID_0FE6&PID_8120"};
  EXPECT_EQ(ListedUsbPrinters(), expected);
  EXPECT_EQ(busy.Close(), 0);

  for (size_t i = 0; i < expected.size(); ++i) {
    Port port;
    ASSERT_EQ(port.Create(expected[i]), 0);
    ASSERT_EQ(port.Open(), 0) << expected[i];
    EXPECT_EQ(port.Write(expected[i]), 0);
  }
  EXPECT_EQ(a.Received(), expected[0]);
  EXPECT_EQ(b.Received(), expected[1]);
  EXPECT_EQ(c.Received(), expected[2]);
}

}  // namespace
