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

class Device : public FrameSink {
 public:
  // state_dir holds block.bin, journey, flash/ and dram/.  DRAM starts
  // empty, as after a power cycle.
  Device(Persona persona, bool bad_checksum, std::filesystem::path state_dir, DeviceOutput &out);

  void Feed(std::span<const uint8_t> bytes);
  // The host closed the connection: finish a plain-text job.
  void EndSession();

  const ParamBlock &Block() const { return block_; }
  FileStore &Flash() { return flash_; }
  FileStore &Dram() { return dram_; }
  bool InFirmwareMode() const { return dfu_mode_; }

  void OnFrame(const Frame &frame) override;

 private:
  void OnLine(std::string_view line);
  bool OnPrinterCommand(const std::string &line);
  void OnKill(std::string_view args);
  void OnRun(std::string_view args);
  void SendBlock();
  void StoreBlock(std::string_view bytes);
  void PersistBlock();
  // Hands a label to the output and moves the printed-length counter on.
  void Print(const Label &label);
  void LoadJourney();
  uint8_t StatusByte() const;
  void PrintConfiguration();
  void FlushText();
  std::string SizeAnswer() const;

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
  std::vector<std::string> text_lines_;
  int64_t journey_dots_ = 0;  // printed since the counter last moved on
  int run_depth_ = 0;
  bool dfu_mode_ = false;
};

}  // namespace ravo::sim
