#include "persona.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "fields.h"

namespace ravo::sim {
namespace {

struct ModelRow {
  const char *name;
  Family family;
  int width;
};

constexpr ModelRow kModels[] = {
    {"TQX58", Family::kTqx, 384}, {"TQX80", Family::kTqx, 576}, {"TQX", Family::kTqx, 576},
    {"TQM", Family::kTqm, 864},   {"TGV", Family::kTgv, 864},   {"HMZ", Family::kHmz, 848},
    {"Q73", Family::kQ73, 864},   {"ESC", Family::kEsc, 576},
};

}  // namespace

bool ApplyModel(Persona &persona, const std::string &model) {
  for (const auto &row : kModels) {
    if (model == row.name) {
      persona.model = model;
      persona.family = row.family;
      persona.width_dots = row.width;
      return true;
    }
  }
  return false;
}

std::optional<std::vector<uint8_t>> ParseBlockHex(const std::string &text) {
  std::vector<uint8_t> bytes;
  int high = -1;
  for (char c : text) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
    const int v = HexDigit(c);
    if (v < 0 || bytes.size() >= 256) return std::nullopt;
    if (high < 0) {
      high = v;
    } else {
      bytes.push_back(static_cast<uint8_t>(high * 16 + v));
      high = -1;
    }
  }
  if (bytes.size() != 256 || high >= 0) return std::nullopt;
  return bytes;
}

std::optional<std::vector<uint8_t>> ParseFirmware(const std::string &text) {
  std::vector<uint8_t> parts;
  const char *p = text.data();
  const char *end = p + text.size();
  while (p < end) {
    unsigned value = 0;
    auto [next, ec] = std::from_chars(p, end, value);
    if (ec != std::errc() || value > 255) return std::nullopt;
    parts.push_back(static_cast<uint8_t>(value));
    p = next;
    if (p < end && *p++ != '.') return std::nullopt;
  }
  if (parts.size() != 3 && parts.size() != 4) return std::nullopt;
  return parts;
}

bool LoadPersonaJson(const std::string &json_text, Persona &persona, std::string &error) {
  try {
    const auto j = nlohmann::json::parse(json_text);
    if (!j.is_object()) throw std::runtime_error("persona must be a JSON object");
    for (const auto &[key, value] : j.items()) {
      if (key == "model") {
        if (!ApplyModel(persona, value.get<std::string>()))
          throw std::runtime_error("unknown model " + value.get<std::string>());
      } else if (key == "width") {
        persona.width_dots = value.get<int>();
      } else if (key == "serial") {
        persona.serial = value.get<std::string>();
      } else if (key == "firmware") {
        auto fw = ParseFirmware(value.get<std::string>());
        if (!fw) throw std::runtime_error("firmware must look like 1.2.7 or 1.2.7.3");
        persona.firmware = *fw;
      } else if (key == "journey") {
        persona.journey = value.get<int32_t>();
      } else if (key == "command_mode") {
        if (value.is_null())
          persona.command_mode.reset();
        else
          persona.command_mode = value.get<uint8_t>();
      } else if (key == "flash_bytes") {
        persona.flash_bytes = value.get<uint32_t>();
      } else if (key == "dram_bytes") {
        persona.dram_bytes = value.get<uint32_t>();
      } else if (key == "code_page") {
        persona.code_page = value.get<std::string>();
      } else if (key == "block") {
        auto block = ParseBlockHex(value.get<std::string>());
        if (!block) throw std::runtime_error("block must be 256 bytes in hexadecimal");
        persona.block = *block;
      } else if (key == "cpcl_one_is_dark") {
        persona.cpcl_one_is_dark = value.get<bool>();
      } else {
        throw std::runtime_error("unknown persona key " + key);
      }
    }
    if (persona.width_dots < 8 || persona.width_dots > 4096)
      throw std::runtime_error("width must be 8..4096 dots");
  } catch (const std::exception &e) {
    error = e.what();
    return false;
  }
  return true;
}

}  // namespace ravo::sim
