#include "sim_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
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

// Reads the first stdout line, "listening HOST:PORT", within the timeout.
std::string ReadFirstLine(int fd, int timeout_ms) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    char c = 0;
    if (::read(fd, &c, 1) != 1) break;
    if (c == '\n') return line;
    line.push_back(c);
  }
  return {};
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
  int out[2];
  if (::pipe(out) != 0) {
    error_ = "pipe failed";
    return false;
  }
  std::vector<std::string> argv_text = {RAVO_SIM_BINARY, "--port", std::to_string(port), "--state",
                                        state_dir_.string()};
  argv_text.insert(argv_text.end(), args_.begin(), args_.end());
  std::vector<char *> argv;
  for (auto &a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  if (pid < 0) {
    ::close(out[0]);
    error_ = "fork failed";
    return false;
  }
  pid_ = pid;
  const std::string line = ReadFirstLine(out[0], 10000);
  ::close(out[0]);
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
  if (pid_ <= 0) return false;
  ::kill(pid_, signal);
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + within;
  do {
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (std::chrono::steady_clock::now() < deadline);
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  return false;
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
