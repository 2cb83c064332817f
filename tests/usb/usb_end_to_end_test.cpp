// The libraries and tools over an emulated USB printer: a whole label
// through TSPL_ calls, the serial number, a parameter-block round trip with
// ravo, and the port lists.  Label and round trip run over the network
// too, and both must put the same bytes on the wire.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>

#include "emulated_usb.h"
#include "exit_codes.h"
#include "heron.h"
#include "loopback_listener.h"
#include "mdl_function.h"
#include "run.h"

using namespace ravo::usbtest;
using ravo::testing::LoopbackListener;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kImageWidth = 864, kImageHeight = 640;

// Top half: left black, right white; bottom half the other way round.
uint8_t Quarters(uint32_t x, uint32_t y) {
  return (x < kImageWidth / 2) == (y < kImageHeight / 2) ? 0 : 255;
}

// A 24-bit BMP of the Quarters image (rows bottom-up, no padding needed).
std::string WriteQuartersBmp(const fs::path &path) {
  const uint32_t rowBytes = kImageWidth * 3, pixelBytes = rowBytes * kImageHeight;
  std::string bmp = "BM";
  auto put = [&bmp](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<char>(value >> (8 * i)));
  };
  put(54 + pixelBytes, 4), put(0, 4), put(54, 4);                    // file header
  put(40, 4), put(kImageWidth, 4), put(kImageHeight, 4), put(1, 2);  // info header
  put(24, 2), put(0, 4), put(pixelBytes, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
  for (uint32_t row = kImageHeight; row-- > 0;) {
    for (uint32_t x = 0; x < kImageWidth; ++x) bmp.append(3, static_cast<char>(Quarters(x, row)));
  }
  std::ofstream(path, std::ios::binary) << bmp;
  return path.string();
}

// The label as the TSPL reference writes it; a raster bit of 0 prints.
std::string ExpectedLabel() {
  std::string label =
      "SIZE 108mm,80mm\r\nSPEED 4\r\nDENSITY 6\r\nGAP 2mm,0mm\r\n"
      "CLS\r\n"
      "TEXT 20,20,\"3\",0,1,1,\"Lot 42\"\r\n"
      "BARCODE 20,60,\"128\",80,1,0,2,4,\"4006381333931\"\r\n"
      "QRCODE 600,20,M,6,A,0,M2,S7,\"https://example.com/42\"\r\n"
      "BOX 10,10,850,630,3\r\n"
      "BITMAP 0,0,108,640,0\r\n";
  const std::string black(kImageWidth / 16, '\x00'), white(kImageWidth / 16, '\xFF');
  for (uint32_t y = 0; y < kImageHeight; ++y)
    label += y < kImageHeight / 2 ? black + white : white + black;
  return label + "PRINT 1,2\r\n";
}

// Every call's result, in order.
std::vector<int32_t> PrintLabel(const std::string &port, const std::string &image) {
  PrtHandle printer = PrtPrinterCreatorS("TQM");
  if (printer == nullptr) return {-1};
  std::vector<int32_t> results = {
      PrtPortOpenA(printer, port.c_str()), TSPL_Setup(printer, 108, 80, 4, 6, 2, 0),
      TSPL_ClearBuffer(printer), TSPL_Text(printer, 20, 20, 3, 0, 1, 1, "Lot 42"),
      TSPL_BarCode(printer, 20, 60, 0, 80, 1, 0, 2, 4, "4006381333931"),
      // The caller quotes the content, as in the TSPL command.
      TSPL_QrCode(printer, 600, 20, 1, 6, 0, 0, 1, 7, "\"https://example.com/42\""),
      TSPL_Box(printer, 10, 10, 850, 630, 3), TSPL_BitMapA(printer, 0, 0, 0, image.c_str()),
      TSPL_Print(printer, 1, 2), PrtPortClose(printer), PrtPrinterDestroy(printer)};
  return results;
}

TEST(UsbEndToEnd, LabelThroughTsplCallsArrivesAsOverTheNetwork) {
  const fs::path imagePath =
      fs::temp_directory_path() / ("quarters-" + std::to_string(::getpid()) + ".bmp");
  const std::string image = WriteQuartersBmp(imagePath);
  const std::string expected = ExpectedLabel();
  const std::vector<int32_t> allOk(11, 0);

  UsbTestbed bed;
  EmulatedPrinter &usb = bed.Plug({});
  EXPECT_EQ(PrintLabel(usb.PortString(), image), allOk);
  EXPECT_TRUE(usb.Received() == expected) << usb.Received().size() << " of " << expected.size();
  // The raster alone is larger than one transfer.
  const std::vector<size_t> transfers = usb.OutTransfers();
  EXPECT_EQ(*std::max_element(transfers.begin(), transfers.end()), 64u * 1024);

  LoopbackListener network;
  EXPECT_EQ(PrintLabel(network.PortString(), image), allOk);
  ASSERT_TRUE(network.WaitForBytes(expected.size()));
  EXPECT_TRUE(network.Received() == expected);
  fs::remove(imagePath);
}

TEST(UsbEndToEnd, SerialNumberComesBack) {
  UsbTestbed bed;
  EmulatedPrinter &usb = bed.Plug({});
  LabelPrinterPersona persona;
  persona.serial = "TQM2512345";
  usb.SetScript(LabelPrinterScript(persona));
  PrtHandle printer = PrtPrinterCreatorS("TQM");
  ASSERT_NE(printer, nullptr);
  ASSERT_EQ(PrtPortOpenA(printer, usb.PortString().c_str()), 0);
  char serial[TSPL_SN_SIZE] = {};
  EXPECT_EQ(TSPL_GetSN(printer, serial), 0);
  EXPECT_STREQ(serial, "TQM2512345");
  EXPECT_EQ(PrtPrinterDestroy(printer), 0);
}

struct RavoResult {
  int code = -1;
  nlohmann::json data;
  std::string err;
};

RavoResult Ravo(std::vector<std::string> argv) {
  for (const char *option : {"--json", "--files", RAVO_SHIPPED_FILES_DIR}) argv.push_back(option);
  std::ostringstream out, err;
  RavoResult result;
  result.code = ravo::cli::Run(argv, out, err, nullptr);
  result.err = err.str();
  result.data = nlohmann::json::parse(out.str(), nullptr, false);
  return result;
}

std::string FileBytes(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A temporary folder for ravo's backups.
struct BackupDir {
  fs::path path;
  explicit BackupDir(const std::string &name)
      : path(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
    fs::remove_all(path);
  }
  ~BackupDir() { fs::remove_all(path); }
  std::vector<fs::path> Files() const {
    std::vector<fs::path> files;
    if (fs::exists(path)) {
      for (const auto &entry : fs::directory_iterator(path)) files.push_back(entry.path());
    }
    return files;
  }
};

TEST(UsbEndToEnd, ParameterBlockRoundTripAsOverTheNetwork) {
  LabelPrinterPersona persona;
  persona.serial = "TQX2500001";
  persona.block = SealedBlock(0x01);
  const std::string original(persona.block.begin(), persona.block.end());
  // The block is the reply of the script's third rule (see LabelPrinterScript).
  constexpr PrinterScript::RuleId kBlockRule = 2;

  UsbTestbed bed;
  EmulatedPrinter &usb = bed.Plug({});
  usb.SetScript(LabelPrinterScript(persona));
  BackupDir usbBackups("ravo-usb-backups");
  const RavoResult overUsb = Ravo({"params", "set", "density=8", "--port", usb.PortString(),
                                   "--model", "TQX80", "--backup-dir", usbBackups.path.string()});
  ASSERT_EQ(overUsb.code, ravo::cli::kExitOk) << overUsb.err;

  std::mutex mutex;
  PrinterScript netScript = LabelPrinterScript(persona);
  std::string netBlock;
  BackupDir netBackups("ravo-net-backups");
  RavoResult overNet;
  {
    LoopbackListener network([&](const std::string &piece) {
      std::lock_guard lock(mutex);
      return netScript.Feed(piece);
    });
    overNet = Ravo({"params", "set", "density=8", "--port", network.PortString(), "--model",
                    "TQX80", "--backup-dir", netBackups.path.string()});
    ASSERT_EQ(overNet.code, ravo::cli::kExitOk) << overNet.err;
    EXPECT_TRUE(usb.Received() == network.Received()) << "the conversations differ";
  }
  netBlock = netScript.ReplyOf(kBlockRule);

  const std::string usbBlock = usb.Script().ReplyOf(kBlockRule);
  EXPECT_EQ(usbBlock, netBlock);
  EXPECT_NE(usbBlock, original) << "nothing was written";
  EXPECT_EQ(overUsb.data["changed"],
            nlohmann::json::array({{{"field", "density"}, {"from", "1"}, {"to", "8"}}}));
  EXPECT_EQ(overUsb.data["changed"], overNet.data["changed"]);
  // What changed: one field's byte and the two checksum bytes.
  size_t differing = 0;
  for (size_t i = 0; i < original.size(); ++i) differing += usbBlock[i] != original[i];
  EXPECT_GE(differing, 2u);
  EXPECT_LE(differing, 3u);
  for (const BackupDir *dir : {&usbBackups, &netBackups}) {
    ASSERT_EQ(dir->Files().size(), 1u);
    EXPECT_EQ(FileBytes(dir->Files()[0]), original);
  }
}

TEST(UsbEndToEnd, PortListsShowThePrinterWithItsIdsAndSerial) {
  UsbTestbed bed;
  bed.Plug({});
  const RavoResult ports = Ravo({"ports"});
  EXPECT_TRUE(ports.code == ravo::cli::kExitOk || ports.code == ravo::cli::kExitPort) << ports.err;
  EXPECT_EQ(ports.data["usb"], nlohmann::json::array({"USB,VID_0FE6&PID_811E&SN_EMU0000001"}));

  int32_t error = -1;
  EXPECT_EQ(mdlFunction::EnumPortNames("USB", &error),
            QStringList{"USB,VID_0FE6&PID_811E&SN_EMU0000001:"});
  EXPECT_EQ(error, 0);
}

}  // namespace
