// The daemon's event loop: one TCP connection at a time, plus an optional
// pseudo-terminal, feeding one Device.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "device.h"
#include "options.h"
#include "received_log.h"

namespace ravo::sim {

// Sends answers through the current connection with the configured faults
// and saves printed labels as numbered PNGs.
class Channel : public DeviceOutput {
 public:
  Channel(const Faults &faults, std::filesystem::path state_dir);
  void SetFd(int fd, bool is_socket) {
    fd_ = fd;
    fd_is_socket_ = is_socket;
  }
  void Answer(std::string_view bytes) override;
  void Print(const Label &label) override;
  void Note(std::string_view message) override;

 private:
  void WriteAll(std::string_view bytes);
  Faults faults_;
  std::filesystem::path state_dir_;
  int fd_ = -1;
  bool fd_is_socket_ = true;
  int next_label_ = 1;
};

class Server {
 public:
  explicit Server(const DaemonOptions &options);
  ~Server();
  Server(const Server &) = delete;
  Server &operator=(const Server &) = delete;

  // Binds and prints "listening HOST:PORT"; false with a message on failure.
  bool Start(std::string &error);
  // Runs until stop becomes true.
  void Run(const std::atomic<bool> &stop);

 private:
  bool OpenPty(std::string &error);
  void ServeConnection(int fd, const std::atomic<bool> &stop);
  void ServePty();
  void FeedBytes(std::span<const uint8_t> bytes);

  DaemonOptions options_;
  Channel channel_;
  ReceivedLog log_;
  Device device_;
  int listen_fd_ = -1;
  int pty_master_ = -1;
  int pty_slave_ = -1;
  uint32_t session_ = 0;
  uint32_t pty_session_ = 0;
  bool pty_active_ = false;
  int64_t pty_last_ms_ = 0;
};

}  // namespace ravo::sim
