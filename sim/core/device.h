// The virtual printer's behaviour: answers queries, keeps the parameter
// block and file memories, and turns print jobs into labels.  It knows
// nothing about sockets; the caller feeds bytes and is told what to send
// back and what to print.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cpcl_page.h"
#include "escpos_receipt.h"
#include "file_store.h"
#include "label.h"
#include "param_block.h"
#include "persona.h"
#include "stream_parser.h"
#include "tspl_page.h"

namespace ravo::sim {

class DeviceOutput {
 public:
  virtual ~DeviceOutput() = default;
  virtual void Answer(std::string_view bytes) = 0;
  virtual void Print(const Label &label) = 0;
  // Something worth a line in the daemon's log.
  virtual void Note(std::string_view /*message*/) {}
};

class Device : public FrameSink, private ReceiptSink {
 public:
  // state_dir holds block.bin, journey, flash/ and dram/.  DRAM starts
  // empty, as after a power cycle.
  Device(Persona persona, bool bad_checksum, std::filesystem::path state_dir, DeviceOutput &out);

  void Feed(std::span<const uint8_t> bytes);
  // The host closed the connection: finish a receipt.
  void EndSession();

  // What one connection has under way: input not yet parsed and the label,
  // image buffer or receipt text it is building.  Hosts take turns on the
  // one device: the caller keeps a HostWork per connection and swaps it in
  // around Feed and EndSession, so no host sees or finishes another's job.
  struct HostWork {
    StreamParser parser;
    TsplPage tspl;
    CpclPage cpcl;
    Receipt receipt;
    bool tspl_job = false;
  };
  // Work for a new connection: nothing under way, the TSPL settings (SIZE
  // and the like) and receipt modes the last closed connection left.
  HostWork NewHostWork();
  void SwapHostWork(HostWork &work);
  // The connection has closed: its receipt text is printed, everything else
  // it left unfinished is dropped, and its TSPL settings stay for the next.
  void EndHostWork(HostWork work);

  const ParamBlock &Block() const { return block_; }
  FileStore &Flash() { return flash_; }
  FileStore &Dram() { return dram_; }
  bool InFirmwareMode() const { return dfu_mode_; }

  void OnFrame(const Frame &frame) override;

 private:
  // A command line word and what it does; args are the rest of the line.
  using Run = std::string (*)(Device &device, std::string_view args);
  struct Word {
    std::string_view word;
    Run run;
    bool label_language;  // a TSPL word: not for a receipt printer or a receipt in progress
  };
  static const std::vector<Word> &Words();
  const Word *FindWord(std::string_view word) const;

  // Routing (device.cpp).
  void OnLine(std::string_view line);
  void OnCpclLine(std::string_view line);
  void OnEscPos(std::string_view command, std::string_view data);
  void ReceiptLine(std::string_view line);
  void BeginCpcl(std::string_view header);
  bool IsReceiptPrinter() const { return persona_.family == Family::kEsc; }

  // Command words and status queries (device_commands.cpp).
  std::string AnswerSerial();
  std::string AnswerJourney();
  std::string AnswerVersion();
  std::string AnswerFiles(std::string_view args);
  std::string AnswerSizes();
  std::string Learn();
  std::string EnterFirmwareMode();
  std::string SelfTest();
  std::string PrintLabel(std::string_view args);
  std::string Kill(std::string_view args);
  std::string RunProgram(std::string_view args);
  void OnImmediate(char letter, bool escape);

  // Memory and paper (device.cpp).
  void SendBlock();
  void StoreBlock(std::string_view bytes);
  void PersistBlock();
  // Hands a label to the output and moves the printed-length counter on.
  void Print(const Label &label);
  void LoadJourney();
  uint8_t StatusByte() const;
  void PrintConfiguration();
  std::string SizeAnswer() const;

  void ReceiptAnswer(std::string_view bytes) override { out_.Answer(bytes); }
  void ReceiptPrint(const Label &label) override { Print(label); }
  void ReceiptNote(std::string_view message) override { out_.Note(message); }

  Persona persona_;
  bool bad_checksum_;
  std::filesystem::path state_dir_;
  DeviceOutput &out_;
  StreamParser parser_;
  ParamBlock block_;
  FileStore flash_;
  FileStore dram_;
  TsplPage tspl_;
  CpclPage cpcl_;
  Receipt receipt_;
  bool tspl_job_ = false;  // this session spoke TSPL: unknown lines are bad commands, not text
  bool paused_ = false;
  int64_t journey_dots_ = 0;  // printed since the counter last moved on
  int run_depth_ = 0;
  bool dfu_mode_ = false;
};

}  // namespace ravo::sim
