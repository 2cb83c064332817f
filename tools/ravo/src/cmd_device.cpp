// ravo selftest, learn, factory-reset: one command each, nothing read back.
#include "commands.h"
#include "mdl_global_catalogue.h"
#include "printer_service.h"
#include "service_outcome.h"

namespace ravo::cli {
namespace {

using ravo::utility::CommandSet;
using ravo::utility::PrinterService;
using ravo::utility::ServiceResult;

Outcome Done(const ServiceResult &result, const std::string &action, const Context &context) {
  if (!result.ok()) return ServiceFailure(result, "the " + action + " command");
  const std::string port = context.printer.port.toStdString();
  Outcome outcome;
  outcome.data["action"] = action;
  outcome.data["port"] = port;
  outcome.text = action + " sent to " + port + "\n";
  return outcome;
}

}  // namespace

Outcome RunSelfTest(Context &context) {
  const CommandSet commandSet = context.args.Has("esc") ? CommandSet::Dc2 : CommandSet::Zzz;
  return Done(PrinterService(context.printer).ConfigurationPrint(commandSet), "configuration print",
              context);
}

Outcome RunLearn(Context &context) {
  // Models without a gap sensor worth learning; the utility disables the
  // button for them.
  if (mdlGlobal::IsLearnDisabled(context.printer.model)) {
    return Fail(kExitValidation,
                "model " + context.printer.model.toStdString() + " does not learn labels");
  }
  return Done(PrinterService(context.printer).AutoLearn(), "label learning", context);
}

Outcome RunFactoryReset(Context &context) {
  if (!context.args.Has("yes")) {
    return Fail(kExitUsage, "factory-reset erases the printer's settings; add --yes to go ahead");
  }
  return Done(PrinterService(context.printer).FactoryReset(), "factory reset", context);
}

}  // namespace ravo::cli
