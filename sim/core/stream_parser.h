// Cuts the byte stream from the host into frames: fixed byte sequences,
// text lines, ESC/POS commands, and commands followed by raw bytes whose
// length the header gives (read by that length, never by lines).  Memory
// is bounded: over-long lines and payloads are skipped.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ravo::sim {

struct Frame {
  enum class Kind {
    kProbe,            // 1B 1B 08
    kFactoryReset,     // 1B 21 52
    kConfigPrint,      // 1D 28 41 02 00 00 02
    kBlockRead,        // ZZZCR LF or 12 62
    kBlockWrite,       // ZZZCW blank or 12 63, then 256 bytes in payload
    kLine,             // text line without CR/LF in text
    kText,             // text cut short by an ESC/POS command (no line end)
    kEscPos,           // ESC/POS command in text, its raw data in payload
    kImmediate,        // TSPL "~!x" query: text holds the three bytes
    kBitmap,           // TSPL BITMAP arguments in text, raster in payload
    kCpclGraphics,     // CPCL COMPRESSED-GRAPHICS header in text, raster in payload
    kDownload,         // text = name, payload = data, flash flag
    kDownloadProgram,  // text = name, payload = program lines up to EOP
    kDropped,          // something was too big and was skipped
  };
  Kind kind = Kind::kLine;
  std::string_view text;
  std::string_view payload;
  bool flash = false;
};

class FrameSink {
 public:
  virtual ~FrameSink() = default;
  virtual void OnFrame(const Frame &frame) = 0;
};

class StreamParser {
 public:
  static constexpr size_t kMaxLine = 64 * 1024;
  static constexpr size_t kMaxPayload = 8 * 1024 * 1024;

  explicit StreamParser(FrameSink &sink) : sink_(&sink) {}

  void Feed(std::span<const uint8_t> bytes);
  // End of a connection: an unfinished last line is delivered, a partial
  // payload is dropped.
  void Finish();

 private:
  enum class State { kScan, kPayload, kSkip, kProgram };
  struct PendingPayload {
    Frame::Kind kind;
    std::string header;
    size_t length = 0;
    bool flash = false;
  };

  bool Step();
  bool StepScan();
  bool StepPayload();
  bool StepSkip();
  bool StepProgram();
  bool TryDownload(std::string_view rest, size_t prefix_len, bool flash);
  bool TryCpclGraphics(std::string_view rest);
  bool TryBitmap(std::string_view rest);
  bool StepEscPos(std::string_view rest);
  bool StepText(std::string_view rest);
  bool HandleLine(std::string_view line, size_t consumed);
  void StartPayload(Frame::Kind kind, std::string header, size_t length, size_t consumed,
                    bool flash = false);
  void Consume(size_t n);
  std::string_view Rest() const;
  void Emit(Frame::Kind kind, std::string_view text = {}, std::string_view payload = {},
            bool flash = false);

  FrameSink *sink_;  // a pointer, so that a parser can be moved
  std::string buffer_;
  size_t pos_ = 0;
  State state_ = State::kScan;
  PendingPayload pending_;
  size_t skip_left_ = 0;
  bool skip_to_line_end_ = false;
  std::string program_name_;
  std::string program_text_;
  bool program_flash_ = false;
};

}  // namespace ravo::sim
