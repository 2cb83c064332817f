// One of the printer's file memories (flash or DRAM), kept as files in a
// directory.  Names arrive from the wire, so they are encoded before they
// touch the file system: nothing can name a path outside the directory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravo::sim {

class FileStore {
 public:
  static constexpr size_t kMaxNameLength = 64;
  static constexpr size_t kMaxFiles = 256;

  FileStore(std::filesystem::path dir, uint64_t capacity);

  // False (and nothing stored) for a bad name, a full directory or too
  // little room; a file of the same name is replaced.
  bool Put(std::string_view name, std::string_view data);
  std::optional<std::string> Get(std::string_view name) const;
  bool Remove(std::string_view name);
  void Clear();
  // Names in ascending order.
  std::vector<std::string> Names() const;
  uint64_t Used() const;
  uint64_t Capacity() const { return capacity_; }
  uint64_t Free() const;

  // Printable ASCII without quotes or blanks, 1..64 bytes, not "." or "..".
  static bool NameIsAcceptable(std::string_view name);

 private:
  std::filesystem::path PathOf(std::string_view name) const;

  std::filesystem::path dir_;
  uint64_t capacity_;
};

}  // namespace ravo::sim
