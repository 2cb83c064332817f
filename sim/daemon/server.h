// The daemon's event loop.  One thread polls the listening socket, every
// host connection and the optional pseudo-terminal, all non-blocking, and
// feeds one Device.  Each host has its own unfinished work (parser input,
// open label, receipt text) swapped into the device while its bytes are
// fed, so hosts are answered side by side while jobs still print one at a
// time, in the order they complete.  A host that sends nothing or stops
// reading holds only its own connection.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device.h"
#include "label_files.h"
#include "options.h"
#include "outbox.h"
#include "received_log.h"

namespace ravo::sim {

// Sends the device's answers to the host whose bytes are being fed and
// saves printed labels as numbered PNGs.
class Channel : public DeviceOutput {
 public:
  explicit Channel(const std::filesystem::path &state_dir) : labels_(state_dir) {}
  // Answers go to outbox until the next call; nullptr drops them.
  void AnswerTo(Outbox *outbox) { outbox_ = outbox; }
  void Answer(std::string_view bytes) override;
  void Print(const Label &label) override;
  void Note(std::string_view message) override;

 private:
  LabelFiles labels_;
  Outbox *outbox_ = nullptr;
};

// One host's line to the printer: a TCP connection or the pseudo-terminal.
struct Link {
  Link(int fd, bool is_socket, Device::HostWork work, const Faults &faults)
      : fd(fd), is_socket(is_socket), work(std::move(work)), outbox(faults) {}
  int fd;
  bool is_socket;
  uint32_t session = 0;  // 0 while no session is open
  Device::HostWork work;
  Outbox outbox;
  uint64_t received = 0;
  int64_t last_active_ms = 0;
  bool host_reads = true;    // false once a send failed: answers are dropped
  bool input_ended = false;  // the host closed; only answers are left to send
};

class Server {
 public:
  explicit Server(const DaemonOptions &options);
  ~Server();
  Server(const Server &) = delete;
  Server &operator=(const Server &) = delete;

  // Binds and prints "listening HOST:PORT"; false with a message on failure.
  bool Start(std::string &error);
  // Serves until stop_fd becomes readable, then ends every session.
  void Run(int stop_fd);

 private:
  bool OpenPty(std::string &error);
  void AcceptHosts(int64_t now);
  void ServeHost(Link &host, bool readable, int64_t now);
  void ServePty(bool readable, int64_t now);
  void Feed(Link &link, std::span<const uint8_t> bytes);
  void SendAnswers(Link &link, int64_t now);
  void EndHostSession(Link &host);
  void EndPtySession();
  int64_t IdleDeadline(const Link &host) const;
  int PollTimeout(int64_t now) const;
  void CloseFinishedHosts(int64_t now);

  DaemonOptions options_;
  Channel channel_;
  ReceivedLog log_;
  Device device_;
  int listen_fd_ = -1;
  int pty_slave_ = -1;
  std::unique_ptr<Link> pty_;
  int64_t pty_last_ms_ = 0;
  std::vector<std::unique_ptr<Link>> hosts_;
  uint32_t session_ = 0;
};

}  // namespace ravo::sim
