#include "port_names.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <tuple>

#include "ravoio.h"

namespace ravo::io {
namespace {

// Number after `prefix` when `s` is exactly prefix + decimal digits.
std::optional<uint32_t> NumberAfter(std::string_view s, std::string_view prefix) {
  if (s.size() <= prefix.size() || s.substr(0, prefix.size()) != prefix) return std::nullopt;
  uint32_t n = 0;
  std::string_view digits = s.substr(prefix.size());
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return n;
}

}  // namespace

std::string SerialPortName(std::string_view devicePath) {
  // Port strings know COM1 ... COM256.
  if (auto n = NumberAfter(devicePath, "/dev/ttyS"); n && *n < 256) {
    return "COM" + std::to_string(*n + 1) + ":";
  }
  std::string_view rest = devicePath.substr(std::min<size_t>(5, devicePath.size()));
  if (devicePath.starts_with("/dev/tty") && rest.find('/') == std::string_view::npos) {
    return std::string(rest) + ":";
  }
  return std::string(devicePath) + ":";
}

std::optional<std::string> ParallelPortName(std::string_view entry) {
  // Port strings know LPT1 ... LPT64.
  auto n = NumberAfter(entry, "lp");
  if (!n || *n >= 64) return std::nullopt;
  return "LPT" + std::to_string(*n + 1) + ":";
}

void SortPortNames(std::vector<std::string> &names) {
  auto key = [](const std::string &name) {
    auto n = NumberAfter(std::string_view(name).substr(0, name.size() - 1), "COM");
    if (!n) n = NumberAfter(std::string_view(name).substr(0, name.size() - 1), "LPT");
    return std::make_tuple(!n.has_value(), n.value_or(0), name);
  };
  std::sort(names.begin(), names.end(),
            [&](const std::string &a, const std::string &b) { return key(a) < key(b); });
}

int32_t PackNames(const std::vector<std::string> &names, char *buffer, uint32_t size,
                  uint32_t *needed, uint32_t *count) {
  size_t total = 1;
  for (const std::string &name : names) total += name.size() + 1;
  if (needed != nullptr) *needed = static_cast<uint32_t>(total);
  if (count != nullptr) *count = static_cast<uint32_t>(names.size());
  if (buffer == nullptr || size < total) return RAVO_IO_ERR_BUFFER_TOO_SMALL;
  for (const std::string &name : names) {
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    buffer += name.size() + 1;
  }
  *buffer = '\0';
  return RAVO_IO_OK;
}

}  // namespace ravo::io
