// Who the virtual printer pretends to be, and the faults it injects.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ravo::sim {

enum class Family { kTqx, kTqm, kTgv, kHmz, kQ73, kEsc };

struct Persona {
  std::string model = "TQX80";  // TQX58, TQX80, TQM, TGV, HMZ, Q73 or ESC
  Family family = Family::kTqx;
  int width_dots = 576;
  std::string serial = "TQX2512345";
  std::vector<uint8_t> firmware = {1, 2, 7};  // 3 bytes, or 4 with a beta number
  int32_t journey = 12345;                    // printed-length counter
  std::optional<uint8_t> command_mode = 1;    // answer to ESC ESC BS; none = silent
  uint32_t flash_bytes = 4 * 1024 * 1024;
  uint32_t dram_bytes = 1024 * 1024;
  std::string code_page = "GBK";  // how 8-bit text is read when it is not UTF-8
  // CPCL raster polarity: true when a set bit is a dark dot.  The CPCL
  // library sends image files with 0 for dark, so that is the default.
  bool cpcl_one_is_dark = false;
  // The block held before the host writes one; empty = the family's
  // factory block.  Taken as given, so a corrupt block can be simulated.
  std::vector<uint8_t> block;
};

struct Faults {
  std::vector<uint32_t> split;  // answer piece sizes; the rest goes in one last piece
  int split_pause_ms = 0;
  int answer_delay_ms = 0;
  bool no_answer = false;
  bool bad_checksum = false;
  uint64_t close_after = 0;  // close a connection after this many bytes (0 = never)
};

// Sets model, family and width from a model name; false when it is unknown.
bool ApplyModel(Persona &persona, const std::string &model);

// 512 hexadecimal digits (blanks allowed between bytes) -> 256 bytes.
std::optional<std::vector<uint8_t>> ParseBlockHex(const std::string &text);

// Parses "1.2.7" or "1.2.7.3".
std::optional<std::vector<uint8_t>> ParseFirmware(const std::string &text);

// Reads persona fields from a JSON object text; unknown keys are errors.
// Keys: model, width, serial, firmware, journey, command_mode (number or
// null), flash_bytes, dram_bytes, code_page, cpcl_one_is_dark, block (hex).
bool LoadPersonaJson(const std::string &json_text, Persona &persona, std::string &error);

}  // namespace ravo::sim
