// One printer handle of a library with the Prt interface (libheron or
// libegret) and the calls the utility makes on it.  The library's functions
// come in a table so that both libraries share this code.
#pragma once

#include <QString>
#include <cstdint>

#include "prt.h"
#include "prt_library.h"

namespace ravo::utility {

class PrtSession {
 public:
  explicit PrtSession(const PrtLibrary &library) : lib_(library) {}
  PrtSession(const PrtSession &) = delete;
  PrtSession &operator=(const PrtSession &) = delete;

  // Replaces the held handle (the old one is destroyed) with one for model.
  int32_t CreatePrinter(const QString &model);
  // -6 without calling the library when no handle is held.
  int32_t OpenPort(const QString &port);
  int32_t ClosePort();
  int32_t WriteData(const uint8_t *bytes, int32_t count);
  int32_t ReadData(uint8_t *buffer, int32_t length, int32_t &count);
  int32_t ReadDataEOF(uint8_t *buffer, int32_t start, int32_t end, uint8_t beginByte,
                      uint8_t endByte, int32_t &stored);
  // Up to `attempts` reads, each for the bytes still missing, pausing pauseMs
  // after every read that leaves bytes missing.  count never exceeds length;
  // the result is the last read's code.
  int32_t ReadRetry(uint8_t *buffer, int32_t length, int32_t &count, int pauseMs, int attempts);

  PrtHandle handle() const { return handle_; }

 private:
  const PrtLibrary &lib_;
  PrtHandle handle_ = nullptr;
};

}  // namespace ravo::utility
