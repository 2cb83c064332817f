// A device on a temporary state directory with everything it says, prints
// and notes recorded; shared by the device-level tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device.h"

namespace ravo::sim {

class Recording : public DeviceOutput {
 public:
  void Answer(std::string_view bytes) override { answers.emplace_back(bytes); }
  void Print(const Label &label) override { labels.push_back(label); }
  void Note(std::string_view message) override { notes.emplace_back(message); }
  // True when some note contains text.
  bool Noted(std::string_view text) const {
    for (const auto &n : notes)
      if (n.find(text) != std::string::npos) return true;
    return false;
  }
  std::vector<std::string> answers;
  std::vector<Label> labels;
  std::vector<std::string> notes;
};

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "simdev-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    state_ = root_ / "state";
    std::filesystem::create_directories(state_);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  Device &Make(Persona persona = {}, bool bad_checksum = false) {
    device_.reset();
    out_ = Recording{};
    device_ = std::make_unique<Device>(persona, bad_checksum, state_, out_);
    return *device_;
  }
  void Send(const std::string &bytes) {
    device_->Feed(std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
  }
  std::string Ask(const std::string &bytes) {
    out_.answers.clear();
    Send(bytes);
    std::string all;
    for (const auto &a : out_.answers) all += a;
    return all;
  }
  // Sends a whole job as one connection and returns what it printed.
  const std::vector<Label> &Job(const std::string &bytes) {
    out_.labels.clear();
    Send(bytes);
    device_->EndSession();
    return out_.labels;
  }

  std::filesystem::path root_, state_;
  Recording out_;
  std::unique_ptr<Device> device_;
};

}  // namespace ravo::sim
