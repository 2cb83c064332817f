#include "app_options.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace ravo::app {
namespace {

constexpr const char *kPapplStateVariable = "SNAP_COMMON";
constexpr const char *kOurVariable = "RAVO_PRINTER_APP_STATE";

std::optional<std::string> ValueOf(std::string_view option) {
  const std::string prefix = std::string(kStateDirectoryOption) + "=";
  if (!option.starts_with(prefix)) return std::nullopt;
  return std::string(option.substr(prefix.size()));
}

}  // namespace

std::optional<std::string> TakeStateDirectory(std::vector<char *> &args) {
  std::optional<std::string> directory;
  std::vector<char *> kept;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i] != nullptr ? args[i] : "";
    if (arg == "-o" && i + 1 < args.size() && args[i + 1] != nullptr) {
      if (auto value = ValueOf(args[i + 1])) {
        directory = value;
        ++i;
        continue;
      }
    } else if (arg.starts_with("-o")) {
      if (auto value = ValueOf(arg.substr(2))) {
        directory = value;
        continue;
      }
    }
    kept.push_back(args[i]);
  }
  args = std::move(kept);
  return directory;
}

bool UseStateDirectory(const std::string &directory) {
  std::error_code ec;
  std::filesystem::create_directories(directory, ec);
  if (ec || !std::filesystem::is_directory(directory)) {
    std::fprintf(stderr, "ravo-printer-app: cannot use state directory \"%s\": %s\n",
                 directory.c_str(), ec ? ec.message().c_str() : "not a directory");
    return false;
  }
  const std::string absolute = std::filesystem::absolute(directory).string();
  setenv(kPapplStateVariable, absolute.c_str(), 1);
  setenv(kOurVariable, absolute.c_str(), 1);
  return true;
}

std::optional<std::string> StateDirectory() {
  const char *value = std::getenv(kOurVariable);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

}  // namespace ravo::app
