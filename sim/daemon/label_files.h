// The printed labels in the state directory: label-NNNN.png, numbered in
// print order and continuing after a restart.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace ravo::sim {

// 12 for "label-0012.png"; nothing for any other name, or for a number too
// large to count on from.
std::optional<int64_t> LabelNumber(std::string_view file_name);

class LabelFiles {
 public:
  // Numbering continues after the highest label number in dir; other files
  // are left alone.
  explicit LabelFiles(std::filesystem::path dir);

  // The path for the next label; nothing once the numbers are used up.
  std::optional<std::filesystem::path> Next();

 private:
  std::filesystem::path dir_;
  int64_t last_ = 0;
};

}  // namespace ravo::sim
