#include "block_files.h"

#include <chrono>
#include <ctime>
#include <fstream>

#include "param_block.h"

namespace ravo::cli {
namespace {

std::string SafeName(const std::string &text) {
  std::string out;
  for (char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.';
    out += plain ? c : '_';
  }
  return out.empty() ? "unknown" : out;
}

}  // namespace

std::optional<Outcome> LoadBlockFile(const std::filesystem::path &path, Block &block) {
  if (std::filesystem::is_directory(path))
    return Fail(kExitFile, path.string() + " is a directory");
  std::ifstream file(path, std::ios::binary);
  if (!file) return Fail(kExitFile, "cannot read " + path.string());
  Block read{};
  file.read(reinterpret_cast<char *>(read.data()), std::streamsize(read.size()));
  const bool whole = file.gcount() == std::streamsize(read.size());
  const bool longer = file.peek() != std::char_traits<char>::eof();
  if (!whole || longer) {
    return Fail(kExitValidation, path.string() + " is not a 256-byte parameter block");
  }
  if (!ravo::utility::param::IsSoundBlock(read)) {
    return Fail(kExitValidation, path.string() + ": marker or checksum wrong");
  }
  block = read;
  return std::nullopt;
}

bool SaveBlockFile(const std::filesystem::path &path, const Block &block) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char *>(block.data()), std::streamsize(block.size()));
  file.close();
  return !file.fail();
}

std::filesystem::path BackupPath(const std::filesystem::path &dir, const std::string &type,
                                 const std::string &serial) {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  char stamp[32] = {};
  std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
  const std::string stem = SafeName(type) + "-" + SafeName(serial) + "-" + stamp;
  std::filesystem::path path = dir / (stem + ".bin");
  for (int n = 2; std::filesystem::exists(path); ++n) {
    path = dir / (stem + "-" + std::to_string(n) + ".bin");
  }
  return path;
}

}  // namespace ravo::cli
