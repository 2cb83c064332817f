#include "args.h"

#include <algorithm>
#include <charconv>

namespace ravo::cli {
namespace {

struct OptionSpec {
  const char *name;
  bool takesValue;
};

constexpr OptionSpec kOptions[] = {
    {"port", true},       {"model", true},  {"type", true}, {"files", true},
    {"json", false},      {"help", false},  {"out", true},  {"in", true},
    {"backup-dir", true}, {"x", true},      {"y", true},    {"mode", true},
    {"hex", true},        {"text", true},   {"file", true}, {"read", true},
    {"yes", false},       {"dram", false},  {"all", false}, {"everything", false},
    {"width", true},      {"height", true}, {"esc", false}, {"no-progress", false},
};

const OptionSpec *FindOption(const std::string &name) {
  for (const OptionSpec &entry : kOptions) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

}  // namespace

bool Args::Has(const std::string &name) const {
  return options.contains(name) || std::find(flags.begin(), flags.end(), name) != flags.end();
}

std::optional<std::string> Args::Value(const std::string &name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

std::string Args::Word(size_t index) const {
  return index < words.size() ? words[index] : std::string();
}

ParseResult ParseArgs(const std::vector<std::string> &argv) {
  ParseResult result;
  bool optionsEnded = false;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string &arg = argv[i];
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      if (!optionsEnded && arg == "-h") {
        result.args.flags.push_back("help");
        continue;
      }
      result.args.words.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(2, equals == std::string::npos ? arg.npos : equals - 2);
    const OptionSpec *entry = FindOption(name);
    if (entry == nullptr) {
      result.error = "unknown option --" + name;
      return result;
    }
    if (!entry->takesValue) {
      if (equals != std::string::npos) {
        result.error = "option --" + name + " takes no value";
        return result;
      }
      result.args.flags.push_back(name);
      continue;
    }
    if (equals != std::string::npos) {
      result.args.options[name] = arg.substr(equals + 1);
    } else if (i + 1 < argv.size()) {
      result.args.options[name] = argv[++i];
    } else {
      result.error = "option --" + name + " needs a value";
      return result;
    }
  }
  return result;
}

std::optional<long long> ParseInteger(const std::string &text, long long min, long long max) {
  long long value = 0;
  const char *end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max) {
    return std::nullopt;
  }
  return value;
}

}  // namespace ravo::cli
