#include "context.h"

#include <cstdlib>

#include "mdl_global.h"
#include "mdl_global_printer_list.h"
#include "mdl_global_user_data.h"

namespace ravo::cli {
namespace {

const char kDefaultModel[] = "KP330";

bool HoldsMap(const QString &dir) {
  return std::filesystem::exists((dir + QStringLiteral("/PrinterMap.ini")).toStdString());
}

QString FindFilesDirectory(const Args &args) {
  if (const auto dir = args.Value("files")) return QString::fromStdString(*dir);
  // The installed copy is found from where the program is, so that a moved
  // installation finds its own files.
  const QString candidates[] = {
      mdlGlobal::ProgramDirectory() + QStringLiteral("files"),
      mdlGlobal::ProgramDirectory() + QStringLiteral(RAVO_INSTALLED_FILES_FROM_BIN),
      QStringLiteral(RAVO_BUILD_FILES_DIR)};
  for (const QString &dir : candidates) {
    if (HoldsMap(dir)) return dir;
  }
  return candidates[0];
}

}  // namespace

std::optional<Outcome> LoadDataFiles(const Args &args) {
  mdlGlobal::StartupOptions options;
  options.filesDir = FindFilesDirectory(args);
  // As in the utility: the printer list is the user's unless --files names
  // the directory for everything.
  if (!args.Has("files")) options.userDataDir = mdlGlobal::DefaultUserDataDir();
  if (!HoldsMap(options.filesDir)) {
    return Fail(kExitFile, "no PrinterMap.ini in " + options.filesDir.toStdString() +
                               " (give the data directory with --files DIR)");
  }
  mdlGlobal::InitGlobals(options);
  return std::nullopt;
}

std::optional<Outcome> ResolvePrinter(Context &context) {
  const auto port = context.args.Value("port");
  if (!port || port->empty()) return Fail(kExitUsage, "--port is required");
  const auto model = context.args.Value("model");
  const auto type = context.args.Value("type");
  if (model && type) return Fail(kExitUsage, "give --model or --type, not both");
  ravo::utility::PrinterTarget &printer = context.printer;
  printer.port = QString::fromStdString(*port);
  printer.printerType.clear();
  if (model) {
    printer.model = QString::fromStdString(*model);
  } else if (type) {
    printer.printerType = QString::fromStdString(*type);
    const QString mapped = mdlGlobal::ReadIniString(mdlGlobal::PrinterMapFileName,
                                                    QStringLiteral("Map"), printer.printerType);
    // A typing mistake should not silently address another model.
    if (mapped.isEmpty()) {
      return Fail(kExitUsage, "printer type " + *type + " is not in PrinterMap.ini");
    }
    printer.model = mapped;
  } else {
    printer.model = QLatin1String(kDefaultModel);
  }
  if (printer.model.isEmpty()) return Fail(kExitUsage, "--model needs a name");
  return std::nullopt;
}

std::filesystem::path BackupDirectory(const Args &args) {
  if (const auto dir = args.Value("backup-dir")) return *dir;
  if (const char *data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0') {
    return std::filesystem::path(data) / "ravo" / "backups";
  }
  const char *home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share" / "ravo" /
         "backups";
}

}  // namespace ravo::cli
