#include "options.h"

#include <charconv>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string_view>

namespace ravo::sim {
namespace {

long long Number(std::string_view text, long long low, long long high) {
  long long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
    throw std::runtime_error("bad number " + std::string(text));
  return value;
}

std::vector<uint32_t> NumberList(std::string_view text) {
  std::vector<uint32_t> out;
  while (!text.empty()) {
    const size_t comma = std::min(text.find(','), text.size());
    out.push_back(static_cast<uint32_t>(Number(text.substr(0, comma), 1, 1 << 20)));
    text.remove_prefix(std::min(comma + 1, text.size()));
  }
  return out;
}

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

using Setter = std::function<void(DaemonOptions &, std::string_view)>;

const std::map<std::string, Setter, std::less<>> &Setters() {
  static const std::map<std::string, Setter, std::less<>> setters = {
      {"--host", [](DaemonOptions &o, std::string_view v) { o.host = v; }},
      {"--port", [](DaemonOptions &o,
                    std::string_view v) { o.port = static_cast<int>(Number(v, 0, 65535)); }},
      {"--pty", [](DaemonOptions &o, std::string_view v) { o.pty_path = v; }},
      {"--state", [](DaemonOptions &o, std::string_view v) { o.state_dir = v; }},
      {"--model",
       [](DaemonOptions &o, std::string_view v) {
         if (!ApplyModel(o.persona, std::string(v))) throw std::runtime_error("unknown model");
       }},
      {"--width",
       [](DaemonOptions &o, std::string_view v) {
         o.persona.width_dots = static_cast<int>(Number(v, 8, 4096));
       }},
      {"--serial", [](DaemonOptions &o, std::string_view v) { o.persona.serial = v; }},
      {"--firmware",
       [](DaemonOptions &o, std::string_view v) {
         auto fw = ParseFirmware(std::string(v));
         if (!fw) throw std::runtime_error("firmware must look like 1.2.7 or 1.2.7.3");
         o.persona.firmware = *fw;
       }},
      {"--journey",
       [](DaemonOptions &o, std::string_view v) {
         o.persona.journey = static_cast<int32_t>(Number(v, INT32_MIN, INT32_MAX));
       }},
      {"--command-mode",
       [](DaemonOptions &o, std::string_view v) {
         if (v == "none")
           o.persona.command_mode.reset();
         else
           o.persona.command_mode = static_cast<uint8_t>(Number(v, 0, 255));
       }},
      {"--flash-size",
       [](DaemonOptions &o, std::string_view v) {
         o.persona.flash_bytes = static_cast<uint32_t>(Number(v, 0, INT32_MAX));
       }},
      {"--dram-size",
       [](DaemonOptions &o, std::string_view v) {
         o.persona.dram_bytes = static_cast<uint32_t>(Number(v, 0, INT32_MAX));
       }},
      {"--code-page", [](DaemonOptions &o, std::string_view v) { o.persona.code_page = v; }},
      {"--cpcl-dark-bit",
       [](DaemonOptions &o, std::string_view v) {
         o.persona.cpcl_one_is_dark = Number(v, 0, 1) == 1;
       }},
      {"--block",
       [](DaemonOptions &o, std::string_view v) {
         auto block = ParseBlockHex(ReadFile(std::string(v)));
         if (!block) throw std::runtime_error("--block file must hold 256 bytes in hexadecimal");
         o.persona.block = *block;
       }},
      {"--idle-timeout",
       [](DaemonOptions &o, std::string_view v) {
         o.idle_timeout_s = static_cast<int>(Number(v, 0, 86400));
       }},
      {"--split", [](DaemonOptions &o, std::string_view v) { o.faults.split = NumberList(v); }},
      {"--split-pause-ms",
       [](DaemonOptions &o, std::string_view v) {
         o.faults.split_pause_ms = static_cast<int>(Number(v, 0, 60000));
       }},
      {"--answer-delay-ms",
       [](DaemonOptions &o, std::string_view v) {
         o.faults.answer_delay_ms = static_cast<int>(Number(v, 0, 60000));
       }},
      {"--close-after",
       [](DaemonOptions &o, std::string_view v) {
         o.faults.close_after = static_cast<uint64_t>(Number(v, 1, INT64_MAX));
       }},
  };
  return setters;
}

}  // namespace

const char *UsageText() {
  return "usage: ravo-printer-sim [options]\n"
         "  --host ADDR --port N      listen on ADDR:N (default 127.0.0.1:9100, 0 = free port)\n"
         "  --pty PATH                also serve a pseudo-terminal linked at PATH\n"
         "  --state DIR               state directory (block, files, PNGs, received.log)\n"
         "  --persona FILE            persona as JSON (options below override it)\n"
         "  --model M                 TQX58 TQX80 TQM TGV HMZ Q73 ESC\n"
         "  --width DOTS --serial SN --firmware 1.2.7[.B] --journey N\n"
         "  --command-mode N|none     answer to ESC ESC BS\n"
         "  --flash-size B --dram-size B --code-page NAME --cpcl-dark-bit 0|1\n"
         "  --block FILE              stored block, 256 bytes in hexadecimal text\n"
         "  --idle-timeout S          close a connection that sent and read nothing for S\n"
         "                            seconds (default 60, 0 = never)\n"
         "faults:\n"
         "  --split A,B,...  --split-pause-ms MS   answers in pieces\n"
         "  --answer-delay-ms MS  --no-answer  --bad-checksum  --close-after N\n";
}

bool ParseOptions(int argc, char **argv, DaemonOptions &options, std::string &error) {
  try {
    // The persona file first, so that single options override it.
    for (int i = 1; i + 1 < argc; ++i) {
      if (std::string_view(argv[i]) == "--persona" &&
          !LoadPersonaJson(ReadFile(argv[i + 1]), options.persona, error))
        return false;
    }
    for (int i = 1; i < argc; ++i) {
      const std::string_view arg = argv[i];
      if (arg == "--help" || arg == "-h") {
        options.help = true;
      } else if (arg == "--no-answer") {
        options.faults.no_answer = true;
      } else if (arg == "--bad-checksum") {
        options.faults.bad_checksum = true;
      } else if (arg == "--persona") {
        ++i;
      } else if (auto it = Setters().find(arg); it != Setters().end()) {
        if (i + 1 >= argc) throw std::runtime_error(std::string(arg) + " needs a value");
        it->second(options, argv[++i]);
      } else {
        throw std::runtime_error("unknown option " + std::string(arg));
      }
    }
  } catch (const std::exception &e) {
    error = e.what();
    return false;
  }
  return true;
}

}  // namespace ravo::sim
