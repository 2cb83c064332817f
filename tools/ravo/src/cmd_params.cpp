// ravo params get|set|diff|restore: the printer's 256-byte parameter block,
// shown by the family's byte map.  Every write is preceded by a backup of
// the block as read, and nothing is written unless that read was sound.
#include <filesystem>
#include <fstream>

#include "block_files.h"
#include "commands.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_printer_list.h"
#include "param_fields.h"
#include "printer_service.h"
#include "service_outcome.h"

namespace ravo::cli {
namespace {

using ravo::utility::BlockRead;
using ravo::utility::CommandSet;
using ravo::utility::PrinterService;
using ravo::utility::param::Family;

constexpr char kPrinterOperand[] = "printer";
constexpr char kBlock[] = "the parameter block";

// The name the speed list is looked up by: the printer type, or for the
// Q73 family (and without a type) the model.
QString LookupName(const ravo::utility::PrinterTarget &printer) {
  if (printer.printerType.isEmpty() || mdlGlobal::ParameterFamilyOf(printer.model) == Family::Q73) {
    return printer.model;
  }
  return printer.printerType;
}

FieldMap MapOf(const Context &context) {
  return FieldMap::ForModel(context.printer.model, LookupName(context.printer));
}

// The TQX family answers a probe telling which command set it speaks, and
// the block is read in that form; the other families speak the ZZZ form.
std::optional<CommandSet> CommandSetFor(const Context &context) {
  if (mdlGlobal::ParameterFamilyOf(context.printer.model) == Family::TQX) return std::nullopt;
  return CommandSet::Zzz;
}

std::optional<Outcome> ReadPrinterBlock(const Context &context, BlockRead &read) {
  const auto answer = PrinterService(context.printer).ReadParameterBlock(CommandSetFor(context));
  if (!answer.ok()) return ServiceFailure(answer.result, kBlock);
  read = answer.value;
  return std::nullopt;
}

// The printer's serial number for the backup's name; "unknown" when it
// does not tell.
std::string ReadSerial(const Context &context) {
  const auto serial = PrinterService(context.printer).ReadSerialNumber();
  return serial.ok() && !serial.value.isEmpty() ? serial.value.toStdString() : "unknown";
}

std::optional<Outcome> SaveBackup(const Context &context, const Block &asRead,
                                  std::filesystem::path &path) {
  const std::filesystem::path dir = BackupDirectory(context.args);
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  const QString &type = context.printer.printerType;
  path = BackupPath(dir, (type.isEmpty() ? context.printer.model : type).toStdString(),
                    ReadSerial(context));
  if (error || !SaveBlockFile(path, asRead)) {
    return Fail(kExitFile, "cannot save the backup " + path.string() + "; nothing was written");
  }
  return std::nullopt;
}

// Writes the block in the form the read used and reads it back to see that
// the printer kept it.
std::optional<Outcome> WriteAndVerify(const Context &context, const Block &block,
                                      CommandSet commandSet) {
  const auto written = PrinterService(context.printer).WriteParameterBlock(block, commandSet, true);
  if (written.ok()) return std::nullopt;
  Outcome failure = ServiceFailure(written, kBlock);
  if (written.message != ravo::utility::ServiceMessage::OpenPort &&
      written.message != ravo::utility::ServiceMessage::ParaSet) {
    failure.error = "written, but reading it back failed: " + failure.error;
  }
  return failure;
}

void AddFields(Outcome &outcome, const FieldMap &map, const Block &block) {
  for (const FieldValue &field : map.Decode(block)) {
    outcome.data["fields"][field.name] = field.value;
    outcome.text += field.name + "=" + field.value + "\n";
  }
}

Outcome Get(Context &context) {
  BlockRead read;
  if (auto failure = ReadPrinterBlock(context, read)) return *failure;
  const FieldMap map = MapOf(context);
  Outcome outcome;
  outcome.data["family"] = map.familyName();
  outcome.data["fields"] = nlohmann::json::object();
  AddFields(outcome, map, read.block);
  if (const auto out = context.args.Value("out")) {
    if (!SaveBlockFile(*out, read.block)) return Fail(kExitFile, "cannot write " + *out);
    outcome.data["saved"] = *out;
  }
  return outcome;
}

// "FIELD=VALUE" words and the lines of --in (blank lines and # comments
// skipped).
std::optional<Outcome> CollectAssignments(const Context &context,
                                          std::vector<std::pair<std::string, std::string>> &out) {
  std::vector<std::string> lines(context.args.words.begin() + 2, context.args.words.end());
  if (const auto in = context.args.Value("in")) {
    if (std::filesystem::is_directory(*in)) return Fail(kExitFile, *in + " is a directory");
    std::ifstream file(*in);
    if (!file) return Fail(kExitFile, "cannot read " + *in);
    for (std::string line; std::getline(file, line);) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      if (!line.empty() && line[0] != '#') lines.push_back(line);
    }
  }
  for (const std::string &line : lines) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) {
      return Fail(kExitUsage, "not FIELD=VALUE: " + line);
    }
    out.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  if (out.empty()) return Fail(kExitUsage, "params set needs FIELD=VALUE or --in FILE");
  return std::nullopt;
}

Outcome Written(const FieldMap &map, const Block &before, const Block &after,
                const std::filesystem::path &backup) {
  Outcome outcome;
  outcome.data["family"] = map.familyName();
  outcome.data["backup"] = backup.string();
  outcome.data["changed"] = nlohmann::json::array();
  for (const std::string &name : map.Changed(before, after)) {
    const std::string from = map.ValueOf(before, name).value_or("");
    const std::string to = map.ValueOf(after, name).value_or("");
    outcome.data["changed"].push_back({{"field", name}, {"from", from}, {"to", to}});
    outcome.text += name + ": " + from + " -> " + to + "\n";
  }
  outcome.text += "Written and verified; backup " + backup.string() + "\n";
  return outcome;
}

Outcome Set(Context &context) {
  std::vector<std::pair<std::string, std::string>> assignments;
  if (auto failure = CollectAssignments(context, assignments)) return *failure;
  BlockRead asRead;
  if (auto failure = ReadPrinterBlock(context, asRead)) {
    failure->error += "; nothing was written";
    return *failure;
  }
  const FieldMap map = MapOf(context);
  Block edited = asRead.block;
  for (const auto &[name, value] : assignments) {
    if (auto refusal = map.Assign(edited, name, value)) {
      return Fail(kExitValidation, *refusal + "; nothing was written");
    }
  }
  std::filesystem::path backup;
  if (auto failure = SaveBackup(context, asRead.block, backup)) return *failure;
  ravo::utility::param::SealParameterBlock(edited);
  if (auto failure = WriteAndVerify(context, edited, asRead.commandSet)) return *failure;
  return Written(map, asRead.block, edited, backup);
}

Outcome Restore(Context &context) {
  if (context.args.words.size() != 3) return Fail(kExitUsage, "params restore needs one FILE");
  Block restored{};
  if (auto failure = LoadBlockFile(context.args.Word(2), restored)) return *failure;
  BlockRead asRead;
  if (auto failure = ReadPrinterBlock(context, asRead)) {
    failure->error += "; nothing was written";
    return *failure;
  }
  std::filesystem::path backup;
  if (auto failure = SaveBackup(context, asRead.block, backup)) return *failure;
  if (auto failure = WriteAndVerify(context, restored, asRead.commandSet)) return *failure;
  return Written(MapOf(context), asRead.block, restored, backup);
}

// A file, or the word "printer" for the block the printer holds now.
std::optional<Outcome> LoadOperand(Context &context, const std::string &operand, Block &block) {
  if (operand != kPrinterOperand) return LoadBlockFile(operand, block);
  if (auto failure = ResolvePrinter(context)) return failure;
  BlockRead read;
  if (auto failure = ReadPrinterBlock(context, read)) return failure;
  block = read.block;
  return std::nullopt;
}

// Without "printer" among the operands the map comes from --model or
// --type alone.
void ResolveMapOnly(Context &context) {
  if (!context.printer.model.isEmpty()) return;
  if (const auto type = context.args.Value("type")) {
    context.printer.printerType = QString::fromStdString(*type);
    context.printer.model = mdlGlobal::ModelForPrinterType(context.printer.printerType);
  } else {
    context.printer.model = QString::fromStdString(context.args.Value("model").value_or(""));
  }
}

Outcome Diff(Context &context) {
  if (context.args.words.size() != 4) return Fail(kExitUsage, "params diff needs two operands A B");
  Block a{};
  Block b{};
  if (auto failure = LoadOperand(context, context.args.Word(2), a)) return *failure;
  if (auto failure = LoadOperand(context, context.args.Word(3), b)) return *failure;
  ResolveMapOnly(context);
  const FieldMap map = MapOf(context);
  Outcome outcome;
  outcome.data["family"] = map.familyName();
  outcome.data["changed"] = nlohmann::json::array();
  for (const std::string &name : map.Changed(a, b)) {
    const std::string from = map.ValueOf(a, name).value_or("");
    const std::string to = map.ValueOf(b, name).value_or("");
    outcome.data["changed"].push_back({{"field", name}, {"a", from}, {"b", to}});
    outcome.text += name + ": " + from + " -> " + to + "\n";
  }
  if (outcome.data["changed"].empty()) outcome.text = "No differences\n";
  return outcome;
}

}  // namespace

Outcome RunParams(Context &context) {
  const std::string action = context.args.Word(1);
  if (action == "diff") return Diff(context);
  if (auto failure = ResolvePrinter(context)) return *failure;
  if (action == "get") {
    if (context.args.words.size() != 2) return Fail(kExitUsage, "params get takes no operand");
    return Get(context);
  }
  if (action == "set") return Set(context);
  if (action == "restore") return Restore(context);
  return Fail(kExitUsage, "params needs get, set, diff or restore");
}

}  // namespace ravo::cli
