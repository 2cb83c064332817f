#include "device_uri.h"

#include <charconv>

namespace ravo::app {
namespace {

constexpr std::string_view kDefaultBaud = "9600";
constexpr std::string_view kBaudKey = "baud=";

bool PlainPathChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
         c == '.' || c == '_' || c == '-';
}

bool PlainDevicePath(std::string_view path) {
  if (path.size() < 2 || path[0] != '/' || path.find("..") != std::string_view::npos) {
    return false;
  }
  for (char c : path) {
    if (!PlainPathChar(c)) return false;
  }
  return true;
}

bool Digits(std::string_view text) {
  if (text.empty() || text.size() > 7) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "scheme://" followed by an empty host and the path: "ravo-serial:///dev/x".
std::optional<std::string_view> PathAfter(std::string_view uri, std::string_view scheme) {
  if (!uri.starts_with(scheme) || !uri.substr(scheme.size()).starts_with("://")) {
    return std::nullopt;
  }
  return uri.substr(scheme.size() + 3);
}

// Number n of a name with a prefix: "COM3:" with "COM" -> 3.
std::optional<int> Numbered(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return std::nullopt;
  std::string_view digits = name.substr(prefix.size());
  int n = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (ec != std::errc() || end != digits.data() + digits.size() || n < 1) return std::nullopt;
  return n;
}

std::string_view WithoutColon(std::string_view name) {
  return name.ends_with(':') ? name.substr(0, name.size() - 1) : name;
}

}  // namespace

std::optional<std::string> PortStringForUri(std::string_view uri) {
  if (auto path = PathAfter(uri, kParallelScheme)) {
    if (!PlainDevicePath(*path)) return std::nullopt;
    return std::string(*path);
  }
  auto rest = PathAfter(uri, kSerialScheme);
  if (!rest) return std::nullopt;
  std::string_view path = *rest;
  std::string_view baud = kDefaultBaud;
  if (size_t query = path.find('?'); query != std::string_view::npos) {
    std::string_view options = path.substr(query + 1);
    path = path.substr(0, query);
    if (!options.starts_with(kBaudKey) || !Digits(options.substr(kBaudKey.size()))) {
      return std::nullopt;
    }
    baud = options.substr(kBaudKey.size());
  }
  if (!PlainDevicePath(path)) return std::nullopt;
  return std::string(path) + ",BAUDRATE_" + std::string(baud);
}

std::optional<std::string> UriForSerialPortName(std::string_view name) {
  name = WithoutColon(name);
  std::string path;
  if (auto n = Numbered(name, "COM")) {
    path = "/dev/ttyS" + std::to_string(*n - 1);
  } else if (name.starts_with('/')) {
    path = std::string(name);
  } else {
    path = "/dev/" + std::string(name);
  }
  if (!PlainDevicePath(path)) return std::nullopt;
  return std::string(kSerialScheme) + "://" + path + "?baud=" + std::string(kDefaultBaud);
}

std::optional<std::string> UriForParallelPortName(std::string_view name) {
  auto n = Numbered(WithoutColon(name), "LPT");
  if (!n) return std::nullopt;
  return std::string(kParallelScheme) + ":///dev/lp" + std::to_string(*n - 1);
}

}  // namespace ravo::app
