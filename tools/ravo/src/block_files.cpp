#include "block_files.h"

#include <chrono>
#include <ctime>

#include "param_block_file.h"

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
  using ravo::utility::param::BlockFileStatus;
  const ravo::utility::param::BlockFileRead read = ravo::utility::param::ReadBlockFile(path);
  switch (read.status) {
    case BlockFileStatus::Ok:
      block = read.block;
      return std::nullopt;
    case BlockFileStatus::WrongSize:
      return Fail(kExitValidation, path.string() + " is not a 256-byte parameter block");
    case BlockFileStatus::Unsound:
      return Fail(kExitValidation, path.string() + ": marker or checksum wrong");
    case BlockFileStatus::CannotRead:
    case BlockFileStatus::CannotWrite:
      break;
  }
  if (std::filesystem::is_directory(path))
    return Fail(kExitFile, path.string() + " is a directory");
  return Fail(kExitFile, "cannot read " + path.string());
}

bool SaveBlockFile(const std::filesystem::path &path, const Block &block) {
  return ravo::utility::param::WriteBlockFile(path, block) ==
         ravo::utility::param::BlockFileStatus::Ok;
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
