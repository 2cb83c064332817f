// A CUPS queue made the way the README says (lpadmin -m everywhere) on a
// private cupsd, pointing at the application: a PNG printed with lp comes
// out of the virtual printer.  Skipped, with the reason, when cupsd cannot
// start here.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "app_on_sim.h"

namespace ravo::app::test {
namespace {

constexpr const char *kCupsd = "/usr/sbin/cupsd";
constexpr const char *kLpadmin = "/usr/sbin/lpadmin";
constexpr const char *kLp = "/usr/bin/lp";

int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof addr;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &length) == 0) {
    port = ntohs(addr.sin_port);
  }
  ::close(fd);
  return port;
}

bool Accepts(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
  ::close(fd);
  return ok;
}

// cupsd in the foreground with every file of its own under `dir`.
class PrivateCupsd {
 public:
  explicit PrivateCupsd(const std::filesystem::path &dir) : dir_(dir), port_(FreePort()) {
    for (const char *sub : {"cache", "state", "spool", "tmp", "ppd", "log"}) {
      std::filesystem::create_directories(dir_ / sub);
    }
    // Filters and backends run as another user and must reach the spool.
    for (std::filesystem::path p = dir_; p.has_relative_path() && p != p.parent_path();
         p = p.parent_path()) {
      if (p == std::filesystem::temp_directory_path()) break;
      std::error_code ec;
      std::filesystem::permissions(
          p, std::filesystem::perms::others_exec | std::filesystem::perms::group_exec,
          std::filesystem::perm_options::add, ec);
    }
    std::ofstream(dir_ / "cupsd.conf") << "Listen 127.0.0.1:" << port_ << "\n"
                                       << "Browsing No\nWebInterface No\nLogLevel info\n"
                                       << "DefaultAuthType None\n"
                                       << "<Location />\n  Order allow,deny\n  Allow all\n"
                                       << "</Location>\n"
                                       << "<Policy default>\n  <Limit All>\n"
                                       << "    Order deny,allow\n  </Limit>\n</Policy>\n";
    std::ofstream(dir_ / "cups-files.conf")
        << "ServerRoot " << dir_.string() << "\nCacheDir " << (dir_ / "cache").string()
        << "\nStateDir " << (dir_ / "state").string() << "\nRequestRoot "
        << (dir_ / "spool").string() << "\nTempDir " << (dir_ / "tmp").string() << "\nErrorLog "
        << (dir_ / "log/error_log").string() << "\nAccessLog " << (dir_ / "log/access_log").string()
        << "\nPageLog " << (dir_ / "log/page_log").string() << "\nPrintcap "
        << (dir_ / "printcap").string() << "\n";
  }

  // Empty when it runs; else why not.
  std::string Start() {
    if (!std::filesystem::exists(kCupsd)) return std::string(kCupsd) + " is not installed";
    if (port_ == 0) return "no free port";
    if (!process_.Start({kCupsd, "-f", "-c", (dir_ / "cupsd.conf").string(), "-s",
                         (dir_ / "cups-files.conf").string()},
                        (dir_ / "log/stderr").string())) {
      return "cupsd cannot be started";
    }
    for (int i = 0; i < 100; ++i) {
      if (Accepts(port_)) return {};
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    process_.Stop();
    return "cupsd did not start listening: " + ErrorLog();
  }

  std::string Server() const { return "127.0.0.1:" + std::to_string(port_); }
  std::string ErrorLog() const {
    std::ifstream in(dir_ / "log/error_log");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    std::ifstream err(dir_ / "log/stderr");
    return text + std::string((std::istreambuf_iterator<char>(err)), {});
  }

 private:
  std::filesystem::path dir_;
  int port_;
  Background process_;
};

class CupsQueue : public AppOnSim {};

TEST_F(CupsQueue, PngPrintedWithLpComesOutOfThePrinter) {
  ASSERT_NO_FATAL_FAILURE(StartPrinter({"--model", "TGV"}, "ravo_tgv"));
  PrivateCupsd cupsd(app_->StateDir() / "cups");
  const std::string why = cupsd.Start();
  if (!why.empty()) GTEST_SKIP() << "cupsd cannot start here: " << why;
  const Finished added = RunProgram(
      {kLpadmin, "-h", cupsd.Server(), "-p", "label", "-E", "-v", Uri(), "-m", "everywhere"},
      std::chrono::seconds(60));
  ASSERT_EQ(added.status, 0) << added.output << cupsd.ErrorLog();
  const std::string png = WritePicture("label.png", TestLabel());
  const Finished printed =
      RunProgram({kLp, "-h", cupsd.Server(), "-d", "label", "-o", "media=oe_4x6-label_4x6in", png});
  ASSERT_EQ(printed.status, 0) << printed.output;
  ASSERT_TRUE(WaitForLabels(1, 60)) << cupsd.ErrorLog() << app_->Log();
  const GreyPicture label = Label(0);
  EXPECT_EQ(label.width, 864u);
  // CUPS scales the picture itself; the block is still there, roughly.
  EXPECT_GT(label.DarkShare(120, 120, 380, 280), 0.9);
  EXPECT_LT(label.DarkShare(0, 0, 812, 60), 0.01);
}

}  // namespace
}  // namespace ravo::app::test
