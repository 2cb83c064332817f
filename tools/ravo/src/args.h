// The command line split into words and options.  Options may appear
// anywhere after the program name, as "--name value" or "--name=value";
// "--" ends them.  Which options take a value is fixed by one table.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ravo::cli {

struct Args {
  std::vector<std::string> words;              // command, subcommand, operands in order
  std::map<std::string, std::string> options;  // name without "--" -> value
  std::vector<std::string> flags;              // names of options without value

  bool Has(const std::string &name) const;
  std::optional<std::string> Value(const std::string &name) const;
  // The word at index, empty when absent.
  std::string Word(size_t index) const;
};

struct ParseResult {
  Args args;
  std::string error;  // empty on success
};

ParseResult ParseArgs(const std::vector<std::string> &argv);

// A decimal integer in [min, max]; empty when the text is anything else.
std::optional<long long> ParseInteger(const std::string &text, long long min, long long max);

}  // namespace ravo::cli
