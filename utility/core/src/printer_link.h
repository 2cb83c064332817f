// One connection to a printer: a handle of the printer library made for
// the model, with its port open.  Both are released with the object, so
// every conversation starts from a fresh handle and nothing one of them
// left behind reaches the next.  One thread at a time.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <memory>

#include "prt.h"
#include "service_result.h"
#include "task_control.h"

namespace ravo::utility {

struct PrtLibrary;

enum class PrinterLibrary {
  Tspl,  // libheron: everything the utility says to a label printer
  Esc,   // libegret: the command test and the plain text print
};

// The printer a conversation talks to, as its caller names it.
struct PrinterTarget {
  QString port;         // port string, passed unchanged to the library
  QString model;        // library model name (PrinterMap.ini)
  QString printerType;  // entry name of the printer list; empty when unknown
  PrinterLibrary library = PrinterLibrary::Tspl;
};

class PrinterLink {
 public:
  // Makes the handle and opens the port.  On failure the result holds
  // CreatePrinter or OpenPort with the library's code and nothing is open.
  static std::unique_ptr<PrinterLink> Open(const PrinterTarget &target, ServiceResult &result,
                                           const TaskControl *control = nullptr);
  // Whether the library knows the model: a handle is made and released.
  static ServiceResult CheckModel(const QString &model,
                                  PrinterLibrary library = PrinterLibrary::Tspl);

  ~PrinterLink();
  PrinterLink(const PrinterLink &) = delete;
  PrinterLink &operator=(const PrinterLink &) = delete;

  // Writes all bytes (nothing for none); the library's code.
  int32_t Write(QByteArrayView bytes);

  struct Answer {
    QByteArray bytes;  // what arrived, at most the length asked for
    int32_t code = 0;  // the last read's code
  };
  // Up to `attempts` reads, each asking for the bytes still missing, with
  // a pause of pauseMs after every read that leaves bytes missing.
  Answer Read(int32_t length, int pauseMs, int attempts);
  // Reads up to and with endByte, at most `most` bytes.
  Answer ReadUntil(uint8_t endByte, int32_t most);

  // Sleeps for ms; false, as soon as it is noticed, when the task was
  // cancelled.
  bool Pause(int ms);
  bool Cancelled() const;

  // For the TSPL_ functions of libheron.
  PrtHandle Handle() const { return handle_; }

 private:
  PrinterLink(const PrtLibrary &library, PrtHandle handle, const TaskControl *control)
      : library_(library), handle_(handle), control_(control) {}

  const PrtLibrary &library_;
  PrtHandle handle_;
  const TaskControl *control_;
};

}  // namespace ravo::utility
