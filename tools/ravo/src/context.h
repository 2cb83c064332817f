// Everything a subcommand works with: its arguments, where the data files
// are, the printer it addresses, and whether a progress bar may be drawn.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <ostream>

#include "args.h"
#include "outcome.h"
#include "printer_link.h"

namespace ravo::cli {

struct Context {
  Args args;
  std::ostream *progressStream = nullptr;  // null: no progress bar

  // Filled by ResolvePrinter: port, model and printer type (empty when
  // --model was given).
  ravo::utility::PrinterTarget printer;
};

// Points the utility core at the data files: --files DIR, else files/
// beside the program, else the installed or the build tree's copy.  The
// printer list is the user's (mdl_global_user_data.h) unless --files is
// given.  Fails with kExitFile when no directory holds PrinterMap.ini.
std::optional<Outcome> LoadDataFiles(const Args &args);

// Takes --port (required) and --model or --type (printer type looked up in
// PrinterMap.ini; without either the utility's default model KP330).
std::optional<Outcome> ResolvePrinter(Context &context);

// Directory of the parameter backups: --backup-dir, else
// $XDG_DATA_HOME/ravo/backups, else ~/.local/share/ravo/backups.
std::filesystem::path BackupDirectory(const Args &args);

}  // namespace ravo::cli
