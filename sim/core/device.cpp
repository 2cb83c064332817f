#include "device.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "fields.h"
#include "text_decode.h"

namespace ravo::sim {
namespace {

// The printed-length counter counts 3 mm steps: 24 dots at 8 dots per mm.
constexpr int64_t kDotsPerJourneyStep = 24;

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

ReceiptPrinter ReceiptPrinterOf(const Persona &p) {
  ReceiptPrinter r;
  r.width_dots = p.width_dots;
  r.model = p.model;
  r.serial = p.serial;
  for (size_t i = 0; i < p.firmware.size(); ++i)
    r.firmware += (i ? "." : "") + std::to_string(p.firmware[i]);
  const std::string page = Upper(p.code_page);
  const bool multi_byte = page == "GBK" || page == "GB18030" || page == "GB2312" ||
                          page == "BIG5" || page == "CP932" || page == "SHIFT_JIS" ||
                          page == "CP949" || page == "EUC-KR" || page == "CP936";
  if (multi_byte) r.kanji_code_page = p.code_page;
  return r;
}

// An upper-case word of letters, digits and dashes: in a TSPL job such a
// line is a command this printer does not know, not text to print.
bool LooksLikeCommand(std::string_view line) {
  const auto words = SplitWords(Trim(line), 2);
  if (words.empty() || words[0].size() < 2) return false;
  return std::all_of(words[0].begin(), words[0].end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
  });
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
      cpcl_(persona_.width_dots, persona_.code_page, persona_.cpcl_one_is_dark),
      receipt_(ReceiptPrinterOf(persona_), *this) {
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
  journey_dots_ += int64_t{std::max(label.height, 0) + std::max(label.feed_after, 0)} *
                   std::max(label.copies, 1);
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
  receipt_.Finish();
  tspl_job_ = false;
}

Device::HostWork Device::NewHostWork() {
  // The resting receipt holds modes only: EndHostWork printed its content.
  HostWork work{StreamParser(*this), tspl_, cpcl_, receipt_, false};
  work.tspl.Cls({});
  if (work.cpcl.Open()) work.cpcl.Take();
  return work;
}

void Device::SwapHostWork(HostWork &work) {
  std::swap(parser_, work.parser);
  std::swap(tspl_, work.tspl);
  std::swap(cpcl_, work.cpcl);
  std::swap(receipt_, work.receipt);
  std::swap(tspl_job_, work.tspl_job);
}

// The closed connection's work stays in the device (and is what the next
// NewHostWork copies); whatever was there before goes with `work`.
void Device::EndHostWork(HostWork work) {
  SwapHostWork(work);
  EndSession();
  if (cpcl_.Open()) {
    cpcl_.Take();
    out_.Note("dropped a CPCL label its connection left unfinished");
  }
  tspl_.Cls({});
}

void Device::OnFrame(const Frame &frame) {
  switch (frame.kind) {
    case Frame::Kind::kProbe:
      if (persona_.command_mode)
        out_.Answer(std::string(1, static_cast<char>(*persona_.command_mode)));
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
    case Frame::Kind::kText:
      receipt_.Text(frame.text);
      break;
    case Frame::Kind::kEscPos:
      OnEscPos(frame.text, frame.payload);
      break;
    case Frame::Kind::kImmediate:
      OnImmediate(frame.text.size() > 2 ? frame.text[2] : '\0', false);
      break;
    case Frame::Kind::kBitmap:
      if (const std::string problem = tspl_.Bitmap(frame.text, frame.payload); !problem.empty())
        out_.Note("TSPL BITMAP: " + problem);
      tspl_job_ = true;
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

// A line is a command of the printer's own family first, then receipt text
// while a receipt is under way, then a label command, and text otherwise.
void Device::OnLine(std::string_view line) {
  if (cpcl_.Open()) return OnCpclLine(line);
  const auto parts = SplitWords(Trim(line), 2);
  const std::string word = parts.empty() ? std::string() : Upper(parts[0]);
  const std::string_view args = parts.size() > 1 ? parts[1] : std::string_view();
  const Word *command = FindWord(word);
  if (command && !command->label_language) {
    if (const std::string problem = command->run(*this, args); !problem.empty())
      out_.Note(word + ": " + problem);
    return;
  }
  if (receipt_.InProgress()) return ReceiptLine(line);
  if (Trim(line).empty()) {
    if (receipt_.HasContent()) receipt_.LineFeed();
    return;
  }
  if (!IsReceiptPrinter()) {
    if (line.starts_with("! ")) return BeginCpcl(line.substr(2));
    if (command) {
      tspl_job_ = true;
      if (const std::string problem = command->run(*this, args); !problem.empty())
        out_.Note("TSPL " + word + ": " + problem);
      return;
    }
    if (tspl_job_ && LooksLikeCommand(line)) {
      out_.Note("TSPL: unknown command " + word.substr(0, 40) + ", line ignored");
      return;
    }
  }
  ReceiptLine(line);
}

void Device::ReceiptLine(std::string_view line) {
  receipt_.Text(line);
  receipt_.LineFeed();
}

void Device::BeginCpcl(std::string_view header) {
  switch (cpcl_.Begin(header)) {
    case CpclPage::Start::kLabel:
    case CpclPage::Start::kUtilities:
      break;
    case CpclPage::Start::kInvalid:
      out_.Note("CPCL: \"! " + std::string(header.substr(0, 40)) +
                "\" is neither a label header nor a utility session; ignored");
      break;
  }
}

void Device::OnCpclLine(std::string_view line) {
  std::string problem;
  const auto outcome = cpcl_.Apply(line, problem);
  if (!problem.empty()) out_.Note("CPCL: " + problem);
  if (outcome == CpclPage::Outcome::kPrint) Print(cpcl_.Take());
  if (outcome == CpclPage::Outcome::kAbort) cpcl_.Take();
}

// "<ESC>!x" (a capital letter, "?" or ".") is a TSPL immediate command
// to a label printer; to a receipt printer, or inside a receipt, ESC ! n
// selects the print mode.  A query a label printer does not know is logged
// rather than starting a receipt that would swallow the label commands.
void Device::OnEscPos(std::string_view command, std::string_view data) {
  if (!IsReceiptPrinter() && !receipt_.InProgress() && command.size() == 3 &&
      command[0] == '\x1B' && command[1] == '!') {
    const char c = command[2];
    if ((c >= 'A' && c <= 'Z') || c == '?' || c == '.') return OnImmediate(c, true);
  }
  receipt_.Command(command, data);
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

// Written beside and renamed into place, so that a reader (or a restart)
// never finds a half-written block.
void Device::PersistBlock() {
  const std::filesystem::path path = state_dir_ / "block.bin";
  std::filesystem::path partial = path;
  partial += ".new";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(block_.data()), block_.size());
    if (!out.flush()) return;
  }
  std::error_code ignored;
  std::filesystem::rename(partial, path, ignored);
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

}  // namespace ravo::sim
