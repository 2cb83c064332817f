// ravo selftest, learn, factory-reset: one command each, nothing read back.
#include "commands.h"
#include "mdl_global_catalogue.h"
#include "mdl_printer_lib_tspl.h"
#include "printer_link.h"

namespace ravo::cli {
namespace {

constexpr uint8_t kEscConfigurationPrint[] = {0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x02};
constexpr uint8_t kFactoryReset[] = {0x1B, 0x21, 0x52};
constexpr char kLearn[] = "ZZZLEARN\r\n";

Outcome Done(const std::string &action, const Context &context) {
  Outcome outcome;
  outcome.data["action"] = action;
  outcome.data["port"] = context.port.toStdString();
  outcome.text = action + " sent to " + context.port.toStdString() + "\n";
  return outcome;
}

}  // namespace

Outcome RunSelfTest(Context &context) {
  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  if (context.args.Has("esc")) {
    if (auto failure = link->Send(kEscConfigurationPrint, "the configuration print")) {
      return *failure;
    }
  } else if (const int32_t result = mdlPrinterLib_TSPL::TsplSelfTest(); result != 0) {
    return LibraryFailure(kExitPort, "self test failed", result);
  }
  return Done("configuration print", context);
}

Outcome RunLearn(Context &context) {
  // Models without a gap sensor worth learning; the utility disables the
  // button for them.
  if (mdlGlobal::IsLearnDisabled(context.model)) {
    return Fail(kExitValidation, "model " + context.model.toStdString() + " does not learn labels");
  }
  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  if (auto failure = link->Send(kLearn, "the learn command")) return *failure;
  return Done("label learning", context);
}

Outcome RunFactoryReset(Context &context) {
  if (!context.args.Has("yes")) {
    return Fail(kExitUsage, "factory-reset erases the printer's settings; add --yes to go ahead");
  }
  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  if (auto failure = link->Send(kFactoryReset, "the reset command")) return *failure;
  return Done("factory reset", context);
}

}  // namespace ravo::cli
