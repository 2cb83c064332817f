// Parameter blocks on disk: the raw 256 bytes, marker and checksum included
// (what `ravo params get --out` writes and the parameter windows save and
// load).  A file is taken only when it holds exactly one sound block.
#pragma once

#include <filesystem>

#include "param_block.h"

namespace ravo::utility::param {

enum class BlockFileStatus {
  Ok,
  CannotRead,   // missing, unreadable, or a directory
  WrongSize,    // not exactly 256 bytes
  Unsound,      // marker or checksum wrong
  CannotWrite,  // the file could not be written completely
};

struct BlockFileRead {
  BlockFileStatus status = BlockFileStatus::CannotRead;
  ParameterBlock block{};  // zero unless status is Ok
};

BlockFileRead ReadBlockFile(const std::filesystem::path &path);

// Writes the block as it is; the caller seals it first.
BlockFileStatus WriteBlockFile(const std::filesystem::path &path, const ParameterBlock &block);

}  // namespace ravo::utility::param
