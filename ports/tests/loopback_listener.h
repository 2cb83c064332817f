// A TCP listener on 127.0.0.1 with a free port, run on its own thread: it
// accepts connections one after another, records what arrives and sends
// scripted answers.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace ravo::testing {

class LoopbackListener {
 public:
  // `onData` gets every received piece and returns bytes to send back.
  using Responder = std::function<std::string(const std::string &received)>;

  explicit LoopbackListener(Responder responder = nullptr);
  ~LoopbackListener();

  uint16_t port() const { return port_; }
  std::string PortString(const std::string &options = "") const;

  // Everything received on all connections so far.
  std::string Received() const;
  // Waits until at least `n` bytes arrived or `ms` passed.
  bool WaitForBytes(size_t n, int ms = 2000) const;
  int connections() const { return connections_; }

  // Closes the current connection from the server side.
  void DropConnection();

  // Stops taking bytes off the connection (the sender's writes then stall
  // once the socket buffers are full) and starts again.
  void PauseReading();
  void ResumeReading();
  // Receive buffer of connections accepted from now on (small values make
  // a paused listener stall the sender sooner).
  void SetReceiveBuffer(int bytes);

 private:
  void Run();

  Responder responder_;
  int listenFd_ = -1;
  int wakeFd_[2] = {-1, -1};
  uint16_t port_ = 0;
  std::atomic<int> connections_{0};
  std::atomic<bool> drop_{false};
  std::atomic<bool> paused_{false};
  mutable std::mutex mutex_;
  mutable std::condition_variable cv_;
  std::string received_;
  std::thread thread_;
};

}  // namespace ravo::testing
