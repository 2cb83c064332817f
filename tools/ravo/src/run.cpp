#include "run.h"

#include <algorithm>
#include <exception>

#include "commands.h"
#include "help.h"

namespace ravo::cli {
namespace {

struct CommandEntry {
  const char *name;
  Outcome (*run)(Context &);
  bool needsDataFiles;
  bool needsPrinter;  // --port and model resolved before the call
};

constexpr CommandEntry kCommands[] = {
    {"ports", RunPorts, false, false},
    {"test", RunTest, true, true},
    {"info", RunInfo, true, true},
    {"params", RunParams, true, false},  // diff needs no printer
    {"print-image", RunPrintImage, true, true},
    {"print-text", RunPrintText, true, true},
    {"selftest", RunSelfTest, true, true},
    {"learn", RunLearn, true, true},
    {"factory-reset", RunFactoryReset, true, true},
    {"send", RunSend, true, true},
    {"files", RunFiles, true, true},
    {"printers", RunPrinters, true, false},
};

const CommandEntry *FindCommand(const std::string &name) {
  for (const CommandEntry &entry : kCommands) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

int Report(const Outcome &outcome, bool json, std::ostream &out, std::ostream &err) {
  if (json) {
    nlohmann::json data = outcome.data;
    data["ok"] = outcome.ok();
    data["exit_code"] = outcome.exitCode;
    if (!outcome.error.empty()) data["error"] = outcome.error;
    out << data.dump(2) << "\n";
  } else {
    out << outcome.text;
  }
  if (!outcome.error.empty()) err << "ravo: " << outcome.error << "\n";
  return outcome.exitCode;
}

// Scripts asking for JSON get it even when the command line is wrong.
int UsageError(const std::string &message, bool json, std::ostream &out, std::ostream &err) {
  if (json) {
    out << nlohmann::json{{"ok", false}, {"exit_code", kExitUsage}, {"error", message}}.dump(2)
        << "\n";
  }
  err << "ravo: " << message << "\nTry 'ravo --help'.\n";
  return kExitUsage;
}

Outcome Dispatch(const CommandEntry &command, Context &context) {
  if (command.needsDataFiles) {
    if (auto failure = LoadDataFiles(context.args)) return *failure;
  }
  if (command.needsPrinter) {
    if (auto failure = ResolvePrinter(context)) return *failure;
  }
  return command.run(context);
}

}  // namespace

int Run(const std::vector<std::string> &argv, std::ostream &out, std::ostream &err,
        std::ostream *progress) {
  ParseResult parsed = ParseArgs(argv);
  const bool json = std::find(argv.begin(), argv.end(), "--json") != argv.end();
  if (!parsed.error.empty()) return UsageError(parsed.error, json, out, err);
  const Args &args = parsed.args;
  std::string name = args.Word(0);
  const bool help = args.Has("help") || name == "help";
  if (name == "help") name = args.Word(1);
  if (name.empty()) {
    if (!help) return UsageError("no command given", json, out, err);
    out << GeneralHelp();
    return kExitOk;
  }
  const CommandEntry *command = FindCommand(name);
  if (command == nullptr) return UsageError("unknown command " + name, json, out, err);
  if (help) {
    out << CommandHelp(name);
    return kExitOk;
  }
  Context context{parsed.args, args.Has("no-progress") ? nullptr : progress, {}};
  try {
    return Report(Dispatch(*command, context), context.args.Has("json"), out, err);
  } catch (const std::exception &error) {
    err << "ravo: internal error: " << error.what() << "\n";
    return kExitInternal;
  }
}

}  // namespace ravo::cli
