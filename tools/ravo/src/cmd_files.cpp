// ravo files list|download|run|delete: the files a TSPL printer keeps in
// flash or DRAM.
#include <fstream>
#include <iterator>

#include "commands.h"
#include "mdl_printer_lib_tspl.h"
#include "printer_link.h"
#include "progress.h"
#include "stored_files.h"
#include "text_codec.h"

namespace ravo::cli {
namespace {

constexpr size_t kPiece = 1024;
constexpr int32_t kListAnswerSize = 1024;

Storage ChosenStorage(const Args &args) {
  return args.Has("dram") ? Storage::Dram : Storage::Flash;
}

const char *StorageName(Storage storage) {
  return storage == Storage::Flash ? "flash" : "dram";
}

// The name in the system code page, refused when it cannot be quoted.
std::optional<Outcome> ToWireName(const std::string &name, std::string &wire) {
  QByteArray ansi;
  if (!IsCommandSafeName(name) ||
      !ravo::utility::QStringToAnsi(QString::fromStdString(name), ansi)) {
    return Fail(kExitValidation, "unusable file name: \"" + name + "\"");
  }
  wire.assign(ansi.constData(), size_t(ansi.size()));
  return std::nullopt;
}

Outcome List(Context &context, Storage storage) {
  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  if (auto failure = link->Send(ListQuery(storage), "the listing query")) return *failure;
  Pause(300);
  std::vector<uint8_t> answer(kListAnswerSize);
  int32_t stored = 0;
  const int32_t listed =
      mdlPrinterLib_TSPL::TsplReadDataEOF(answer.data(), 0, kListAnswerSize, 0, 0x0D, stored);
  answer.resize(size_t(stored));
  if (answer.empty()) return LibraryFailure(kExitAnswer, "no file listing", listed);
  const std::vector<std::string> names = ParseFileList(answer);

  if (auto failure = link->Send(kSizeQuery, "the size query")) return *failure;
  Pause(300);
  const std::vector<uint8_t> sizes = link->Read(16, 100, 2);
  const auto space = ParseStorageSpace(sizes, storage);

  Outcome outcome;
  outcome.data["storage"] = StorageName(storage);
  outcome.data["files"] = names;
  outcome.text =
      std::string(StorageName(storage)) + ": " + std::to_string(names.size()) + " file(s)\n";
  for (const std::string &name : names) outcome.text += "  " + name + "\n";
  if (!space) {
    outcome.exitCode = kExitAnswer;
    outcome.error = "the printer sent " + std::to_string(sizes.size()) +
                    " bytes for its storage sizes instead of 16";
    return outcome;
  }
  outcome.data["total_bytes"] = space->totalBytes;
  outcome.data["free_bytes"] = space->freeBytes;
  outcome.text += "Free: " + std::to_string(space->freeBytes / 1024) + " kB of " +
                  std::to_string(space->totalBytes / 1024) + " kB\n";
  return outcome;
}

struct LocalFile {
  std::string path;
  std::vector<uint8_t> bytes;
};

Outcome Download(Context &context, Storage storage) {
  const std::vector<std::string> paths(
      context.args.words.begin() + std::min<size_t>(2, context.args.words.size()),
      context.args.words.end());
  if (paths.empty()) return Fail(kExitUsage, "files download needs at least one FILE");
  // Every file is read before anything is sent, so a bad path leaves the
  // printer untouched instead of half loaded.
  std::vector<LocalFile> files;
  uint64_t total = 0;
  for (const std::string &path : paths) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(kExitFile, "cannot read " + path);
    LocalFile file{path, std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>())};
    if (in.bad()) return Fail(kExitFile, "cannot read " + path);
    total += file.bytes.size();
    files.push_back(std::move(file));
  }
  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  ProgressBar bar(context.progressStream, "download", total);
  uint64_t sent = 0;
  for (const LocalFile &file : files) {
    if (auto failure = link->Send(DownloadPrefix(storage), "the download command")) return *failure;
    for (size_t at = 0; at < file.bytes.size(); at += kPiece) {
      const size_t length = std::min(kPiece, file.bytes.size() - at);
      if (auto failure = link->Send(std::span(file.bytes).subspan(at, length), file.path)) {
        return *failure;
      }
      sent += length;
      bar.Update(sent);
    }
  }
  bar.Finish();
  Outcome outcome;
  outcome.data["storage"] = StorageName(storage);
  outcome.data["files"] = paths;
  outcome.data["bytes"] = total;
  outcome.text = "Downloaded " + std::to_string(files.size()) + " file(s), " +
                 std::to_string(total) + " bytes, to " + StorageName(storage) + "\n";
  return outcome;
}

Outcome SendOne(Context &context, const std::string &command, const std::string &what) {
  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;
  if (auto failure = link->Send(command, what)) return *failure;
  Outcome outcome;
  outcome.data["done"] = what;
  outcome.text = "Sent " + what + "\n";
  return outcome;
}

Outcome Run(Context &context) {
  std::string name;
  if (context.args.words.size() != 3) return Fail(kExitUsage, "files run needs one NAME");
  if (auto failure = ToWireName(context.args.Word(2), name)) return *failure;
  return SendOne(context, RunCommand(name), "RUN \"" + context.args.Word(2) + "\"");
}

Outcome Delete(Context &context, Storage storage) {
  const bool all = context.args.Has("all");
  const bool everything = context.args.Has("everything");
  const bool named = context.args.words.size() == 3;
  if (int(all) + int(everything) + int(named) != 1 || context.args.words.size() > 3) {
    return Fail(kExitUsage, "files delete needs one NAME, --all or --everything");
  }
  if (everything) {
    return SendOne(context, KillCommand(Storage::Dram, "*") + KillCommand(Storage::Flash, "*"),
                   "deletion of all files");
  }
  if (all) {
    return SendOne(context, KillCommand(storage, "*"),
                   std::string("deletion of all ") + StorageName(storage) + " files");
  }
  std::string name;
  if (auto failure = ToWireName(context.args.Word(2), name)) return *failure;
  return SendOne(context, KillCommand(storage, name),
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
