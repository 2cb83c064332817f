// What an emulated printer answers: rules that watch the bytes a host sends
// and queue the printer's reply.  Transport-neutral, so the same script can
// stand behind a USB emulation and a TCP listener.
//
//   PrinterScript script;
//   auto block = script.Answer("ZZZCR\n", originalBlock);  // read the block
//   script.Capture("ZZZCW ", 256, block);                  // written block is read back
//   std::string reply = script.Feed(bytesFromHost);
//
// Triggers are found even when they arrive split across several writes.
// Not thread-safe; the owner serialises calls.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ravo::usbtest {

class PrinterScript {
 public:
  using RuleId = size_t;

  // Whenever `trigger` arrives, `reply` is sent.
  RuleId Answer(std::string trigger, std::string reply);
  // The `length` bytes after `trigger` become the reply of rule `target`.
  void Capture(std::string trigger, size_t length, RuleId target);

  // Consumes bytes from the host; returns what the printer sends back.
  std::string Feed(std::string_view bytes);

  const std::string &ReplyOf(RuleId rule) const { return answers_.at(rule).reply; }

 private:
  struct AnswerRule {
    std::string trigger;
    std::string reply;
  };
  struct CaptureRule {
    std::string trigger;
    size_t length;
    RuleId target;
  };
  // The earliest trigger in window_: where it starts and which rule it is.
  struct Match {
    size_t at = std::string::npos;
    size_t length = 0;
    bool capture = false;
    size_t rule = 0;
  };
  Match FindTrigger() const;
  size_t LongestTrigger() const;

  std::vector<AnswerRule> answers_;
  std::vector<CaptureRule> captures_;
  std::string window_;  // bytes not matched yet (a trigger may start here)
  bool capturing_ = false;
  size_t captureRule_ = 0;
  std::string captured_;
};

// The answers of a TSPL label printer that the utility and the tools rely
// on: the command-mode probe (1B 1B 08), the serial number (ZZZGETSN) and
// the 256-byte parameter block (ZZZCR to read, ZZZCW to write).
struct LabelPrinterPersona {
  uint8_t commandMode = 1;
  std::string serial = "EMU0000001";
  std::array<uint8_t, 256> block{};  // sent as it is: seal it first
};

PrinterScript LabelPrinterScript(const LabelPrinterPersona &persona);

// A parameter block with marker 0x78, `fill` in bytes 1 ... 253 and a
// valid checksum in bytes 254 and 255.
std::array<uint8_t, 256> SealedBlock(uint8_t fill);

}  // namespace ravo::usbtest
