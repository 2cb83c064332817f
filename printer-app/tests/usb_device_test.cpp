// The application's usb:// device (PAPPL's, over libusb) against emulated
// USB printers (umockdev): discovery, a job that arrives as it goes over
// the network, and a printer unplugged in the middle of a job.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "app_process.h"
#include "emulated_usb.h"
#include "ipp_client.h"
#include "label_png.h"
#include "sim_process.h"

using namespace ravo::usbtest;

namespace ravo::app::test {
namespace {

constexpr const char *kSerial = "U1";

// A TSPL printer that is ready: <ESC>!? is answered with status 0.
PrinterScript ReadyLabelPrinter() {
  PrinterScript script;
  script.Answer("\x1B!?", std::string(1, '\0'));
  return script;
}

// How often `needle` occurs in `haystack`.
size_t Count(const std::string &haystack, const std::string &needle) {
  size_t count = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

class AppOnUsb : public ::testing::Test {
 protected:
  AppOnUsb() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ravo-docs-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) docs_ = pattern;
  }
  ~AppOnUsb() override {
    if (app_ && HasFailure())
      std::fprintf(stderr, "--- application log ---\n%s\n", app_->Log().c_str());
    app_.reset();
    std::error_code ec;
    std::filesystem::remove_all(docs_, ec);
  }

  EmulatedPrinter &Plug() {
    EmulatedPrinter &printer = bed_.Plug({.serial = kSerial});
    printer.SetScript(ReadyLabelPrinter());
    return printer;
  }

  // The application, with printer "label" on the usb:// URI it lists for
  // the emulated printer.
  void StartApp() {
    app_ = std::make_unique<AppProcess>();
    ASSERT_TRUE(app_->Running()) << app_->Error();
    const Finished devices = app_->Run("devices", {});
    ASSERT_EQ(devices.status, 0) << devices.output;
    const std::string uri = "usb://Ravo/Emulated?serial=" + std::string(kSerial);
    ASSERT_NE(devices.output.find(uri), std::string::npos) << devices.output;
    ASSERT_TRUE(app_->AddPrinter("label", uri, "ravo_tgv"));
  }

  std::string Uri() const { return app_->PrinterUri("label"); }
  std::string Png() const {
    const std::string path = (docs_ / "label.png").string();
    EXPECT_TRUE(WritePng(path, TestLabel()));
    return path;
  }

  UsbTestbed bed_;
  std::unique_ptr<AppProcess> app_;
  std::filesystem::path docs_;
};

TEST_F(AppOnUsb, PrintJobReachesTheUsbPrinterAsItReachesANetworkPrinter) {
  EmulatedPrinter &printer = Plug();
  ASSERT_NO_FATAL_FAILURE(StartApp());
  const std::string png = Png();
  const int job = PrintJob(Uri(), png, "image/png", "ATTR integer copies 2");
  ASSERT_GT(job, 0);
  ASSERT_TRUE(WaitForJobState(Uri(), job, "completed", 20)) << JobState(Uri(), job);

  // The same job to the virtual printer over socket://, from the same app.
  sim::SimProcess sim({"--model", "TGV"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  ASSERT_TRUE(
      app_->AddPrinter("net", "socket://127.0.0.1:" + std::to_string(sim.Port()), "ravo_tgv"));
  const std::string netUri = app_->PrinterUri("net");
  const int netJob = PrintJob(netUri, png, "image/png", "ATTR integer copies 2");
  ASSERT_GT(netJob, 0);
  ASSERT_TRUE(WaitForJobState(netUri, netJob, "completed", 20));
  ASSERT_TRUE(sim.Stop());
  std::string overNetwork;
  for (const sim::ReceivedSession &session : sim.Sessions())
    overNetwork.append(session.bytes.begin(), session.bytes.end());

  const std::string overUsb = printer.Received();
  EXPECT_EQ(overUsb.size(), overNetwork.size());
  EXPECT_TRUE(overUsb == overNetwork) << "the USB printer got other bytes";
  EXPECT_EQ(Count(overUsb, "PRINT 1,2\r\n"), 1u);
  const std::vector<size_t> transfers = printer.OutTransfers();
  EXPECT_EQ(std::count(transfers.begin(), transfers.end(), 0u), 0) << "zero-length packets";
  // The interface is given up once the job is done.
  EXPECT_EQ(printer.InterfaceDriver(), "");
}

TEST_F(AppOnUsb, PrinterUnpluggedMidJobGetsTheWholeJobOnceWhenPluggedBackIn) {
  EmulatedPrinter &first = Plug();
  ASSERT_NO_FATAL_FAILURE(StartApp());
  first.AcceptUpTo(30000);  // the printer stalls partway through the label
  const int job = PrintJob(Uri(), Png(), "image/png");
  ASSERT_GT(job, 0);
  ASSERT_TRUE(first.WaitForReceived(30000, std::chrono::seconds(20)));
  bed_.Unplug(first);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_EQ(JobState(Uri(), job), "processing");

  EmulatedPrinter &again = Plug();
  ASSERT_TRUE(WaitForJobState(Uri(), job, "completed", 30)) << JobState(Uri(), job);
  const std::string cut = first.Received();
  const std::string whole = again.Received();
  EXPECT_EQ(Count(cut, "PRINT"), 0u) << "the cut-off start printed a label";
  EXPECT_EQ(Count(whole, "SIZE "), 1u);
  EXPECT_EQ(Count(whole, "PRINT 1,1\r\n"), 1u);
  // The job went again from its start: what the first printer got is the
  // beginning of it.
  const size_t start = whole.find("SIZE ");
  ASSERT_NE(start, std::string::npos);
  const size_t cutStart = cut.find("SIZE ");
  ASSERT_NE(cutStart, std::string::npos);
  EXPECT_TRUE(whole.compare(start, cut.size() - cutStart, cut, cutStart) == 0)
      << "the job sent again differs from the first try";
  EXPECT_TRUE(whole.ends_with("PRINT 1,1\r\n\x1B!?"));
}

}  // namespace
}  // namespace ravo::app::test
