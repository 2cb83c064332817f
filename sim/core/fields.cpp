#include "fields.h"

#include <algorithm>
#include <charconv>

namespace ravo::sim {

std::vector<std::string_view> SplitTsplFields(std::string_view args, size_t max_fields) {
  std::vector<std::string_view> out;
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i < args.size() && out.size() + 1 < max_fields; ++i) {
    if (args[i] == '"') quoted = !quoted;
    if (args[i] == ',' && !quoted) {
      out.push_back(Trim(args.substr(start, i - start)));
      start = i + 1;
    }
  }
  out.push_back(args.substr(std::min(start, args.size())));
  return out;
}

std::vector<std::string_view> SplitWords(std::string_view text, size_t max_fields) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < text.size() && out.size() + 1 < max_fields) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) break;
    const size_t end = std::min(text.find(' ', i), text.size());
    out.push_back(text.substr(i, end - i));
    i = end;
  }
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size()) out.push_back(text.substr(i));
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

std::string_view Unquote(std::string_view s) {
  s = Trim(s);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
  return s;
}

std::optional<int> ToInt(std::string_view s) {
  s = Trim(s);
  int value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int ToIntOr(std::string_view s, int fallback) {
  return ToInt(s).value_or(fallback);
}

std::string Upper(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  });
  return out;
}

}  // namespace ravo::sim
