#include "file_store.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace ravo::sim {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool IsPlain(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '_' || c == '-';
}

// Plain characters stay; everything else becomes %XX, so the stored name
// never holds a separator.
std::string Encode(std::string_view name) {
  std::string out;
  for (unsigned char c : name) {
    if (IsPlain(c) && c != '%') {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> Decode(std::string_view stored) {
  std::string out;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] != '%') {
      out.push_back(stored[i]);
      continue;
    }
    if (i + 2 >= stored.size()) return std::nullopt;
    const int hi = HexValue(stored[i + 1]);
    const int lo = HexValue(stored[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<char>(hi * 16 + lo));
    i += 2;
  }
  return out;
}

}  // namespace

FileStore::FileStore(std::filesystem::path dir, uint64_t capacity)
    : dir_(std::move(dir)), capacity_(capacity) {
  std::error_code ec;
  std::filesystem::create_directories(dir_, ec);
}

bool FileStore::NameIsAcceptable(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameLength || name == "." || name == "..") return false;
  return std::all_of(name.begin(), name.end(), [](unsigned char c) {
    return c > 0x20 && c < 0x7F && c != '"' && c != ',' && c != '/' && c != '\\';
  });
}

std::filesystem::path FileStore::PathOf(std::string_view name) const {
  return dir_ / Encode(name);
}

bool FileStore::Put(std::string_view name, std::string_view data) {
  if (!NameIsAcceptable(name)) return false;
  const auto existing = Get(name);
  const uint64_t reclaimed = existing ? existing->size() : 0;
  if (!existing && Names().size() >= kMaxFiles) return false;
  if (Used() - reclaimed + data.size() > capacity_) return false;
  std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(out);
}

std::optional<std::string> FileStore::Get(std::string_view name) const {
  if (!NameIsAcceptable(name)) return std::nullopt;
  std::ifstream in(PathOf(name), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool FileStore::Remove(std::string_view name) {
  if (!NameIsAcceptable(name)) return false;
  std::error_code ec;
  return std::filesystem::remove(PathOf(name), ec);
}

void FileStore::Clear() {
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(dir_, ec))
    std::filesystem::remove(entry.path(), ec);
}

std::vector<std::string> FileStore::Names() const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(dir_, ec)) {
    if (!entry.is_regular_file()) continue;
    if (auto name = Decode(entry.path().filename().string())) names.push_back(*name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

uint64_t FileStore::Used() const {
  uint64_t used = 0;
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(dir_, ec))
    if (entry.is_regular_file()) used += entry.file_size(ec);
  return used;
}

uint64_t FileStore::Free() const {
  const uint64_t used = Used();
  return used >= capacity_ ? 0 : capacity_ - used;
}

}  // namespace ravo::sim
