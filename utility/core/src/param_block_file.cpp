#include "param_block_file.h"

#include <fstream>
#include <string>

namespace ravo::utility::param {

BlockFileRead ReadBlockFile(const std::filesystem::path &path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return {};
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  ParameterBlock read{};
  file.read(reinterpret_cast<char *>(read.data()), std::streamsize(read.size()));
  const bool whole = file.gcount() == std::streamsize(read.size());
  const bool longer = whole && file.peek() != std::char_traits<char>::eof();
  if (file.bad()) return {};
  if (!whole || longer) return {BlockFileStatus::WrongSize, {}};
  if (!IsSoundBlock(read)) return {BlockFileStatus::Unsound, {}};
  return {BlockFileStatus::Ok, read};
}

BlockFileStatus WriteBlockFile(const std::filesystem::path &path, const ParameterBlock &block) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char *>(block.data()), std::streamsize(block.size()));
  file.close();
  return file.fail() ? BlockFileStatus::CannotWrite : BlockFileStatus::Ok;
}

}  // namespace ravo::utility::param
