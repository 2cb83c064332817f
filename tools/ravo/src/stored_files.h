// The printer's file store as seen over the wire: the answers to the
// listing and size queries, and the RUN/KILL/DOWNLOAD command texts.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ravo::cli {

enum class Storage { Flash, Dram };

// "ZZZFILES F" / "ZZZFILES N" with CR LF.
std::string ListQuery(Storage storage);
inline constexpr char kSizeQuery[] = "ZZZFILESSIZE\r\n";

// Names in a listing answer: the text up to the first byte of 0x20 or
// below, split at commas; empty pieces are dropped.  An answer of one byte
// (a bare CR) lists nothing.
std::vector<std::string> ParseFileList(std::span<const uint8_t> answer);

struct StorageSpace {
  int32_t totalBytes = 0;
  int32_t freeBytes = 0;
};

// The 16-byte size answer holds total and free bytes for flash, then for
// DRAM, each little-endian; empty when it is not exactly 16 bytes.
std::optional<StorageSpace> ParseStorageSpace(std::span<const uint8_t> answer, Storage storage);

// True when name can be quoted in a command: not empty, no double quote and
// no control character.
bool IsCommandSafeName(const std::string &name);

std::string RunCommand(const std::string &name);
// KILL for one file, or for all files of the storage when name is "*".
std::string KillCommand(Storage storage, const std::string &name);
// "DOWNLOAD F," for flash, "DOWNLOAD " for DRAM; the file itself carries
// the rest of the command.
std::string DownloadPrefix(Storage storage);

}  // namespace ravo::cli
