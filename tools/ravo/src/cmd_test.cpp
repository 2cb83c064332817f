// ravo test: open the port and close it again.
#include "commands.h"
#include "printer_link.h"

namespace ravo::cli {

Outcome RunTest(Context &context) {
  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  Outcome outcome;
  outcome.data["port"] = context.port.toStdString();
  outcome.data["model"] = context.model.toStdString();
  outcome.data["connected"] = true;
  outcome.text = "Port " + context.port.toStdString() + " opened and closed (model " +
                 context.model.toStdString() + ")\n";
  return outcome;
}

}  // namespace ravo::cli
