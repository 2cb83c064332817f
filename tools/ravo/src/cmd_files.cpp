// ravo files list|download|run|delete: the files a TSPL printer keeps in
// flash or DRAM.
#include <QStringList>

#include "commands.h"
#include "printer_service.h"
#include "progress.h"
#include "service_outcome.h"
#include "stored_files.h"
#include "text_codec.h"

namespace ravo::cli {
namespace {

using ravo::utility::PrinterService;
using ravo::utility::ServiceResult;
using ravo::utility::Storage;

Storage ChosenStorage(const Args &args) {
  return args.Has("dram") ? Storage::Dram : Storage::Flash;
}

const char *StorageName(Storage storage) {
  return storage == Storage::Flash ? "flash" : "dram";
}

// The name in the system code page, refused when it cannot be quoted.
std::optional<Outcome> ToWireName(const std::string &name, QByteArray &wire) {
  if (!ravo::utility::QStringToAnsi(QString::fromStdString(name), wire) ||
      !ravo::utility::IsCommandSafeName(wire)) {
    return Fail(kExitValidation, "unusable file name: \"" + name + "\"");
  }
  return std::nullopt;
}

Outcome List(Context &context, Storage storage) {
  const auto listed = PrinterService(context.printer).ListStoredFiles(storage);
  if (!listed.ok()) return ServiceFailure(listed.result, "the listing query");
  const ravo::utility::StoredFiles &files = listed.value;
  if (files.listingBytes == 0) return Fail(kExitAnswer, "the printer sent no file listing");
  std::vector<std::string> names;
  for (const QByteArray &name : files.names) {
    names.push_back(ravo::utility::AnsiToQString(name).toStdString());
  }
  Outcome outcome;
  outcome.data["storage"] = StorageName(storage);
  outcome.data["files"] = names;
  outcome.text =
      std::string(StorageName(storage)) + ": " + std::to_string(names.size()) + " file(s)\n";
  for (const std::string &name : names) outcome.text += "  " + name + "\n";
  if (!files.room) {
    outcome.exitCode = kExitAnswer;
    outcome.error = "the printer sent " + std::to_string(files.roomBytes) +
                    " bytes for its storage sizes instead of 16";
    return outcome;
  }
  outcome.data["total_bytes"] = files.room->total;
  outcome.data["free_bytes"] = files.room->free;
  outcome.text += "Free: " + std::to_string(files.room->free / 1024) + " kB of " +
                  std::to_string(files.room->total / 1024) + " kB\n";
  return outcome;
}

Outcome Download(Context &context, Storage storage) {
  const std::vector<std::string> paths(
      context.args.words.begin() + std::min<size_t>(2, context.args.words.size()),
      context.args.words.end());
  if (paths.empty()) return Fail(kExitUsage, "files download needs at least one FILE");
  QStringList files;
  for (const std::string &path : paths) files += QString::fromStdString(path);
  std::optional<ProgressBar> bar;
  ravo::utility::TaskControl control;
  control.progress = [&](int64_t sent, int64_t total) {
    if (!bar) bar.emplace(context.progressStream, "download", uint64_t(total));
    bar->Update(uint64_t(sent));
  };
  const auto download = PrinterService(context.printer, &control).DownloadFiles(files, storage);
  if (bar) bar->Finish();
  if (!download.ok()) {
    Outcome failure = ServiceFailure(download.result, "the DOWNLOAD command");
    // Once the files were read, how far the data got.
    if (download.result.message != ravo::utility::ServiceMessage::FileRead) {
      failure.data["sent_bytes"] = download.value.sent;
      failure.data["total_bytes"] = download.value.total;
      failure.error += " (" + std::to_string(download.value.sent) + " of " +
                       std::to_string(download.value.total) + " bytes sent)";
    }
    return failure;
  }
  Outcome outcome;
  outcome.data["storage"] = StorageName(storage);
  outcome.data["files"] = paths;
  outcome.data["bytes"] = download.value.total;
  outcome.text = "Downloaded " + std::to_string(paths.size()) + " file(s), " +
                 std::to_string(download.value.total) + " bytes, to " + StorageName(storage) + "\n";
  return outcome;
}

Outcome Sent(const ServiceResult &result, const std::string &what) {
  if (!result.ok()) return ServiceFailure(result, what);
  Outcome outcome;
  outcome.data["done"] = what;
  outcome.text = "Sent " + what + "\n";
  return outcome;
}

Outcome Run(Context &context) {
  if (context.args.words.size() != 3) return Fail(kExitUsage, "files run needs one NAME");
  QByteArray name;
  if (auto failure = ToWireName(context.args.Word(2), name)) return *failure;
  return Sent(PrinterService(context.printer).RunStoredFile(name),
              "RUN \"" + context.args.Word(2) + "\"");
}

Outcome Delete(Context &context, Storage storage) {
  const bool all = context.args.Has("all");
  const bool everything = context.args.Has("everything");
  const bool named = context.args.words.size() == 3;
  if (int(all) + int(everything) + int(named) != 1 || context.args.words.size() > 3) {
    return Fail(kExitUsage, "files delete needs one NAME, --all or --everything");
  }
  const PrinterService service(context.printer);
  if (everything) return Sent(service.DeleteAllStoredFiles(), "deletion of all files");
  if (all) {
    return Sent(service.DeleteStoredFiles(storage),
                std::string("deletion of all ") + StorageName(storage) + " files");
  }
  QByteArray name;
  if (auto failure = ToWireName(context.args.Word(2), name)) return *failure;
  return Sent(service.DeleteStoredFile(storage, name),
              "deletion of " + context.args.Word(2) + " from " + StorageName(storage));
}

}  // namespace

Outcome RunFiles(Context &context) {
  const std::string action = context.args.Word(1);
  const Storage storage = ChosenStorage(context.args);
  if (action == "list") {
    if (context.args.words.size() != 2) return Fail(kExitUsage, "files list takes no operand");
    return List(context, storage);
  }
  if (action == "download") return Download(context, storage);
  if (action == "run") return Run(context);
  if (action == "delete") return Delete(context, storage);
  return Fail(kExitUsage, "files needs list, download, run or delete");
}

}  // namespace ravo::cli
