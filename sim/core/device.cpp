#include "device.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "fields.h"
#include "text_decode.h"

namespace ravo::sim {
namespace {

constexpr size_t kMaxTextLines = 500;
// The printed-length counter counts 3 mm steps: 24 dots at 8 dots per mm.
constexpr int64_t kDotsPerJourneyStep = 24;

// TSPL and CPCL words that change settings we do not model.
const std::set<std::string, std::less<>> &IgnoredWords() {
  static const std::set<std::string, std::less<>> words = {
      "SPEED",     "DENSITY", "GAP",       "BLINE", "OFFSET",   "DIRECTION", "SET",
      "REFERENCE", "SHIFT",   "CODEPAGE",  "HOME",  "FORMFEED", "FEED",      "BACKFEED",
      "CUT",       "SOUND",   "LIMITFEED", "EOP",   "END",      "CLS",       "INITIALPRINTER"};
  return words;
}

std::string LittleEndian32(uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

uint32_t Clamp31(uint64_t v) {
  return static_cast<uint32_t>(std::min<uint64_t>(v, 0x7FFFFFFF));
}

std::string Hex(uint8_t b) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[b >> 4], kDigits[b & 15]};
}

}  // namespace

Device::Device(Persona persona, bool bad_checksum, std::filesystem::path state_dir,
               DeviceOutput &out)
    : persona_(std::move(persona)),
      bad_checksum_(bad_checksum),
      state_dir_(std::move(state_dir)),
      out_(out),
      parser_(*this),
      block_(DefaultBlock(persona_.family)),
      flash_(state_dir_ / "flash", persona_.flash_bytes),
      dram_(state_dir_ / "dram", persona_.dram_bytes),
      tspl_(persona_.width_dots, persona_.code_page),
      cpcl_(persona_.width_dots, persona_.code_page, persona_.cpcl_one_is_dark) {
  dram_.Clear();
  if (persona_.block.size() == block_.size())
    std::copy(persona_.block.begin(), persona_.block.end(), block_.begin());
  std::ifstream in(state_dir_ / "block.bin", std::ios::binary);
  const std::string stored(std::istreambuf_iterator<char>(in), {});
  if (stored.size() == block_.size()) std::copy(stored.begin(), stored.end(), block_.begin());
  LoadJourney();
}

// A counter stored by an earlier run wins over the persona's, as the
// stored parameter block does.
void Device::LoadJourney() {
  std::ifstream in(state_dir_ / "journey");
  int64_t counter = 0;
  int64_t dots = 0;
  if (in >> counter >> dots && counter >= INT32_MIN && counter <= INT32_MAX && dots >= 0 &&
      dots < kDotsPerJourneyStep) {
    persona_.journey = static_cast<int32_t>(counter);
    journey_dots_ = dots;
  }
}

// The status byte comes from STATE/status when a test has written one
// there (a number, 0x.. for hexadecimal), so it can change while the daemon
// runs; 0 (ready) otherwise.
uint8_t Device::StatusByte() const {
  std::ifstream in(state_dir_ / "status");
  std::string text;
  if (!(in >> text)) return 0;
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const long value = std::strtol(text.c_str() + (hex ? 2 : 0), nullptr, hex ? 16 : 10);
  return static_cast<uint8_t>(std::clamp(value, 0L, 255L));
}

void Device::Print(const Label &label) {
  journey_dots_ += int64_t{std::max(label.height, 0)} * std::max(label.copies, 1);
  const int64_t moved = persona_.journey + journey_dots_ / kDotsPerJourneyStep;
  persona_.journey = static_cast<int32_t>(std::min<int64_t>(moved, INT32_MAX));
  journey_dots_ %= kDotsPerJourneyStep;
  std::ofstream(state_dir_ / "journey", std::ios::trunc)
      << persona_.journey << ' ' << journey_dots_ << '\n';
  out_.Print(label);
}

void Device::Feed(std::span<const uint8_t> bytes) {
  parser_.Feed(bytes);
}

void Device::EndSession() {
  parser_.Finish();
  FlushText();
}

void Device::OnFrame(const Frame &frame) {
  switch (frame.kind) {
    case Frame::Kind::kProbe:
      if (persona_.command_mode)
        out_.Answer(std::string(1, static_cast<char>(*persona_.command_mode)));
      break;
    case Frame::Kind::kStatusQuery:
      out_.Answer(std::string(1, static_cast<char>(StatusByte())));
      break;
    case Frame::Kind::kFactoryReset:
      block_ = DefaultBlock(persona_.family);
      PersistBlock();
      out_.Note("factory reset");
      break;
    case Frame::Kind::kConfigPrint:
      PrintConfiguration();
      break;
    case Frame::Kind::kBlockRead:
      SendBlock();
      break;
    case Frame::Kind::kBlockWrite:
      StoreBlock(frame.payload);
      break;
    case Frame::Kind::kLine:
      OnLine(frame.text);
      break;
    case Frame::Kind::kBitmap:
      tspl_.AddBitmap(std::string_view(frame.text).substr(7), frame.payload);
      break;
    case Frame::Kind::kCpclGraphics:
      if (cpcl_.Open()) cpcl_.AddGraphics(frame.text, frame.payload);
      break;
    case Frame::Kind::kDownload:
    case Frame::Kind::kDownloadProgram: {
      FileStore &store = frame.flash ? flash_ : dram_;
      const bool ok = store.Put(frame.text, frame.payload);
      out_.Note(std::string(ok ? "stored " : "refused ") + (frame.flash ? "flash " : "dram ") +
                "file \"" + std::string(frame.text) + "\"");
      break;
    }
    case Frame::Kind::kDropped:
      out_.Note(std::string("dropped: ") + std::string(frame.text));
      break;
  }
}

void Device::OnLine(std::string_view line) {
  if (cpcl_.Open()) {
    const auto outcome = cpcl_.Apply(line);
    if (outcome == CpclPage::Outcome::kPrint) Print(cpcl_.Take());
    if (outcome == CpclPage::Outcome::kAbort) cpcl_.Take();
    return;
  }
  if (line.starts_with("! ")) {
    cpcl_.Begin(line.substr(2));
    return;
  }
  const std::string trimmed(Trim(line));
  if (OnPrinterCommand(trimmed)) return;
  // Anything else is text for a printer in receipt mode.
  if (text_lines_.size() < kMaxTextLines)
    text_lines_.push_back(DecodeText(line, persona_.code_page));
}

bool Device::OnPrinterCommand(const std::string &line) {
  const size_t blank = line.find(' ');
  const std::string word = Upper(line.substr(0, blank));
  const std::string_view args =
      blank == std::string::npos ? std::string_view() : std::string_view(line).substr(blank + 1);
  if (word == "ZZZGETSN") {
    // One leading byte (the length), the number, a NUL.
    const std::string sn = persona_.serial.substr(0, 31);
    out_.Answer(std::string(1, static_cast<char>(sn.size())) + sn + std::string(1, '\0'));
  } else if (word == "ZZZGETJOURNEY") {
    const auto n = static_cast<uint32_t>(persona_.journey);
    const char bytes[4] = {static_cast<char>(n >> 24), static_cast<char>(n >> 16),
                           static_cast<char>(n >> 8), static_cast<char>(n)};
    out_.Answer(std::string_view(bytes, 4));
  } else if (word == "ZZZGETVERSION") {
    out_.Answer(std::string(persona_.firmware.begin(), persona_.firmware.end()));
  } else if (word == "ZZZFILES") {
    const std::string which = Upper(Trim(args));
    if (which != "F" && which != "N") return false;
    std::string answer;
    for (const auto &name : (which == "F" ? flash_ : dram_).Names()) {
      if (!answer.empty()) answer.push_back(',');
      answer += name;
    }
    out_.Answer(answer + "\r");
  } else if (word == "ZZZFILESSIZE") {
    out_.Answer(SizeAnswer());
  } else if (word == "ZZZLEARN") {
    out_.Note("label auto-learn");
  } else if (word == "ZZZDFUMODE") {
    dfu_mode_ = true;
    out_.Note("firmware download mode");
  } else if (word == "SELFTEST") {
    PrintConfiguration();
  } else if (word == "PRINT") {
    // A bare PRINT is CPCL's, after its label already ended with FORM.
    if (!Trim(args).empty()) {
      Label label = tspl_.Snapshot();
      // PRINT sets[,copies]
      const auto counts = SplitTsplFields(args, 2);
      auto count = [&](size_t i) {
        return i < counts.size() ? std::clamp(ToIntOr(counts[i], 1), 1, kMaxCopies) : 1;
      };
      label.copies = count(0) * count(1);
      Print(label);
    }
  } else if (word == "KILL") {
    OnKill(args);
  } else if (word == "RUN") {
    OnRun(args);
  } else if (tspl_.Apply(word, args)) {
  } else if (!IgnoredWords().contains(word)) {
    return false;
  }
  return true;
}

// KILL "name", KILL F,"name", "*" for every file of the memory.
void Device::OnKill(std::string_view args) {
  args = Trim(args);
  FileStore *store = &dram_;
  if (args.size() >= 2 && (args[0] == 'F' || args[0] == 'f') && args[1] == ',') {
    store = &flash_;
    args.remove_prefix(2);
  }
  const std::string_view name = Unquote(args);
  if (name == "*")
    store->Clear();
  else
    store->Remove(name);
}

// RUN "name": a stored program runs as if it had arrived on the wire.
void Device::OnRun(std::string_view args) {
  const std::string_view name = Unquote(args);
  auto program = flash_.Get(name);
  if (!program) program = dram_.Get(name);
  if (!program || run_depth_ > 0) return;
  ++run_depth_;
  StreamParser nested(*this);
  nested.Feed(std::span(reinterpret_cast<const uint8_t *>(program->data()), program->size()));
  nested.Finish();
  --run_depth_;
}

void Device::SendBlock() {
  ParamBlock copy = block_;
  if (bad_checksum_) copy[254] ^= 0x5A;
  out_.Answer(std::string(copy.begin(), copy.end()));
}

void Device::StoreBlock(std::string_view bytes) {
  ParamBlock incoming{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), incoming.size()), incoming.begin());
  if (bytes.size() != incoming.size() || !BlockIsValid(incoming)) {
    out_.Note("refused a parameter block with a bad marker or checksum");
    return;
  }
  block_ = incoming;
  PersistBlock();
  out_.Note("parameter block stored");
}

void Device::PersistBlock() {
  std::ofstream out(state_dir_ / "block.bin", std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char *>(block_.data()), block_.size());
}

// Flash total, flash free, DRAM total, DRAM free; little-endian 32 bits.
std::string Device::SizeAnswer() const {
  return LittleEndian32(Clamp31(flash_.Capacity())) + LittleEndian32(Clamp31(flash_.Free())) +
         LittleEndian32(Clamp31(dram_.Capacity())) + LittleEndian32(Clamp31(dram_.Free()));
}

void Device::PrintConfiguration() {
  std::vector<std::string> lines = {
      "CONFIGURATION",
      "Model: " + persona_.model,
      "Serial: " + persona_.serial,
  };
  std::string version = "Firmware: V";
  for (size_t i = 0; i < persona_.firmware.size(); ++i)
    version += (i ? "." : "") + std::to_string(persona_.firmware[i]);
  lines.push_back(version);
  lines.push_back("Printed length: " + std::to_string(persona_.journey));
  lines.push_back("Flash files: " + std::to_string(flash_.Names().size()));
  lines.push_back("Parameter block:");
  for (size_t row = 0; row < 16; ++row) {
    std::string hex;
    for (size_t i = 0; i < 16; ++i) hex += Hex(block_[row * 16 + i]) + (i == 7 ? "  " : " ");
    lines.push_back(hex);
  }
  Label label;
  label.kind = "selftest";
  label.width = persona_.width_dots;
  const int line_height = persona_.width_dots < 500 ? 20 : 28;
  label.height = 16 + line_height * static_cast<int>(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    Element e;
    e.kind = Element::Kind::kText;
    e.x = 8;
    e.y = 8 + line_height * static_cast<int>(i);
    e.size = line_height - 6;
    e.data = lines[i];
    label.elements.push_back(std::move(e));
  }
  Print(label);
}

void Device::FlushText() {
  if (text_lines_.empty()) return;
  Label label;
  label.kind = "text";
  label.width = persona_.width_dots;
  constexpr int kLine = 30;
  label.height = 16 + kLine * static_cast<int>(text_lines_.size());
  for (size_t i = 0; i < text_lines_.size(); ++i) {
    Element e;
    e.kind = Element::Kind::kText;
    e.x = 8;
    e.y = 8 + kLine * static_cast<int>(i);
    e.size = 24;
    e.data = std::move(text_lines_[i]);
    label.elements.push_back(std::move(e));
  }
  text_lines_.clear();
  Print(label);
}

}  // namespace ravo::sim
