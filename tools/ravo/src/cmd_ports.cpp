// ravo ports: serial, parallel and USB printers present now.
#include <string>
#include <vector>

#include "commands.h"
#include "mdl_function.h"

namespace ravo::cli {
namespace {

struct PortList {
  std::vector<std::string> portStrings;
  int32_t error = 0;
};

// Dialog names keep a trailing colon ("COM1:"); the port string drops it.
PortList ListKind(const char *kind) {
  PortList list;
  for (QString name : mdlFunction::EnumPortNames(QLatin1String(kind), &list.error)) {
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    list.portStrings.push_back(name.toStdString());
  }
  return list;
}

}  // namespace

Outcome RunPorts(Context &) {
  const struct {
    const char *key;
    const char *title;
    PortList list;
  } kinds[] = {{"serial", "Serial", ListKind("COM")},
               {"parallel", "Parallel", ListKind("LPT")},
               {"usb", "USB", ListKind("USB")}};
  Outcome outcome;
  std::string failures;
  for (const auto &kind : kinds) {
    outcome.data[kind.key] = kind.list.portStrings;
    outcome.text += std::string(kind.title) + ":";
    if (kind.list.error != 0) {
      outcome.data["errors"][kind.key] = kind.list.error;
      outcome.text += " (listing failed)\n";
      failures += std::string(failures.empty() ? "" : "; ") + kind.key +
                  " ports: " + LibraryMessage(kind.list.error);
      continue;
    }
    outcome.text += kind.list.portStrings.empty() ? " none\n" : "\n";
    for (const std::string &port : kind.list.portStrings) outcome.text += "  " + port + "\n";
  }
  if (!failures.empty()) {
    outcome.exitCode = kExitPort;
    outcome.error = "listing failed for " + failures;
  }
  return outcome;
}

}  // namespace ravo::cli
