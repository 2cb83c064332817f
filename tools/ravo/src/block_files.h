// Parameter blocks on disk (the core's param_block_file.h) with ravo's exit
// codes and messages, and where backups are kept.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "outcome.h"
#include "param_fields.h"

namespace ravo::cli {

// Reads a 256-byte block and checks its marker and checksum.
std::optional<Outcome> LoadBlockFile(const std::filesystem::path &path, Block &block);

// Writes the block; false when the file cannot be written completely.
bool SaveBlockFile(const std::filesystem::path &path, const Block &block);

// "<type>-<serial>-<YYYYMMDDTHHMMSSZ>.bin" in dir, with a counter added
// when that name is taken; characters unsafe in a file name become '_'.
std::filesystem::path BackupPath(const std::filesystem::path &dir, const std::string &type,
                                 const std::string &serial);

}  // namespace ravo::cli
