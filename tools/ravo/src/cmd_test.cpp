// ravo test: open the port and close it again.
#include "commands.h"
#include "printer_service.h"
#include "service_outcome.h"

namespace ravo::cli {

Outcome RunTest(Context &context) {
  const ravo::utility::ServiceResult result =
      ravo::utility::PrinterService(context.printer).TestConnection();
  if (!result.ok()) return ServiceFailure(result, "the connection test");
  const std::string port = context.printer.port.toStdString();
  const std::string model = context.printer.model.toStdString();
  Outcome outcome;
  outcome.data["port"] = port;
  outcome.data["model"] = model;
  outcome.data["connected"] = true;
  outcome.text = "Port " + port + " opened and closed (model " + model + ")\n";
  return outcome;
}

}  // namespace ravo::cli
