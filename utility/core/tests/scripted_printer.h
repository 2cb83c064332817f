// A printer on a loopback TCP port that answers known requests with scripted
// pieces, each sent after its own delay, so that tests control how an answer
// is split across reads.  Connections are served one after another.
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace ravo::testing {

struct Piece {
  int delayMs;  // waited before sending
  QByteArray bytes;
};

class ScriptedPrinter {
 public:
  ScriptedPrinter();
  ~ScriptedPrinter();

  // When the bytes received on a connection end with request, send pieces.
  void Answer(const QByteArray &request, std::vector<Piece> pieces);

  QString PortString() const;
  QByteArray Received() const;
  // Waits until at least n bytes arrived or ms passed.
  bool WaitForBytes(qsizetype n, int ms = 2000) const;

 private:
  void Run();
  void Serve(int fd);

  int listenFd_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::map<QByteArray, std::vector<Piece>> script_;
  QByteArray received_;
  std::thread thread_;
};

}  // namespace ravo::testing
