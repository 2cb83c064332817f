#include "app_process.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

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
  std::ifstream in(state_ / "app.log");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool AppProcess::Stop() {
  port_ = 0;
  return server_.Stop();
}

}  // namespace ravo::app::test
