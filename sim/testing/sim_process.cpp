#include "sim_process.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#ifndef RAVO_SIM_BINARY
#error "RAVO_SIM_BINARY must name the daemon"
#endif

namespace ravo::sim {
namespace {

uint32_t Le32(const std::string &s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(s[at + i]);
  return v;
}

std::filesystem::path MakeStateDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ravo-sim-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return {};
  return pattern;
}

}  // namespace

std::vector<ReceivedSession> ReadReceivedLog(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  const std::string data(std::istreambuf_iterator<char>(in), {});
  std::vector<ReceivedSession> sessions;
  size_t at = 0;
  while (at + 9 <= data.size()) {
    const char type = data[at];
    const uint32_t id = Le32(data, at + 1);
    const uint32_t n = Le32(data, at + 5);
    if (at + 9 + n > data.size()) break;
    auto it = std::find_if(sessions.begin(), sessions.end(),
                           [&](const ReceivedSession &s) { return s.id == id; });
    if (it == sessions.end()) {
      sessions.push_back(ReceivedSession{id, {}, false});
      it = sessions.end() - 1;
    }
    if (type == 'D')
      it->bytes.insert(it->bytes.end(), data.begin() + at + 9, data.begin() + at + 9 + n);
    if (type == 'C') it->closed = true;
    at += 9 + n;
  }
  return sessions;
}

SimProcess::SimProcess(std::vector<std::string> args) : args_(std::move(args)) {
  state_dir_ = MakeStateDir();
  if (state_dir_.empty()) {
    error_ = "no temporary directory";
    return;
  }
  Start();
}

SimProcess::~SimProcess() {
  Stop();
  if (!state_dir_.empty() && !std::getenv("RAVO_SIM_KEEP_STATE")) {
    std::error_code ec;
    std::filesystem::remove_all(state_dir_, ec);
  }
}

bool SimProcess::Start(int port) {
  std::vector<std::string> argv = {RAVO_SIM_BINARY, "--port", std::to_string(port), "--state",
                                   state_dir_.string()};
  argv.insert(argv.end(), args_.begin(), args_.end());
  if (!process_.Start(argv)) {
    error_ = "cannot start " + std::string(RAVO_SIM_BINARY);
    return false;
  }
  const std::string line = process_.FirstLine(std::chrono::seconds(10));
  const size_t colon = line.rfind(':');
  if (!line.starts_with("listening ") || colon == std::string::npos) {
    error_ = "the daemon did not start (" + line + ")";
    Stop();
    return false;
  }
  port_ = std::atoi(line.c_str() + colon + 1);
  error_.clear();
  return true;
}

std::string SimProcess::PortString(const std::string &extra) const {
  std::string s = "NET,127.0.0.1:" + std::to_string(port_);
  if (!extra.empty()) s += "," + extra;
  return s;
}

bool SimProcess::Stop(std::chrono::milliseconds within, int signal) {
  return process_.Stop(within, signal);
}

bool SimProcess::Restart() {
  Stop();
  return Start();
}

bool SimProcess::RestartOnSamePort() {
  Stop();
  return Start(port_);
}

bool SimProcess::RestartOnSamePort(std::vector<std::string> args) {
  args_ = std::move(args);
  return RestartOnSamePort();
}

std::vector<ReceivedSession> SimProcess::Sessions() const {
  return ReadReceivedLog(state_dir_ / "received.log");
}

bool SimProcess::WaitForClosedSessions(size_t count, std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  do {
    const auto sessions = Sessions();
    const auto closed = std::count_if(sessions.begin(), sessions.end(),
                                      [](const ReceivedSession &s) { return s.closed; });
    if (static_cast<size_t>(closed) >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

std::vector<std::filesystem::path> SimProcess::Labels() const {
  std::vector<std::pair<long long, std::filesystem::path>> numbered;
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(state_dir_, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= 10 || !name.starts_with("label-") || !name.ends_with(".png")) continue;
    const std::string digits = name.substr(6, name.size() - 10);
    long long number = 0;
    const auto [end, err] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (err != std::errc() || end != digits.data() + digits.size() || digits[0] == '-') continue;
    numbered.emplace_back(number, entry.path());
  }
  std::sort(numbered.begin(), numbered.end());
  std::vector<std::filesystem::path> labels;
  for (auto &[number, path] : numbered) labels.push_back(std::move(path));
  return labels;
}

std::optional<std::vector<uint8_t>> SimProcess::StoredBlock() const {
  std::ifstream in(state_dir_ / "block.bin", std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace ravo::sim
