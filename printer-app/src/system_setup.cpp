#include "system_setup.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app_options.h"
#include "image_filter.h"
#include "job_order.h"
#include "model_drivers.h"
#include "printer_driver.h"
#include "raw_job.h"

namespace ravo::app {
namespace {

constexpr const char *kDefaultName = "Ravo Printer App";

struct OptionBit {
  const char *name;
  pappl_soptions_t bit;
  bool set;  // false: the option clears the bit
};

constexpr OptionBit kOptionBits[] = {
    {"web-remote", PAPPL_SOPTIONS_WEB_REMOTE, true},
    {"web-log", PAPPL_SOPTIONS_WEB_LOG, true},
    {"web-security", PAPPL_SOPTIONS_WEB_SECURITY, true},
    {"web-network", PAPPL_SOPTIONS_WEB_NETWORK, true},
    {"no-web-interface", PAPPL_SOPTIONS_WEB_INTERFACE, false},
    {"raw-socket", PAPPL_SOPTIONS_RAW_SOCKET, true},
    {"no-tls", PAPPL_SOPTIONS_NO_TLS, true},
    {"dnssd-host", PAPPL_SOPTIONS_DNSSD_HOST, true},
};

const char *Option(const char *name, int count, cups_option_t *options,
                   const char *fallback = nullptr) {
  const char *value = cupsGetOption(name, count, options);
  return value != nullptr && *value != '\0' ? value : fallback;
}

pappl_soptions_t SystemOptions(const char *list) {
  pappl_soptions_t bits = PAPPL_SOPTIONS_MULTI_QUEUE | PAPPL_SOPTIONS_WEB_INTERFACE;
  std::string_view rest = list != nullptr ? list : "";
  while (!rest.empty()) {
    const size_t comma = std::min(rest.find(','), rest.size());
    const std::string_view word = rest.substr(0, comma);
    for (const OptionBit &option : kOptionBits) {
      if (word != option.name) continue;
      bits = option.set ? (bits | option.bit) : (bits & ~option.bit);
    }
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return bits;
}

pappl_loglevel_t LogLevel(const char *name) {
  constexpr std::pair<const char *, pappl_loglevel_t> kLevels[] = {{"debug", PAPPL_LOGLEVEL_DEBUG},
                                                                   {"info", PAPPL_LOGLEVEL_INFO},
                                                                   {"warn", PAPPL_LOGLEVEL_WARN},
                                                                   {"error", PAPPL_LOGLEVEL_ERROR},
                                                                   {"fatal", PAPPL_LOGLEVEL_FATAL}};
  for (const auto &[text, level] : kLevels) {
    if (name != nullptr && std::strcmp(name, text) == 0) return level;
  }
  return PAPPL_LOGLEVEL_INFO;
}

int Port(const char *text) {
  if (text == nullptr) return kDefaultPort;
  int port = -1;
  std::string_view view(text);
  auto [end, ec] = std::from_chars(view.data(), view.data() + view.size(), port);
  if (ec != std::errc() || end != view.data() + view.size() || port < 0 || port > 65535) {
    return -1;
  }
  return port;
}

// Where jobs wait: the state directory's spool, root's /var/spool, or
// PAPPL's temporary directory.
std::string SpoolDirectory(int count, cups_option_t *options) {
  if (const char *spool = Option("spool-directory", count, options)) return spool;
  if (auto state = StateDirectory()) return *state + "/spool";
  if (getuid() == 0) return std::string("/var/spool/") + kAppName;
  return {};
}

void AddFormats(pappl_system_t *system) {
  for (Language language : {Language::kTspl, Language::kCpcl, Language::kEsc}) {
    for (const char *format : kImageFormats) {
      papplSystemAddMIMEFilter(system, format, NativeFormat(language), FilterImage, nullptr);
    }
  }
  papplSystemSetMIMECallback(system, DetectFormat, nullptr);
}

void SetDrivers(pappl_system_t *system) {
  static const std::vector<pappl_pr_driver_t> drivers = PapplDrivers();
  papplSystemSetPrinterDrivers(system, static_cast<int>(drivers.size()),
                               const_cast<pappl_pr_driver_t *>(drivers.data()), PickDriver,
                               PrinterCreated, SetUpDriver, nullptr);
}

}  // namespace

pappl_system_t *CreateSystem(int count, cups_option_t *options, void *) {
  // PAPPL starts a private server for a sub-command that finds none: it
  // serves this user only, on a free loopback port, and logs to PAPPL's
  // temporary file.
  const bool privateServer =
      std::string_view(Option("private-server", count, options, "")) == "true";
  const int port = Port(Option("server-port", count, options, privateServer ? "0" : nullptr));
  if (port < 0) {
    std::fprintf(stderr, "%s: server-port must be a number from 0 to 65535.\n", kAppName);
    return nullptr;
  }
  const std::string spool = SpoolDirectory(count, options);
  pappl_system_t *system = papplSystemCreate(
      SystemOptions(Option("server-options", count, options)),
      Option("server-name", count, options, kDefaultName), port, "_print,_universal",
      spool.empty() ? nullptr : spool.c_str(),
      Option("log-file", count, options, privateServer ? nullptr : "-"),
      LogLevel(Option("log-level", count, options)), Option("auth-service", count, options), false);
  if (system == nullptr) return nullptr;
  const char *listen =
      Option("listen-hostname", count, options, privateServer ? "localhost" : nullptr);
  if (!papplSystemAddListeners(system, listen)) {
    std::fprintf(stderr, "%s: cannot listen on port %d.\n", kAppName, port);
    papplSystemDelete(system);
    return nullptr;
  }
  if (const char *group = Option("admin-group", count, options)) {
    papplSystemSetAdminGroup(system, group);
  }
  SetDrivers(system);
  AddFormats(system);
  KeepArrivalOrder(system);
  if (!privateServer) {
    std::printf("%s: listening on port %d\n", kAppName, papplSystemGetHostPort(system));
    std::fflush(stdout);
  }
  return system;
}

}  // namespace ravo::app
