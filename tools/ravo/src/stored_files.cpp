#include "stored_files.h"

namespace ravo::cli {

std::string ListQuery(Storage storage) {
  return storage == Storage::Flash ? "ZZZFILES F\r\n" : "ZZZFILES N\r\n";
}

std::vector<std::string> ParseFileList(std::span<const uint8_t> answer) {
  std::vector<std::string> names;
  if (answer.size() <= 1) return names;
  std::string piece;
  for (uint8_t byte : answer) {
    if (byte <= 0x20) break;
    if (byte == ',') {
      if (!piece.empty()) names.push_back(piece);
      piece.clear();
    } else {
      piece += static_cast<char>(byte);
    }
  }
  if (!piece.empty()) names.push_back(piece);
  return names;
}

std::optional<StorageSpace> ParseStorageSpace(std::span<const uint8_t> answer, Storage storage) {
  if (answer.size() != 16) return std::nullopt;
  auto value = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= uint32_t(answer[at + i]) << (8 * i);
    return static_cast<int32_t>(v);
  };
  const size_t base = storage == Storage::Flash ? 0 : 8;
  return StorageSpace{value(base), value(base + 4)};
}

bool IsCommandSafeName(const std::string &name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == '"' || c == 0x7F) return false;
  }
  return true;
}

std::string RunCommand(const std::string &name) {
  return "RUN \"" + name + "\"\r\n";
}

std::string KillCommand(Storage storage, const std::string &name) {
  return std::string(storage == Storage::Flash ? "KILL F,\"" : "KILL \"") + name + "\"\r\n";
}

std::string DownloadPrefix(Storage storage) {
  return storage == Storage::Flash ? "DOWNLOAD F," : "DOWNLOAD ";
}

}  // namespace ravo::cli
