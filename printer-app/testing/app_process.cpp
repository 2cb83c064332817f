#include "app_process.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#ifndef RAVO_PRINTER_APP_BINARY
#error "RAVO_PRINTER_APP_BINARY must name the program"
#endif

namespace ravo::app::test {
namespace {

std::filesystem::path MakeStateDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ravo-app-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

constexpr std::string_view kListening = "ravo-printer-app: listening on port ";

// The server reports its port before it opens the control socket that the
// sub-commands use; one that comes too soon finds no server and starts a
// private one instead.
bool WaitForControlSocket(const std::filesystem::path &path, std::chrono::seconds within) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string text = path.string();
  if (text.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  const auto until = std::chrono::steady_clock::now() + within;
  while (std::chrono::steady_clock::now() < until) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool up =
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    if (up) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace

std::string AppBinary() {
  return RAVO_PRINTER_APP_BINARY;
}

AppProcess::AppProcess(std::vector<std::string> options) {
  state_ = MakeStateDir();
  if (state_.empty()) {
    error_ = "no temporary directory";
    return;
  }
  std::vector<std::string> argv = {AppBinary(), "server"};
  for (const std::string &option :
       {"state-directory=" + state_.string(), std::string("server-port=0"),
        std::string("listen-hostname=localhost"), "log-file=" + (state_ / "app.log").string(),
        std::string("log-level=debug")}) {
    argv.insert(argv.end(), {"-o", option});
  }
  for (const std::string &option : options) argv.insert(argv.end(), {"-o", option});
  if (!server_.Start(argv, (state_ / "app.err").string())) {
    error_ = "cannot start " + AppBinary();
    return;
  }
  const std::string line = server_.FirstLine(std::chrono::seconds(20));
  if (!line.starts_with(kListening)) {
    error_ = "the server did not start (\"" + line + "\"): " + Log();
    server_.Stop();
    return;
  }
  if (!WaitForControlSocket(state_ / "ravo-printer-app.sock", std::chrono::seconds(20))) {
    error_ = "the server opened no control socket: " + Log();
    server_.Stop();
    return;
  }
  port_ = std::atoi(line.c_str() + kListening.size());
}

AppProcess::~AppProcess() {
  Stop();
  if (!state_.empty() && std::getenv("RAVO_APP_KEEP_STATE") == nullptr) {
    std::error_code ec;
    std::filesystem::remove_all(state_, ec);
  }
}

std::string AppProcess::PrinterUri(const std::string &name) const {
  return "ipp://localhost:" + std::to_string(port_) + "/ipp/print/" + name;
}

Finished AppProcess::Run(const std::string &command, std::vector<std::string> args) const {
  std::vector<std::string> argv = {AppBinary(), command, "-o",
                                   "state-directory=" + state_.string()};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProgram(argv, std::chrono::seconds(30));
}

bool AppProcess::AddPrinter(const std::string &name, const std::string &deviceUri,
                            const std::string &driver) const {
  return Run("add", {"-d", name, "-v", deviceUri, "-m", driver}).status == 0;
}

std::string AppProcess::Log() const {
  std::ifstream log(state_ / "app.log");
  std::string text(std::istreambuf_iterator<char>(log), {});
  // A crash or a sanitizer's report goes to standard error.
  std::ifstream err(state_ / "app.err");
  const std::string errors(std::istreambuf_iterator<char>(err), {});
  if (!errors.empty()) text += "--- standard error ---\n" + errors;
  return text;
}

bool AppProcess::Stop() {
  port_ = 0;
  return server_.Stop();
}

}  // namespace ravo::app::test
