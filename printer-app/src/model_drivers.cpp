#include "model_drivers.h"

#include <algorithm>
#include <set>
#include <vector>

#include "prt.h"

namespace ravo::app {
namespace {

constexpr uint32_t kCapEsc = 0x01;

std::string DriverName(std::string_view model) {
  std::string name = "ravo_";
  for (char c : model) {
    if (c >= 'A' && c <= 'Z') {
      name += static_cast<char>(c - 'A' + 'a');
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      name += c;
    } else {
      name += '_';
    }
  }
  return name;
}

const char *LanguageName(Language language) {
  switch (language) {
    case Language::kTspl:
      return "TSPL";
    case Language::kCpcl:
      return "CPCL";
    case Language::kEsc:
      return "ESC";
  }
  return "";
}

const char *KindName(Language language) {
  return language == Language::kEsc ? "receipt" : "label";
}

std::vector<ModelDriver> BuildDrivers() {
  std::vector<ModelDriver> drivers;
  std::set<std::string> names;
  for (const prt::ModelRow &row : prt::ModelTable()) {
    auto language = LanguageOf(row);
    if (!language) continue;
    ModelDriver driver;
    driver.name = DriverName(row.name);
    if (!names.insert(driver.name).second) continue;  // the first row of a name wins
    driver.description = std::string(row.displayName) + " (" + LanguageName(*language) + " " +
                         KindName(*language) + ")";
    driver.deviceId = std::string("MFG:") + row.brand + ";MDL:" + row.name +
                      ";CMD:" + LanguageName(*language) + ";";
    driver.row = &row;
    driver.language = *language;
    drivers.push_back(std::move(driver));
  }
  return drivers;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char &c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// The value of KEY: in a device id "KEY:value;KEY2:value2;".
std::optional<std::string> IdValue(std::string_view id, std::string_view key) {
  const std::string upper = Upper(id);
  const std::string wanted = Upper(key) + ":";
  size_t at = 0;
  while (at < upper.size()) {
    const size_t end = std::min(upper.find(';', at), upper.size());
    std::string_view field = std::string_view(id).substr(at, end - at);
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    if (Upper(field).starts_with(wanted)) return std::string(field.substr(wanted.size()));
    at = end + 1;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Language> LanguageOf(const prt::ModelRow &row) {
  if (row.widthDots == 0 || row.dotsPerInch == 0) return std::nullopt;
  if ((row.capabilities & PRT_CAP_TSPL) != 0) return Language::kTspl;
  if ((row.capabilities & PRT_CAP_CPCL) != 0) return Language::kCpcl;
  if ((row.capabilities & kCapEsc) != 0) return Language::kEsc;
  return std::nullopt;
}

std::span<const ModelDriver> ModelDrivers() {
  static const std::vector<ModelDriver> drivers = BuildDrivers();
  return drivers;
}

const ModelDriver *FindDriver(std::string_view name) {
  for (const ModelDriver &driver : ModelDrivers()) {
    if (driver.name == name) return &driver;
  }
  return nullptr;
}

const ModelDriver *DriverForDeviceId(std::string_view deviceId) {
  auto maker = IdValue(deviceId, "MFG");
  if (!maker) maker = IdValue(deviceId, "MANUFACTURER");
  auto model = IdValue(deviceId, "MDL");
  if (!model) model = IdValue(deviceId, "MODEL");
  if (!maker || !model) return nullptr;
  for (const ModelDriver &driver : ModelDrivers()) {
    if (Upper(driver.row->brand) == Upper(*maker) && Upper(driver.row->name) == Upper(*model)) {
      return &driver;
    }
  }
  return nullptr;
}

const char *NativeFormat(Language language) {
  switch (language) {
    case Language::kTspl:
      return "application/vnd.ravo-tspl";
    case Language::kCpcl:
      return "application/vnd.ravo-cpcl";
    case Language::kEsc:
      return "application/vnd.ravo-escpos";
  }
  return "application/octet-stream";
}

}  // namespace ravo::app
