#include "label_files.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <system_error>

namespace ravo::sim {

std::optional<int64_t> LabelNumber(std::string_view name) {
  constexpr std::string_view kPrefix = "label-", kSuffix = ".png";
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return std::nullopt;
  name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  if (name.empty() || name[0] < '0' || name[0] > '9') return std::nullopt;
  int64_t number = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (ec != std::errc() || end != name.data() + name.size()) return std::nullopt;
  return number;
}

LabelFiles::LabelFiles(std::filesystem::path dir) : dir_(std::move(dir)) {
  std::error_code ec;
  std::filesystem::directory_iterator it(dir_, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (const auto number = LabelNumber(it->path().filename().string()))
      last_ = std::max(last_, *number);
  }
}

std::optional<std::filesystem::path> LabelFiles::Next() {
  if (last_ == std::numeric_limits<int64_t>::max()) return std::nullopt;
  char name[40];
  std::snprintf(name, sizeof name, "label-%04lld.png", static_cast<long long>(++last_));
  return dir_ / name;
}

}  // namespace ravo::sim
