// The printer's command words in one table, and its status queries.
#include <algorithm>
#include <cstdio>

#include "device.h"
#include "fields.h"

namespace ravo::sim {
namespace {

// Settings that change nothing a picture of the label shows.
std::string Accept(Device &, std::string_view) {
  return {};
}

}  // namespace

const std::vector<Device::Word> &Device::Words() {
  using D = Device;
  using A = std::string_view;
  static const std::vector<Word> words = {
      // The printer family's own queries, answered in every mode.
      {"ZZZGETSN", [](D &d, A) { return d.AnswerSerial(); }, false},
      {"ZZZGETJOURNEY", [](D &d, A) { return d.AnswerJourney(); }, false},
      {"ZZZGETVERSION", [](D &d, A) { return d.AnswerVersion(); }, false},
      {"ZZZFILES", [](D &d, A a) { return d.AnswerFiles(a); }, false},
      {"ZZZFILESSIZE", [](D &d, A) { return d.AnswerSizes(); }, false},
      {"ZZZLEARN", [](D &d, A) { return d.Learn(); }, false},
      {"ZZZDFUMODE", [](D &d, A) { return d.EnterFirmwareMode(); }, false},
      // TSPL: jobs and memory.
      {"PRINT", [](D &d, A a) { return d.PrintLabel(a); }, true},
      {"SELFTEST", [](D &d, A) { return d.SelfTest(); }, true},
      {"KILL", [](D &d, A a) { return d.Kill(a); }, true},
      {"RUN", [](D &d, A a) { return d.RunProgram(a); }, true},
      // TSPL: the image buffer and where it lands on the paper.
      {"SIZE", [](D &d, A a) { return d.tspl_.Size(a); }, true},
      {"CLS", [](D &d, A a) { return d.tspl_.Cls(a); }, true},
      {"DIRECTION", [](D &d, A a) { return d.tspl_.Direction(a); }, true},
      {"REFERENCE", [](D &d, A a) { return d.tspl_.Reference(a); }, true},
      {"SHIFT", [](D &d, A a) { return d.tspl_.Shift(a); }, true},
      {"OFFSET", [](D &d, A a) { return d.tspl_.Offset(a); }, true},
      {"CODEPAGE", [](D &d, A a) { return d.tspl_.CodePage(a); }, true},
      {"TEXT", [](D &d, A a) { return d.tspl_.Text(a); }, true},
      {"BLOCK", [](D &d, A a) { return d.tspl_.Block(a); }, true},
      {"BOX", [](D &d, A a) { return d.tspl_.Box(a); }, true},
      {"BAR", [](D &d, A a) { return d.tspl_.Bar(a); }, true},
      {"REVERSE", [](D &d, A a) { return d.tspl_.Reverse(a); }, true},
      {"ERASE", [](D &d, A a) { return d.tspl_.Erase(a); }, true},
      {"CIRCLE", [](D &d, A a) { return d.tspl_.Circle(a); }, true},
      {"ELLIPSE", [](D &d, A a) { return d.tspl_.Ellipse(a); }, true},
      {"DIAGONAL", [](D &d, A a) { return d.tspl_.Diagonal(a); }, true},
      {"BARCODE", [](D &d, A a) { return d.tspl_.Barcode(a); }, true},
      {"QRCODE", [](D &d, A a) { return d.tspl_.QrCode(a); }, true},
      {"DMATRIX", [](D &d, A a) { return d.tspl_.DataMatrix(a); }, true},
      {"PDF417", [](D &d, A a) { return d.tspl_.Pdf417(a); }, true},
      {"BITMAP", [](D &, A) { return std::string("header without its raster"); }, true},
      {"PUTBMP", [](D &, A) { return std::string("stored pictures are not drawn"); }, true},
      {"PUTPCX", [](D &, A) { return std::string("stored pictures are not drawn"); }, true},
      // TSPL: media, motion and sound, which leave the picture as it is.
      {"SPEED", Accept, true},
      {"DENSITY", Accept, true},
      {"GAP", Accept, true},
      {"BLINE", Accept, true},
      {"SET", Accept, true},
      {"HOME", Accept, true},
      {"FORMFEED", Accept, true},
      {"FEED", Accept, true},
      {"BACKFEED", Accept, true},
      {"BACKUP", Accept, true},
      {"CUT", Accept, true},
      {"SOUND", Accept, true},
      {"LIMITFEED", Accept, true},
      {"GAPDETECT", Accept, true},
      {"BLINEDETECT", Accept, true},
      {"AUTODETECT", Accept, true},
      {"INITIALPRINTER", Accept, true},
      {"DELAY", Accept, true},
      {"EOP", Accept, true},
      {"END", Accept, true},
  };
  return words;
}

const Device::Word *Device::FindWord(std::string_view word) const {
  const auto &words = Words();
  const auto it =
      std::find_if(words.begin(), words.end(), [&](const Word &w) { return w.word == word; });
  return it == words.end() ? nullptr : &*it;
}

// One leading byte (the length), the number, a NUL.
std::string Device::AnswerSerial() {
  const std::string sn = persona_.serial.substr(0, 31);
  out_.Answer(std::string(1, static_cast<char>(sn.size())) + sn + std::string(1, '\0'));
  return {};
}

std::string Device::AnswerJourney() {
  const auto n = static_cast<uint32_t>(persona_.journey);
  const char bytes[4] = {static_cast<char>(n >> 24), static_cast<char>(n >> 16),
                         static_cast<char>(n >> 8), static_cast<char>(n)};
  out_.Answer(std::string_view(bytes, 4));
  return {};
}

std::string Device::AnswerVersion() {
  out_.Answer(std::string(persona_.firmware.begin(), persona_.firmware.end()));
  return {};
}

std::string Device::AnswerSizes() {
  out_.Answer(SizeAnswer());
  return {};
}

std::string Device::Learn() {
  out_.Note("label auto-learn");
  return {};
}

std::string Device::EnterFirmwareMode() {
  dfu_mode_ = true;
  out_.Note("firmware download mode");
  return {};
}

std::string Device::SelfTest() {
  PrintConfiguration();
  return {};
}

// ZZZFILES F (flash) or N (DRAM): names joined by commas, then CR.
std::string Device::AnswerFiles(std::string_view args) {
  const std::string which = Upper(Trim(args));
  if (which != "F" && which != "N") return "expects F or N";
  std::string answer;
  for (const auto &name : (which == "F" ? flash_ : dram_).Names()) {
    if (!answer.empty()) answer.push_back(',');
    answer += name;
  }
  out_.Answer(answer + "\r");
  return {};
}

// PRINT sets[,copies].  A bare PRINT is CPCL's, after its label already
// ended with FORM.
std::string Device::PrintLabel(std::string_view args) {
  if (Trim(args).empty()) return {};
  Label label = tspl_.Snapshot();
  const auto counts = SplitTsplFields(args, 2);
  auto count = [&](size_t i) {
    return i < counts.size() ? std::clamp(ToIntOr(counts[i], 1), 1, kMaxCopies) : 1;
  };
  label.copies = count(0) * count(1);
  Print(label);
  return {};
}

// KILL "name", KILL F,"name", "*" for every file of the memory.
std::string Device::Kill(std::string_view args) {
  args = Trim(args);
  FileStore *store = &dram_;
  if (args.size() >= 2 && (args[0] == 'F' || args[0] == 'f') && args[1] == ',') {
    store = &flash_;
    args.remove_prefix(2);
  }
  const std::string_view name = Unquote(args);
  if (name == "*")
    store->Clear();
  else if (!store->Remove(name))
    return "no file " + std::string(name);
  return {};
}

// RUN "name": a stored program runs as if it had arrived on the wire.
std::string Device::RunProgram(std::string_view args) {
  const std::string_view name = Unquote(args);
  auto program = flash_.Get(name);
  if (!program) program = dram_.Get(name);
  if (!program) return "no program " + std::string(name);
  if (run_depth_ > 0) return "a program cannot run another";
  ++run_depth_;
  StreamParser nested(*this);
  nested.Feed(std::span(reinterpret_cast<const uint8_t *>(program->data()), program->size()));
  nested.Finish();
  --run_depth_;
  return {};
}

// TSPL status and identity queries: "<ESC>!x" answers at once, "~!x" when
// the printer is ready; this printer is always ready.
void Device::OnImmediate(char letter, bool escape) {
  const std::string_view form = escape ? "<ESC>!" : "~!";
  if (escape) {
    switch (letter) {
      case '?': {  // one status byte: 0 ready, 0x10 paused, the rest as the test set it
        const uint8_t status = StatusByte() | (paused_ ? 0x10 : 0);
        return out_.Answer(std::string(1, static_cast<char>(status)));
      }
      case 'S':  // STX, message, warning, error, error, ETX, CR, LF
        return out_.Answer(std::string("\x02") + (paused_ ? '`' : '@') + "@@@\x03\r\n");
      case 'P':
        paused_ = true;
        return out_.Note("paused");
      case 'O':
        paused_ = false;
        return out_.Note("pause cancelled");
      case '.':
        return out_.Note("printing cancelled");
      case 'D':
        return out_.Note("dump mode not modelled");
      default:
        break;
    }
  } else {
    switch (letter) {
      case '@': {  // printed length in kilometres, one decimal
        const double km = persona_.journey * 3.0 / 1e6;
        char text[32];
        std::snprintf(text, sizeof text, "%.1f\r", km);
        return out_.Answer(text);
      }
      case 'A':  // free memory in bytes
        return out_.Answer(std::to_string(flash_.Free()) + "\r");
      case 'C':  // no real-time clock
        return out_.Answer("0\r");
      case 'D':
        return out_.Note("dump mode not modelled");
      case 'F': {  // file names, each ended by CR, the list by SUB
        std::string answer;
        for (const FileStore *store : {&dram_, &flash_})
          for (const auto &name : store->Names()) answer += name + "\r";
        return out_.Answer(answer + "\x1A");
      }
      case 'I':  // code page and country
        return out_.Answer(tspl_.CodePageName() + ",001\r");
      case 'T':  // model name
        return out_.Answer(persona_.model + "\r");
      default:
        break;
    }
  }
  out_.Note("TSPL: unknown query " + std::string(form) + std::string(1, letter));
}

}  // namespace ravo::sim
