// Every conversation the utility's windows and ravo have with a printer,
// in one place.  A service is made for one printer (port, model, entry
// name) and takes the command set from its caller; each conversation opens
// its own connection, does its exchange and closes it again, and reports a
// ServiceResult.  Nothing here shows anything or reads the windows' state.
//
// Conversations block for the printer's pauses and time-outs; windows run
// them through PrinterTaskRunner (printer_task_runner.h), which passes the
// TaskControl that lets a user cancel and shows progress.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

#include "param_block.h"
#include "printer_link.h"
#include "service_result.h"
#include "stored_files.h"
#include "task_control.h"
#include "unprintable_text.h"

namespace ravo::utility {

// Which form of the parameter-block exchange and of the configuration
// print a printer speaks: the ZZZ commands (TSPL side) or DC2 (ESC side).
enum class CommandSet { Zzz, Dc2 };

// The utility's CommandModeFlag: nonzero selects the ZZZ forms.
CommandSet CommandSetOf(int commandModeFlag);

// What the printer-information conversation learned.  Answers that did
// not come are empty.
struct PrinterInformation {
  enum class Serial {
    Read,          // the printer sent its serial number (it may be empty)
    NoAnswer,      // the query went out, nothing usable came back
    NotSupported,  // the model has no serial query (the library refused it)
  };
  Serial serialState = Serial::NoAnswer;
  QString serial;
  QByteArray journey;  // the printed-length counter's bytes (4 expected)
  QByteArray version;  // the firmware version's bytes (3 or 4 expected)
};

// What the connection test learned once the port was open.
enum class ConnectionCheck {
  Answered,      // the printer answered a question
  Silent,        // connected, but the printer did not answer
  CannotAnswer,  // a parallel port: nothing can come back, nothing was asked
};

struct BlockRead {
  param::ParameterBlock block{};
  int received = 0;  // bytes that arrived
  // The probe's answer (0: none) when the read probed first.
  std::optional<uint8_t> probeAnswer;
  CommandSet commandSet = CommandSet::Zzz;  // the form the read used
};

struct StoredFiles {
  QList<QByteArray> names;          // as ParseFileList gives them
  int listingBytes = 0;             // bytes of the listing answer
  std::optional<StorageRoom> room;  // nothing when the room answer was not 16 bytes
  int roomBytes = 0;                // bytes of the room answer
};

struct DownloadProgress {
  int64_t sent = 0;   // file bytes the printer took
  int64_t total = 0;  // file bytes of all files
};

class PrinterService {
 public:
  explicit PrinterService(PrinterTarget target, const TaskControl *control = nullptr);

  const PrinterTarget &Target() const { return target_; }

  // An open connection for callers that keep one (the command test's
  // cycle).  CreatePrinter or OpenPort in result on failure.
  std::unique_ptr<PrinterLink> Connect(ServiceResult &result) const;

  // ---- Connection and information (printer_service.cpp, printer_service_info.cpp)

  // Opens the port and closes it again; nothing is sent.
  ServiceResult TestConnection() const;
  // Opens the port and asks the printer something: the command-mode probe
  // and, when that brings nothing, the serial number (libheron only).
  // Fails only when the port cannot be opened.
  ServiceAnswer<ConnectionCheck> CheckConnection() const;

  // Serial number, printed-length counter and firmware version in one
  // session.  Fails only when the port cannot be opened; answers that do
  // not come stay empty.
  ServiceAnswer<PrinterInformation> ReadInformation() const;
  // The serial number alone (empty when none came); NotSupported for a
  // model without the query.
  ServiceAnswer<QString> ReadSerialNumber() const;

  // ---- Parameter block (printer_service_block.cpp)

  // Writes 1B 1B 08 and reads one byte: the printer's command mode, 0 when
  // none came.
  ServiceAnswer<uint8_t> ProbeCommandMode() const;

  // Reads the 256-byte block in the given form; without one it probes the
  // command mode first, on the same connection, and uses the answer.
  // Failures: OpenPort, WriteData, ReadData (no answer or no marker),
  // ShortAnswer (fewer than 256 bytes), CheckSum.  The value's block holds
  // what arrived (zero elsewhere) whatever the result.
  ServiceAnswer<BlockRead> ReadParameterBlock(std::optional<CommandSet> commandSet) const;

  // Seals the block and writes the write command and, 20 ms later, the
  // block.  With verify it then reads the block back: NotKept when the
  // printer holds another.  Failures: OpenPort, ParaSet (a write failed),
  // and those of the read back.
  ServiceResult WriteParameterBlock(param::ParameterBlock block, CommandSet commandSet,
                                    bool verify) const;

  // ---- Device commands (printer_service_device.cpp)

  // The configuration page: TSPL SELFTEST, or on the DC2 side the ESC
  // bytes 1D 28 41 02 00 00 02.
  ServiceResult ConfigurationPrint(CommandSet commandSet) const;
  ServiceResult AutoLearn() const;          // ZZZLEARN
  ServiceResult FactoryReset() const;       // 1B 21 52
  ServiceResult EnterFirmwareMode() const;  // ZZZDFUMODE

  // ---- Printing (printer_service_print.cpp)

  // The test label of a text (label_text_job.h); the text is checked
  // before the port is touched.  Characters the code page cannot carry are
  // refused (TextCodePage) or sent as '?', as `unprintable` says.
  ServiceResult PrintLabelText(const QString &width, const QString &height, const QString &text,
                               Unprintable unprintable = Unprintable::Refuse) const;
  // Plain text with CR LF line breaks and one final LF (ESC side); the same
  // choice for characters the code page cannot carry.
  ServiceResult PrintPlainText(const QString &text,
                               Unprintable unprintable = Unprintable::Refuse) const;
  // An image file on one label: CLS, SIZE when sizeCommand is not empty,
  // the library's BITMAP of the file at x,y in the mode, PRINT 1.
  ServiceResult PrintImage(const QString &path, int x, int y, int mode,
                           const QByteArray &sizeCommand) const;

  // ---- Stored files (printer_service_files.cpp, printer_service_download.cpp)

  // Names and room of one storage in one session.  Fails only when the
  // port cannot be opened or a query cannot be written; a missing answer
  // shows in the value.
  ServiceAnswer<StoredFiles> ListStoredFiles(Storage storage) const;

  // Sends every file behind DOWNLOAD, exactly as it is on disk, in pieces
  // of 1024 bytes, reporting progress.  Every file is read before anything
  // is sent.  Success only when the printer took every byte and, where it
  // lists its store, lists every file sent (by the name the file gives).
  // Failures name the step: FileRead (the file as subject), OpenPort,
  // WriteData (the DOWNLOAD command), DownloadCut (the file), NotListed
  // (the name), Cancelled.  The value counts the bytes taken so far.
  ServiceAnswer<DownloadProgress> DownloadFiles(const QStringList &paths, Storage storage) const;

  ServiceResult RunStoredFile(const QByteArray &name) const;
  ServiceResult DeleteStoredFile(Storage storage, const QByteArray &name) const;
  ServiceResult DeleteStoredFiles(Storage storage) const;
  ServiceResult DeleteAllStoredFiles() const;

  // ---- Raw bytes (printer_service_raw.cpp)

  // Writes the bytes.
  ServiceResult Send(const QByteArray &bytes) const;
  // Writes the bytes, waits 100 ms and reads up to `length` bytes in
  // `attempts` reads 100 ms apart.  ReadData when nothing came.
  ServiceAnswer<QByteArray> SendAndRead(const QByteArray &bytes, int32_t length,
                                        int attempts) const;
  // Reads up to `length` bytes in `attempts` reads 100 ms apart; an empty
  // answer is not a failure.
  ServiceAnswer<QByteArray> Read(int32_t length, int attempts) const;

 private:
  // Opens a connection and runs the exchange on it.
  template <typename Exchange>
  ServiceResult Session(Exchange exchange) const;
  ServiceResult SendCommand(const QByteArray &bytes) const;

  PrinterTarget target_;
  const TaskControl *control_;
};

template <typename Exchange>
ServiceResult PrinterService::Session(Exchange exchange) const {
  ServiceResult result;
  const std::unique_ptr<PrinterLink> link = Connect(result);
  if (!link) return result;
  return exchange(*link);
}

}  // namespace ravo::utility
