// Small helpers for reading command arguments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravo::sim {

// Splits at commas outside double quotes into at most max_fields fields;
// the last field keeps the rest of the text unchanged (commas included).
std::vector<std::string_view> SplitTsplFields(std::string_view args, size_t max_fields);

// Splits at blanks into at most max_fields fields; the last keeps the rest.
std::vector<std::string_view> SplitWords(std::string_view text, size_t max_fields);

std::string_view Trim(std::string_view s);
// Removes one pair of surrounding double quotes, if present.
std::string_view Unquote(std::string_view s);
std::optional<int> ToInt(std::string_view s);
int ToIntOr(std::string_view s, int fallback);
// The value of a hexadecimal digit (either case), or -1.
int HexDigit(char c);
std::string Upper(std::string_view s);

}  // namespace ravo::sim
