// Printing through the application with a real IPP client (ipptool) onto
// the virtual printer: what the printer reports, and the labels that come
// out of PNG, PWG raster and raw jobs in each printer language.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "app_on_sim.h"
#include "heron.h"
#include "ipp_client.h"
#include "pwg_file.h"
#include "ravoio.h"

namespace ravo::app::test {
namespace {

constexpr uint32_t kLabelWidth = 864;    // the TGV persona's head
constexpr uint32_t kLabelLength = 1219;  // 152.4 mm at 8 dots per mm

void ExpectTestLabel(const GreyPicture &label) {
  ASSERT_EQ(label.width, kLabelWidth);
  ASSERT_EQ(label.height, kLabelLength);
  EXPECT_GT(label.DarkShare(100, 100, 400, 300), 0.999) << "block";
  EXPECT_GT(label.DarkShare(500, 100, 510, 590), 0.999) << "bar above the ramp";
  EXPECT_GT(label.DarkShare(500, 810, 510, 1100), 0.999) << "bar below the ramp";
  EXPECT_LT(label.DarkShare(0, 0, 812, 95), 0.001) << "above the block";
  EXPECT_LT(label.DarkShare(410, 100, 495, 590), 0.001) << "between block and bar";
  EXPECT_LT(label.DarkShare(812, 0, kLabelWidth, kLabelLength), 0.001) << "beyond the image";
  // The ramp is dithered: light on the left, dark on the right.
  const double left = label.DarkShare(0, 600, 200, 800);
  const double right = label.DarkShare(612, 600, 812, 800);
  EXPECT_LT(left, 0.2);
  EXPECT_GT(right, 0.8);
  EXPECT_GT(label.DarkShare(300, 600, 500, 800), 0.3);
  EXPECT_LT(label.DarkShare(300, 600, 500, 800), 0.7);
}

class PrintTest : public AppOnSim {};

TEST_F(PrintTest, PrinterAttributesListMediaDarknessAndSpeed) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  const std::string test = R"({
  OPERATION Get-Printer-Attributes
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR keyword requested-attributes all
  STATUS successful-ok
  EXPECT printer-make-and-model WITH-VALUE "RAVO TGV"
  EXPECT printer-kind WITH-VALUE "label"
  EXPECT media-supported WITH-VALUE "oe_4x6-label_4x6in"
  EXPECT media-supported WITH-VALUE "om_40x30-label_40x30mm"
  EXPECT media-default WITH-VALUE "oe_4x6-label_4x6in"
  EXPECT media-size-supported OF-TYPE collection
  EXPECT media-type-supported WITH-VALUE "labels"
  EXPECT media-tracking-supported WITH-VALUE "mark"
  EXPECT media-tracking-supported WITH-VALUE "continuous"
  EXPECT printer-darkness-supported OF-TYPE integer WITH-VALUE 16
  EXPECT print-darkness-supported OF-TYPE integer
  EXPECT printer-darkness-configured OF-TYPE integer WITH-VALUE 50
  EXPECT print-speed-supported OF-TYPE rangeOfInteger|integer
  EXPECT label-tear-offset-supported OF-TYPE rangeOfInteger
  EXPECT printer-resolution-supported WITH-VALUE 203dpi
  EXPECT document-format-supported WITH-VALUE "image/png"
  EXPECT document-format-supported WITH-VALUE "image/jpeg"
  EXPECT document-format-supported WITH-VALUE "image/pwg-raster"
  EXPECT pwg-raster-document-type-supported WITH-VALUE "sgray_8"
  EXPECT urf-supported WITH-VALUE "W8"
  EXPECT urf-supported WITH-VALUE "RS203"
  EXPECT document-format-supported WITH-VALUE "image/urf"
  EXPECT document-format-supported WITH-VALUE "application/vnd.ravo-tspl"
  EXPECT ravo-label-gap-supported OF-TYPE rangeOfInteger
  EXPECT printer-supply-description WITH-VALUE "Labels"
}
{
  OPERATION Get-Printer-Attributes
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR keyword requested-attributes media-col-database
  STATUS successful-ok
  EXPECT media-col-database OF-TYPE collection
}
)";
  const Finished run = RunIppTest(Uri(), test);
  EXPECT_EQ(run.status, 0) << run.output;
}

TEST_F(PrintTest, PngPrintsDotForDotAsTheLibraryPrintsIt) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  const std::string png = WritePicture("label.png", TestLabel());
  ASSERT_GT(PrintJob(Uri(), png, "image/png"), 0);
  ASSERT_TRUE(WaitForLabels(1));
  const GreyPicture viaApp = Label(0);
  ExpectTestLabel(viaApp);
  EXPECT_NE(Received().find("SIZE 101.6mm,152.4mm\r\n"), std::string::npos);

  // The same file through the TSPL library onto the same printer.
  PrtHandle printer = nullptr;
  ASSERT_EQ(PrtPrinterCreatorA(&printer, "TGV"), PRT_SUCCESS);
  ASSERT_EQ(PrtPortOpenA(printer, sim_->PortString().c_str()), PRT_SUCCESS);
  const std::string setup = "SIZE 101.6mm,152.4mm\r\nCLS\r\n";
  EXPECT_EQ(PrtWriteData(printer, reinterpret_cast<const uint8_t *>(setup.data()),
                         static_cast<int32_t>(setup.size())),
            PRT_SUCCESS);
  EXPECT_EQ(TSPL_BitMapA(printer, 0, 0, 0, png.c_str()), PRT_SUCCESS);
  EXPECT_EQ(TSPL_Print(printer, 1, 1), PRT_SUCCESS);
  PrtPortClose(printer);
  PrtPrinterDestroy(printer);
  ASSERT_TRUE(WaitForLabels(2));
  const GreyPicture viaLibrary = Label(1);
  ASSERT_EQ(viaLibrary.width, viaApp.width);
  ASSERT_EQ(viaLibrary.height, viaApp.height);
  EXPECT_TRUE(viaLibrary.grey == viaApp.grey) << "the dots differ from the library's";
}

TEST_F(PrintTest, PwgAndAppleRasterRenderTheLabelAsThePngDoes) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  const std::string pwg = DocumentPath("label.pwg");
  const std::string urf = DocumentPath("label.urf");
  ASSERT_TRUE(WritePwg(pwg, TestLabel()));
  ASSERT_TRUE(WritePwg(urf, TestLabel(), true));
  const std::string png = WritePicture("label.png", TestLabel());
  ASSERT_GT(PrintJob(Uri(), pwg, "image/pwg-raster"), 0);
  ASSERT_GT(PrintJob(Uri(), urf, "image/urf"), 0);
  ASSERT_GT(PrintJob(Uri(), png, "image/png"), 0);
  ASSERT_TRUE(WaitForLabels(3));
  ExpectTestLabel(Label(0));
  // Grey raster goes through the same weights and dither as a grey PNG.
  EXPECT_TRUE(Label(0).grey == Label(2).grey) << "PWG raster and PNG differ";
  EXPECT_TRUE(Label(1).grey == Label(2).grey) << "Apple raster and PNG differ";
}

TEST_F(PrintTest, CopiesArePrintedByThePrinterFromOneRaster) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  const std::string png = WritePicture("label.png", TestLabel());
  const int32_t before = JourneyCounter();
  const int job = PrintJob(Uri(), png, "image/png", "ATTR integer copies 3");
  ASSERT_GT(job, 0);
  ASSERT_TRUE(WaitForJobState(Uri(), job, "completed", 15));
  ASSERT_TRUE(WaitForLabels(1));
  const std::string received = Received();
  EXPECT_EQ(Count(received, "BITMAP "), 1u);
  EXPECT_EQ(Count(received, "PRINT 1,3\r\n"), 1u);
  // 24 dots move the counter on by one; three labels of 1219 dots went out.
  EXPECT_GE(JourneyCounter() - before, 3 * 1219 / 24);
}

TEST_F(PrintTest, MediaTypeDarknessSpeedAndOrientationReachTheSetup) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  const std::string png = WritePicture("small.png", GreyPicture::White(40, 40));
  const int job = PrintJob(Uri(), png, "image/png",
                           "ATTR collection media-col {\n"
                           "  MEMBER collection media-size {\n"
                           "    MEMBER integer x-dimension 5000\n"
                           "    MEMBER integer y-dimension 3000\n"
                           "  }\n"
                           "  MEMBER keyword media-tracking \"mark\"\n"
                           "}\n"
                           "ATTR integer print-darkness 50\n"
                           "ATTR integer print-speed 7620\n"
                           "ATTR enum orientation-requested 6\n"
                           "ATTR integer ravo-label-gap 2");
  ASSERT_GT(job, 0);
  ASSERT_TRUE(WaitForJobState(Uri(), job, "completed", 15));
  const std::string received = Received();
  EXPECT_NE(received.find("SIZE 50mm,30mm\r\nBLINE 2mm,0mm\r\nDIRECTION 1\r\nDENSITY 15\r\n"
                          "SPEED 3\r\n"),
            std::string::npos)
      << received;
}

TEST_F(PrintTest, RawTsplGoesToThePrinterUnchangedOncePerCopy) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  const std::string job =
      "SIZE 60 mm, 40 mm\r\nGAP 2 mm, 0 mm\r\nCLS\r\nBOX 20,20,300,200,8\r\nPRINT 1\r\n";
  const std::string file = WriteDocument("job.tspl", job);
  ASSERT_GT(PrintJob(Uri(), file, "application/vnd.ravo-tspl", "ATTR integer copies 2"), 0);
  ASSERT_TRUE(WaitForLabels(2));
  EXPECT_NE(Received().find(job + job), std::string::npos);
  const GreyPicture label = Label(0);
  EXPECT_EQ(label.height, 320u);
  EXPECT_GT(label.DarkShare(20, 20, 300, 28), 0.99);    // the box's top edge
  EXPECT_LT(label.DarkShare(40, 40, 280, 180), 0.001);  // its inside
  // Sent as application/octet-stream it is recognised as TSPL.
  ASSERT_GT(PrintJob(Uri(), file, "application/octet-stream"), 0);
  EXPECT_TRUE(WaitForLabels(3));
}

TEST_F(PrintTest, CpclPrinterGetsTheLabelAsCompressedGraphics) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TQX80"}, "ravo_mc300"));
  GreyPicture picture = GreyPicture::White(559, 399);  // 70 × 50 mm, MC300's default
  picture.Fill(40, 50, 240, 150, 0);
  ASSERT_GT(
      PrintJob(Uri(), WritePicture("label.png", picture), "image/png", "ATTR integer copies 2"), 0);
  ASSERT_TRUE(WaitForLabels(1));
  const std::string received = Received();
  const size_t header = received.find("! 0 200 200 ");
  ASSERT_NE(header, std::string::npos) << received.substr(0, 100);
  EXPECT_EQ(received.substr(header, received.find("\r\n", header) - header).substr(15), " 2")
      << "the copies go in the label header";
  EXPECT_NE(received.find("COMPRESSED-GRAPHICS 70 "), std::string::npos);
  const GreyPicture label = Label(0);
  EXPECT_GT(label.DarkShare(42, 52, 238, 148), 0.999);
  EXPECT_LT(label.DarkShare(250, 0, 559, 399), 0.001);
  EXPECT_LT(label.DarkShare(0, 160, 559, 399), 0.001);
}

TEST_F(PrintTest, ReceiptPrinterPrintsThePictureAcrossItsPaperAndCuts) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "ESC"}, "ravo_kp330"));
  // An 80 mm wide picture on 80 mm paper: fitted (by 0.9) to the 72 mm the
  // head prints.  A block at the top left, a bar reaching the right edge, a
  // box at the bottom; the blank rows above the block are not fed.
  GreyPicture picture = GreyPicture::White(640, 300);
  picture.Fill(0, 10, 100, 40, 0);
  picture.Fill(500, 100, 620, 120, 0);
  picture.Fill(200, 250, 400, 290, 0);
  const int job =
      PrintJob(Uri(), WritePicture("receipt.png", picture), "image/png", "ATTR integer copies 2");
  ASSERT_GT(job, 0);
  ASSERT_TRUE(WaitForJobState(Uri(), job, "completed", 15));
  ASSERT_TRUE(WaitForLabels(2));
  EXPECT_EQ(Count(Received(), std::string("\x1D\x56\x42\x00", 4)), 2u) << "a cut per copy";
  const GreyPicture receipt = Label(0);
  ASSERT_EQ(receipt.width, 576u);
  ASSERT_GT(receipt.height, 252u);
  EXPECT_GT(receipt.DarkShare(2, 2, 88, 25), 0.999) << "block";
  EXPECT_GT(receipt.DarkShare(452, 83, 556, 97), 0.999) << "bar";
  EXPECT_GT(receipt.DarkShare(182, 218, 358, 250), 0.999) << "box";
  EXPECT_LT(receipt.DarkShare(95, 0, 445, 78), 0.001) << "right of the block";
  EXPECT_LT(receipt.DarkShare(562, 0, 576, receipt.height), 0.001) << "right of the bar";
  EXPECT_LT(receipt.DarkShare(0, 32, 175, receipt.height), 0.001) << "left of the box";
  EXPECT_LT(receipt.DarkShare(0, 256, 576, receipt.height), 0.001) << "the feed before the cut";
  EXPECT_TRUE(Label(1).grey == receipt.grey) << "the copies differ";
}

TEST_F(PrintTest, SerialPrinterIsReachedThroughThePortLibrary) {
  const std::string tty = DocumentPath("ttyRAVO");
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV", "--pty", tty}, "ravo_tgv", {},
                                       "ravo-serial://" + tty + "?baud=115200"));
  const int job = PrintJob(Uri(), WritePicture("label.png", TestLabel()), "image/png");
  ASSERT_GT(job, 0);
  ASSERT_TRUE(WaitForJobState(Uri(), job, "completed", 30));
  ASSERT_TRUE(WaitForLabels(1));
  ExpectTestLabel(Label(0));
  // The status query went out and was answered on the serial line too.
  EXPECT_TRUE(Received().starts_with("\x1B!?SIZE 101.6mm,152.4mm\r\n"));
}

TEST_F(PrintTest, ParallelPrinterGetsTheJobWithoutQueries) {
  const std::string port = WriteDocument("lp0", "");  // a write-only device: here a file
  ASSERT_NO_FATAL_FAILURE(
      StartPrinter({"--model", "TGV"}, "ravo_tgv", {}, "ravo-parallel://" + port));
  const std::string job = "SIZE 40 mm,30 mm\r\nCLS\r\nBAR 10,10,100,4\r\nPRINT 1\r\n";
  const int id = PrintJob(Uri(), WriteDocument("job.tspl", job), "application/vnd.ravo-tspl",
                          "ATTR integer copies 2");
  ASSERT_GT(id, 0);
  ASSERT_TRUE(WaitForJobState(Uri(), id, "completed", 15));
  std::ifstream in(port, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), job + job);
}

std::string HttpGet(int port, const std::string &path) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string response;
  if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0) {
    const std::string request = "GET " + path + " HTTP/1.0\r\nHost: localhost\r\n\r\n";
    if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
        static_cast<ssize_t>(request.size())) {
      timeval timeout{10, 0};
      ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
      char buffer[4096];
      ssize_t n = 0;
      while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) response.append(buffer, n);
    }
  }
  ::close(fd);
  return response;
}

TEST_F(PrintTest, WebInterfaceShowsThePrinterAndItsDefaults) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  const std::string home = HttpGet(app_->Port(), "/");
  EXPECT_TRUE(home.starts_with("HTTP/1.0 200") || home.starts_with("HTTP/1.1 200"))
      << home.substr(0, 200);
  EXPECT_NE(home.find("label"), std::string::npos);
  const std::string printer = HttpGet(app_->Port(), "/label");
  EXPECT_NE(printer.find(" 200 "), std::string::npos) << printer.substr(0, 200);
  EXPECT_NE(printer.find("RAVO TGV"), std::string::npos);
  // Add Printer lists devices, DNS-SD among them, with or without Avahi.
  const std::string add = HttpGet(app_->Port(), "/addprinter");
  EXPECT_NE(add.find("ravo_tgv"), std::string::npos) << add.substr(0, 300);
  EXPECT_NE(HttpGet(app_->Port(), "/").find(" 200 "), std::string::npos) << "the server died";
}

TEST_F(PrintTest, DevicesListThePortsThePortLibraryFinds) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  const Finished devices = app_->Run("devices", {});
  ASSERT_EQ(devices.status, 0) << devices.output;
  uint32_t needed = 0;
  ravo_io_enum_ports("COM", nullptr, 0, &needed, nullptr);
  std::vector<char> names(std::max<uint32_t>(needed, 1));
  ASSERT_EQ(ravo_io_enum_ports("COM", names.data(), needed, &needed, nullptr), RAVO_IO_OK);
  for (const char *name = names.data(); *name != '\0'; name += std::strlen(name) + 1) {
    std::string device(name, std::strlen(name) - 1);  // without the colon
    if (device.starts_with("COM"))
      device = "ttyS" + std::to_string(std::stoi(device.substr(3)) - 1);
    if (!device.starts_with("/")) device = "/dev/" + device;
    EXPECT_NE(devices.output.find("ravo-serial://" + device + "?baud=9600"), std::string::npos)
        << name << " missing from\n"
        << devices.output;
  }
}

}  // namespace
}  // namespace ravo::app::test
