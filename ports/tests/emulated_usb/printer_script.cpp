#include "printer_script.h"

#include <algorithm>

namespace ravo::usbtest {

PrinterScript::RuleId PrinterScript::Answer(std::string trigger, std::string reply) {
  answers_.push_back({std::move(trigger), std::move(reply)});
  return answers_.size() - 1;
}

void PrinterScript::Capture(std::string trigger, size_t length, RuleId target) {
  captures_.push_back({std::move(trigger), length, target});
}

size_t PrinterScript::LongestTrigger() const {
  size_t longest = 0;
  for (const auto &rule : answers_) longest = std::max(longest, rule.trigger.size());
  for (const auto &rule : captures_) longest = std::max(longest, rule.trigger.size());
  return longest;
}

PrinterScript::Match PrinterScript::FindTrigger() const {
  Match best;
  auto consider = [&](const std::string &trigger, bool capture, size_t rule) {
    size_t at = window_.find(trigger);
    if (at != std::string::npos && at < best.at) best = Match{at, trigger.size(), capture, rule};
  };
  for (size_t i = 0; i < answers_.size(); ++i) consider(answers_[i].trigger, false, i);
  for (size_t i = 0; i < captures_.size(); ++i) consider(captures_[i].trigger, true, i);
  return best;
}

std::string PrinterScript::Feed(std::string_view bytes) {
  std::string reply;
  std::string rest(bytes);
  while (!rest.empty()) {
    if (capturing_) {
      const CaptureRule &rule = captures_[captureRule_];
      size_t take = std::min(rest.size(), rule.length - captured_.size());
      captured_.append(rest, 0, take);
      rest.erase(0, take);
      if (captured_.size() == rule.length) {
        answers_.at(rule.target).reply = std::move(captured_);
        captured_.clear();
        capturing_ = false;
      }
      continue;
    }
    window_ += rest;
    rest.clear();
    Match m = FindTrigger();
    if (m.at == std::string::npos) break;
    rest = window_.substr(m.at + m.length);
    window_.clear();
    if (m.capture) {
      capturing_ = true;
      captureRule_ = m.rule;
    } else {
      reply += answers_[m.rule].reply;
    }
  }
  // Keep only what may still be the start of a trigger.
  size_t keep = std::min(window_.size(), std::max<size_t>(LongestTrigger(), 1) - 1);
  window_.erase(0, window_.size() - keep);
  return reply;
}

PrinterScript LabelPrinterScript(const LabelPrinterPersona &persona) {
  PrinterScript script;
  script.Answer("\x1B\x1B\x08", std::string(1, static_cast<char>(persona.commandMode)));
  const std::string serial = persona.serial.substr(0, 31);
  script.Answer("ZZZGETSN\r\n",
                std::string(1, static_cast<char>(serial.size())) + serial + std::string(1, '\0'));
  auto block = script.Answer("ZZZCR\n", std::string(persona.block.begin(), persona.block.end()));
  script.Capture("ZZZCW ", persona.block.size(), block);
  return script;
}

std::array<uint8_t, 256> SealedBlock(uint8_t fill) {
  std::array<uint8_t, 256> block;
  block.fill(fill);
  block[0] = 0x78;
  unsigned sum = 0;
  for (size_t i = 0; i < 254; ++i) sum += block[i];
  block[254] = static_cast<uint8_t>(sum & 0xFF);
  block[255] = static_cast<uint8_t>((sum >> 8) & 0xFF);
  return block;
}

}  // namespace ravo::usbtest
