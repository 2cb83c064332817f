#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace ravo::child_process {
namespace {

std::vector<char *> Argv(const std::vector<std::string> &args) {
  std::vector<char *> argv;
  for (const std::string &arg : args) argv.push_back(const_cast<char *>(arg.c_str()));
  argv.push_back(nullptr);
  return argv;
}

bool Reap(pid_t pid, std::chrono::milliseconds timeout, int &status) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (::waitpid(pid, &status, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace

Finished RunProgram(const std::vector<std::string> &args, std::chrono::milliseconds timeout) {
  Finished result;
  int pipeFds[2];
  if (args.empty() || ::pipe2(pipeFds, O_CLOEXEC) != 0) return result;
  std::vector<char *> argv = Argv(args);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::dup2(pipeFds[1], STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  if (pid < 0) {
    ::close(pipeFds[0]);
    return result;
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  char buffer[4096];
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{pipeFds[0], POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    result.output.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  if (!Reap(pid, std::max(left, std::chrono::milliseconds(100)), status)) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    result.output += "\n(killed: no end within the time limit)";
    return result;
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

Background::~Background() {
  Stop();
}

bool Background::Start(const std::vector<std::string> &args, const std::string &errorFile) {
  int pipeFds[2];
  if (args.empty() || ::pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  std::vector<char *> argv = Argv(args);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    if (!errorFile.empty()) {
      const int err = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
      if (err >= 0) ::dup2(err, STDERR_FILENO);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  if (pid < 0) {
    ::close(pipeFds[0]);
    return false;
  }
  pid_ = pid;
  out_ = pipeFds[0];
  return true;
}

std::string Background::FirstLine(std::chrono::milliseconds timeout) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (out_ >= 0 && std::chrono::steady_clock::now() < deadline) {
    pollfd p{out_, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    char c = 0;
    if (::read(out_, &c, 1) != 1) break;
    if (c == '\n') return line;
    line.push_back(c);
  }
  return {};
}

bool Background::Stop(std::chrono::milliseconds grace, int signal) {
  if (out_ >= 0) {
    ::close(out_);
    out_ = -1;
  }
  if (pid_ <= 0) return false;
  ::kill(pid_, signal);
  int status = 0;
  bool exited = Reap(pid_, grace, status);
  if (!exited) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status, 0);
  }
  pid_ = -1;
  return exited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace ravo::child_process
