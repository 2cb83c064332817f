#include "stream_parser.h"

#include <array>

#include "escpos_framing.h"
#include "fields.h"

namespace ravo::sim {
namespace {

using namespace std::string_view_literals;

struct Fixed {
  std::string_view bytes;
  Frame::Kind kind;
  size_t payload;  // raw bytes that follow
};

constexpr std::array<Fixed, 7> kFixed = {{
    {"\x1B\x1B\x08"sv, Frame::Kind::kProbe, 0},
    {"\x1B\x21\x52"sv, Frame::Kind::kFactoryReset, 0},
    {"\x1D\x28\x41\x02\x00\x00\x02"sv, Frame::Kind::kConfigPrint, 0},
    {"\x12\x62"sv, Frame::Kind::kBlockRead, 0},
    {"\x12\x63"sv, Frame::Kind::kBlockWrite, 256},
    {"ZZZCR\n"sv, Frame::Kind::kBlockRead, 0},
    {"ZZZCW "sv, Frame::Kind::kBlockWrite, 256},
}};

constexpr std::array<std::string_view, 4> kGraphicsPrefixes = {
    "COMPRESSED-GRAPHICS "sv, "VCOMPRESSED-GRAPHICS "sv, "CG "sv, "VCG "sv};

constexpr size_t kMaxHeader = 96;

enum class Match { kYes, kNo, kNeedMore };

Match MatchPrefix(std::string_view rest, std::string_view prefix) {
  if (rest.size() >= prefix.size()) return rest.starts_with(prefix) ? Match::kYes : Match::kNo;
  return prefix.starts_with(rest) ? Match::kNeedMore : Match::kNo;
}

// Reads a decimal number at s[i]; leading blanks are skipped.
Match ReadNumber(std::string_view s, size_t &i, long long &value) {
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && s[i] == '-') {
    negative = true;
    ++i;
  }
  size_t digits = 0;
  value = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    if (++digits > 10) return Match::kNo;
    value = value * 10 + (s[i] - '0');
    ++i;
  }
  if (i == s.size()) return Match::kNeedMore;
  if (digits == 0) return Match::kNo;
  if (negative) value = -value;
  return Match::kYes;
}

// Width bytes and rows a TSPL bitmap may have; anything larger is not a
// bitmap header and is left to the line logic.
constexpr long long kMaxBitmapWidthBytes = 1024;
constexpr long long kMaxBitmapRows = 65535;

std::string Hex2(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out.push_back(' ');
    out += {kDigits[c >> 4], kDigits[c & 15]};
  }
  return out;
}

}  // namespace

std::string_view StreamParser::Rest() const {
  return std::string_view(buffer_).substr(pos_);
}

void StreamParser::Consume(size_t n) {
  pos_ += n;
  // Compact now and then so the buffer does not grow with the session.
  if (pos_ == buffer_.size()) {
    buffer_.clear();
    pos_ = 0;
  } else if (pos_ > 64 * 1024 && pos_ > buffer_.size() / 2) {
    buffer_.erase(0, pos_);
    pos_ = 0;
  }
}

void StreamParser::Emit(Frame::Kind kind, std::string_view text, std::string_view payload,
                        bool flash) {
  Frame frame;
  frame.kind = kind;
  frame.text = text;
  frame.payload = payload;
  frame.flash = flash;
  sink_->OnFrame(frame);
}

void StreamParser::Feed(std::span<const uint8_t> bytes) {
  buffer_.append(reinterpret_cast<const char *>(bytes.data()), bytes.size());
  while (Step()) {
  }
}

void StreamParser::Finish() {
  if (state_ == State::kScan) {
    std::string_view rest = Rest();
    if (!rest.empty() && rest.size() <= kMaxLine) {
      if (rest.ends_with('\r')) rest.remove_suffix(1);
      Emit(Frame::Kind::kLine, rest);
    }
  } else if (state_ != State::kSkip) {
    Emit(Frame::Kind::kDropped, "unfinished data at end of connection");
  }
  buffer_.clear();
  pos_ = 0;
  state_ = State::kScan;
  skip_left_ = 0;
  skip_to_line_end_ = false;
  program_text_.clear();
}

bool StreamParser::Step() {
  switch (state_) {
    case State::kScan:
      return StepScan();
    case State::kPayload:
      return StepPayload();
    case State::kSkip:
      return StepSkip();
    case State::kProgram:
      return StepProgram();
  }
  return false;
}

void StreamParser::StartPayload(Frame::Kind kind, std::string header, size_t length,
                                size_t consumed, bool flash) {
  Consume(consumed);
  if (length > kMaxPayload) {
    Emit(Frame::Kind::kDropped, "payload too large");
    skip_left_ = length;
    state_ = State::kSkip;
    return;
  }
  pending_ = PendingPayload{kind, std::move(header), length, flash};
  state_ = State::kPayload;
}

bool StreamParser::StepPayload() {
  const std::string_view rest = Rest();
  if (rest.size() < pending_.length) return false;
  state_ = State::kScan;
  const PendingPayload p = std::move(pending_);
  Emit(p.kind, p.header, rest.substr(0, p.length), p.flash);
  Consume(p.length);
  return true;
}

bool StreamParser::StepSkip() {
  const std::string_view rest = Rest();
  if (skip_to_line_end_) {
    const size_t nl = rest.find('\n');
    if (nl == std::string_view::npos) {
      Consume(rest.size());
      return false;
    }
    Consume(nl + 1);
    skip_to_line_end_ = false;
    state_ = State::kScan;
    return true;
  }
  const size_t n = std::min<size_t>(skip_left_, rest.size());
  Consume(n);
  skip_left_ -= n;
  if (skip_left_ == 0) state_ = State::kScan;
  return skip_left_ == 0;
}

bool StreamParser::StepProgram() {
  const std::string_view rest = Rest();
  const size_t nl = rest.find('\n');
  if (nl == std::string_view::npos) {
    if (rest.size() > kMaxLine) {
      Emit(Frame::Kind::kDropped, "program line too long");
      program_text_.clear();
      skip_to_line_end_ = true;
      state_ = State::kSkip;
      return true;
    }
    return false;
  }
  std::string_view line = rest.substr(0, nl);
  if (line.ends_with('\r')) line.remove_suffix(1);
  const bool end = line == "EOP";
  program_text_.append(rest.substr(0, nl + 1));
  Consume(nl + 1);
  if (end) {
    state_ = State::kScan;
    Emit(Frame::Kind::kDownloadProgram, program_name_, program_text_, program_flash_);
    program_text_.clear();
  } else if (program_text_.size() > kMaxPayload) {
    Emit(Frame::Kind::kDropped, "program too large");
    program_text_.clear();
    state_ = State::kScan;
  }
  return true;
}

// After the DOWNLOAD prefix: "NAME",SIZE,DATA or "NAME" CR LF program EOP.
bool StreamParser::TryDownload(std::string_view rest, size_t prefix_len, bool flash) {
  const std::string_view s = rest.substr(prefix_len);
  auto drop = [&] {
    Emit(Frame::Kind::kDropped, "malformed DOWNLOAD");
    skip_to_line_end_ = true;
    state_ = State::kSkip;
    Consume(prefix_len);
    return true;
  };
  if (s.empty()) return false;
  if (s[0] != '"') return drop();
  const size_t close = s.find('"', 1);
  if (close == std::string_view::npos) return s.size() > kMaxHeader ? drop() : false;
  const std::string name(s.substr(1, close - 1));
  size_t i = close + 1;
  if (i >= s.size()) return false;
  if (s[i] == '\r' || s[i] == '\n') {
    if (s[i] == '\r') {
      if (i + 1 >= s.size()) return false;
      if (s[i + 1] == '\n') ++i;
    }
    Consume(prefix_len + i + 1);
    program_name_ = name;
    program_flash_ = flash;
    program_text_.clear();
    state_ = State::kProgram;
    return true;
  }
  if (s[i] != ',') return drop();
  ++i;
  long long size = 0;
  const Match m = ReadNumber(s, i, size);
  if (m == Match::kNeedMore) return s.size() > kMaxHeader ? drop() : false;
  if (m == Match::kNo || size < 0 || s[i] != ',') return drop();
  StartPayload(Frame::Kind::kDownload, name, static_cast<size_t>(size), prefix_len + i + 1, flash);
  return true;
}

// "[V]COMPRESSED-GRAPHICS w h x y " (or CG) and then w * h raw bytes.
// Returns false to wait for more bytes; true otherwise, with or without a
// payload started (a malformed header is left to the line logic).
bool StreamParser::TryCpclGraphics(std::string_view rest) {
  for (std::string_view prefix : kGraphicsPrefixes) {
    const Match m = MatchPrefix(rest, prefix);
    if (m == Match::kNeedMore) return false;
    if (m == Match::kNo) continue;
    size_t i = prefix.size();
    long long v[4] = {};
    for (long long &value : v) {
      const Match n = ReadNumber(rest, i, value);
      if (n == Match::kNeedMore) return rest.size() > kMaxHeader;
      if (n == Match::kNo || rest[i] != ' ') return true;
    }
    const long long width_bytes = v[0], height = v[1];
    if (width_bytes < 0 || height < 0 || width_bytes > 10000 || height > 1000000) return true;
    StartPayload(Frame::Kind::kCpclGraphics, std::string(rest.substr(0, i)),
                 static_cast<size_t>(width_bytes * height), i + 1);
    return true;
  }
  return true;
}

bool StreamParser::HandleLine(std::string_view line, size_t consumed) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line == "ZZZCR") {
    Consume(consumed);
    Emit(Frame::Kind::kBlockRead);
    return true;
  }
  const std::string copy(line);
  Consume(consumed);
  Emit(Frame::Kind::kLine, copy);
  return true;
}

// TSPL "BITMAP x,y,widthBytes,height,mode," and the raster at once (the
// reference form), or the header ended by a line end and then the raster.
// The raster is read by its length, whatever bytes it holds.  Returns
// false to wait for more bytes; true when a payload started or when this
// is no bitmap header (left to the line logic).
bool StreamParser::TryBitmap(std::string_view rest) {
  constexpr std::string_view kPrefix = "BITMAP ";
  const Match m = MatchPrefix(rest, kPrefix);
  if (m != Match::kYes) return m == Match::kNo;
  size_t i = kPrefix.size();
  long long v[5] = {};
  for (int k = 0; k < 5; ++k) {
    const Match n = ReadNumber(rest, i, v[k]);
    if (n == Match::kNeedMore) return rest.size() > kMaxHeader;
    if (n == Match::kNo) return true;
    while (i < rest.size() && rest[i] == ' ') ++i;
    if (i == rest.size()) return rest.size() > kMaxHeader;
    if (k < 4 && rest[i++] != ',') return true;
  }
  size_t data_at = i;
  if (rest[i] == ',') {
    data_at = i + 1;
  } else if (rest[i] == '\r' || rest[i] == '\n') {
    if (rest[i] == '\r' && i + 1 == rest.size()) return false;
    data_at = i + (rest[i] == '\r' && rest[i + 1] == '\n' ? 2 : 1);
  } else {
    return true;
  }
  if (v[2] <= 0 || v[3] <= 0 || v[2] > kMaxBitmapWidthBytes || v[3] > kMaxBitmapRows) return true;
  const std::string args(Trim(rest.substr(kPrefix.size(), i - kPrefix.size())));
  StartPayload(Frame::Kind::kBitmap, args, static_cast<size_t>(v[2] * v[3]), data_at);
  return true;
}

// An ESC/POS command (or a TSPL <ESC>! query, which has the same shape).
bool StreamParser::StepEscPos(std::string_view rest) {
  const EscPosExtent e = MeasureEscPos(rest, kMaxPayload);
  switch (e.status) {
    case EscPosExtent::Status::kNeedMore:
      return false;
    case EscPosExtent::Status::kUnknown:
      Emit(Frame::Kind::kDropped, "unknown command " + Hex2(rest.substr(0, e.header)));
      Consume(e.header);
      return true;
    case EscPosExtent::Status::kTooLong:
      Emit(Frame::Kind::kDropped, "data of command " + Hex2(rest.substr(0, 2)) + " too large");
      Consume(e.header);
      skip_left_ = e.data;
      state_ = State::kSkip;
      return true;
    case EscPosExtent::Status::kComplete:
      StartPayload(Frame::Kind::kEscPos, std::string(rest.substr(0, e.header)), e.data, e.header);
      return true;
  }
  return false;
}

// Text up to a line end, or up to an ESC/POS command in the middle of a
// receipt line (the part before it is a frame of its own).
bool StreamParser::StepText(std::string_view rest) {
  size_t end = 0;
  while (end < rest.size() && rest[end] != '\n' &&
         !IsEscPosIntroducer(static_cast<unsigned char>(rest[end])))
    ++end;
  if (end > kMaxLine) {
    Emit(Frame::Kind::kDropped, "line too long");
    Consume(end < rest.size() && rest[end] == '\n' ? end + 1 : end);
    if (end == rest.size()) {
      skip_to_line_end_ = true;
      state_ = State::kSkip;
    }
    return true;
  }
  if (end == rest.size()) return false;
  if (rest[end] != '\n') {
    Emit(Frame::Kind::kText, rest.substr(0, end));
    Consume(end);
    return true;
  }
  return HandleLine(rest.substr(0, end), end + 1);
}

bool StreamParser::StepScan() {
  const std::string_view rest = Rest();
  if (rest.empty()) return false;
  for (const Fixed &f : kFixed) {
    const Match m = MatchPrefix(rest, f.bytes);
    if (m == Match::kNeedMore) return false;
    if (m == Match::kNo) continue;
    if (f.payload > 0) {
      StartPayload(f.kind, {}, f.payload, f.bytes.size());
    } else {
      Consume(f.bytes.size());
      Emit(f.kind);
    }
    return true;
  }
  for (auto [prefix, flash] : {std::pair{"DOWNLOAD F,"sv, true}, std::pair{"DOWNLOAD "sv, false}}) {
    const Match m = MatchPrefix(rest, prefix);
    if (m == Match::kNeedMore) return false;
    if (m == Match::kYes) return TryDownload(rest, prefix.size(), flash);
  }
  const size_t before = pos_;
  const State state_before = state_;
  const auto started = [&] { return pos_ != before || state_ != state_before; };
  if (!TryCpclGraphics(rest)) return false;
  if (started()) return true;
  if (!TryBitmap(rest)) return false;
  if (started()) return true;

  const unsigned char first = static_cast<unsigned char>(rest[0]);
  if (rest.starts_with("~!")) {
    if (rest.size() < 3) return false;
    Emit(Frame::Kind::kImmediate, rest.substr(0, 3));
    Consume(3);
    return true;
  }
  if (rest == "~") return false;
  if (IsEscPosIntroducer(first)) return StepEscPos(rest);
  if (first == 0x12) {
    Consume(1);
    return true;
  }
  return StepText(rest);
}

}  // namespace ravo::sim
