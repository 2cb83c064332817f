// ravo params get|set|diff|restore: the printer's 256-byte parameter block,
// shown by the model's byte map.  Every write is preceded by a backup of the
// block as read, and nothing is written unless that read was sound.
#include <filesystem>
#include <fstream>

#include "block_files.h"
#include "commands.h"
#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_printer_list.h"
#include "mdl_printer_lib_tspl.h"
#include "param_fields.h"
#include "parameter_exchange.h"
#include "printer_link.h"

namespace ravo::cli {
namespace {

namespace tspl = mdlPrinterLib_TSPL;

constexpr char kPrinterOperand[] = "printer";

// The name the speed list is looked up by: the printer type, or for the
// Q73 family (and without a type) the model.
QString LookupName(const Context &context) {
  if (context.printerType.isEmpty() ||
      mdlGlobal::ParameterFamilyOf(context.model) == ravo::utility::param::Family::Q73) {
    return context.model;
  }
  return context.printerType;
}

// The TQX family answers a probe telling which command set it speaks; the
// others are asked in the ZZZ form.
std::optional<Outcome> ChooseCommandSet(const Context &context) {
  mdlGlobal::CommandModeFlag = 1;
  if (mdlGlobal::ParameterFamilyOf(context.model) != ravo::utility::param::Family::TQX) {
    return std::nullopt;
  }
  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  mdlGlobal::CommandModeFlag = tspl::QueryCommandMode();
  return std::nullopt;
}

Outcome ReadFailure(const tspl::BlockResult &result) {
  if (result.messageKey == QLatin1String("_Err_OpenPort")) {
    return LibraryFailure(kExitPort, "cannot open the port", result.code);
  }
  if (result.messageKey == QLatin1String("_Err_WriteData")) {
    return LibraryFailure(kExitPort, "cannot send the block request", result.code);
  }
  if (result.messageKey == QLatin1String("_Err_CheckSum")) {
    return Fail(kExitValidation, "the block read has a wrong checksum");
  }
  Outcome outcome = Fail(kExitAnswer, "the printer sent no parameter block");
  if (result.code != 0) outcome.error += ": " + LibraryMessage(result.code);
  return outcome;
}

std::optional<Outcome> ReadPrinterBlock(const Context &context, Block &block) {
  if (auto failure = ChooseCommandSet(context)) return *failure;
  const tspl::BlockResult result = tspl::ReadParameterBlock(block);
  if (!result.ok) return ReadFailure(result);
  return std::nullopt;
}

// The printer's serial number for the backup's name; "unknown" when it
// does not tell.
std::string ReadSerial(const Context &context) {
  std::optional<PrinterLink> link;
  if (PrinterLink::Open(context, link)) return "unknown";
  char area[32] = {};
  tspl::TsplGetSN(area);
  const QString serial =
      mdlFunction::BytesToText(reinterpret_cast<const uint8_t *>(area), sizeof area);
  return serial.isEmpty() ? "unknown" : serial.toStdString();
}

std::optional<Outcome> SaveBackup(const Context &context, const Block &asRead,
                                  std::filesystem::path &path) {
  const std::filesystem::path dir = BackupDirectory(context.args);
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  const std::string type = context.printerType.isEmpty() ? context.model.toStdString()
                                                         : context.printerType.toStdString();
  path = BackupPath(dir, type, ReadSerial(context));
  if (error || !SaveBlockFile(path, asRead)) {
    return Fail(kExitFile, "cannot save the backup " + path.string() + "; nothing was written");
  }
  return std::nullopt;
}

// Writes the block and reads it back to see that the printer kept it.
std::optional<Outcome> WriteAndVerify(const Context &context, Block block) {
  const tspl::BlockResult written = tspl::WriteParameterBlock(block);
  if (!written.ok) {
    return LibraryFailure(kExitPort, "writing the block failed", written.code);
  }
  Block back{};
  if (auto failure = ReadPrinterBlock(context, back)) {
    failure->error = "written, but reading it back failed: " + failure->error;
    return failure;
  }
  if (back != block) return Fail(kExitAnswer, "the printer did not keep the written block");
  return std::nullopt;
}

void AddFields(Outcome &outcome, const FieldMap &map, const Block &block) {
  for (const FieldValue &field : map.Decode(block)) {
    outcome.data["fields"][field.name] = field.value;
    outcome.text += field.name + "=" + field.value + "\n";
  }
}

Outcome Get(Context &context) {
  Block block{};
  if (auto failure = ReadPrinterBlock(context, block)) return *failure;
  const FieldMap map = FieldMap::ForModel(context.model, LookupName(context));
  Outcome outcome;
  outcome.data["family"] = map.family();
  outcome.data["fields"] = nlohmann::json::object();
  AddFields(outcome, map, block);
  if (const auto out = context.args.Value("out")) {
    if (!SaveBlockFile(*out, block)) return Fail(kExitFile, "cannot write " + *out);
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
  Block asRead{};
  if (auto failure = ReadPrinterBlock(context, asRead)) {
    failure->error += "; nothing was written";
    return *failure;
  }
  const FieldMap map = FieldMap::ForModel(context.model, LookupName(context));
  Block edited = asRead;
  for (const auto &[name, value] : assignments) {
    if (auto refusal = map.Assign(edited, name, value)) {
      while (!refusal->empty() && refusal->back() == '.') refusal->pop_back();
      return Fail(kExitValidation, *refusal + "; nothing was written");
    }
  }
  std::filesystem::path backup;
  if (auto failure = SaveBackup(context, asRead, backup)) return *failure;
  tspl::SealParameterBlock(edited);
  if (auto failure = WriteAndVerify(context, edited)) return *failure;
  return Written(map, asRead, edited, backup);
}

Outcome Restore(Context &context) {
  if (context.args.words.size() != 3) return Fail(kExitUsage, "params restore needs one FILE");
  Block restored{};
  if (auto failure = LoadBlockFile(context.args.Word(2), restored)) return *failure;
  Block asRead{};
  if (auto failure = ReadPrinterBlock(context, asRead)) {
    failure->error += "; nothing was written";
    return *failure;
  }
  std::filesystem::path backup;
  if (auto failure = SaveBackup(context, asRead, backup)) return *failure;
  if (auto failure = WriteAndVerify(context, restored)) return *failure;
  return Written(FieldMap::ForModel(context.model, LookupName(context)), asRead, restored, backup);
}

// A file, or the word "printer" for the block the printer holds now.
std::optional<Outcome> LoadOperand(Context &context, const std::string &operand, Block &block) {
  if (operand == kPrinterOperand) {
    if (auto failure = ResolvePrinter(context)) return failure;
    return ReadPrinterBlock(context, block);
  }
  return LoadBlockFile(operand, block);
}

Outcome Diff(Context &context) {
  if (context.args.words.size() != 4) return Fail(kExitUsage, "params diff needs two operands A B");
  Block a{};
  Block b{};
  if (auto failure = LoadOperand(context, context.args.Word(2), a)) return *failure;
  if (auto failure = LoadOperand(context, context.args.Word(3), b)) return *failure;
  if (context.model.isEmpty()) {
    const auto model = context.args.Value("model");
    context.model = QString::fromStdString(model.value_or(""));
    if (const auto type = context.args.Value("type")) {
      context.model = mdlGlobal::ModelForPrinterType(QString::fromStdString(*type));
    }
  }
  const FieldMap map = FieldMap::ForModel(context.model, LookupName(context));
  Outcome outcome;
  outcome.data["family"] = map.family();
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
