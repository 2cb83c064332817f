// The stored-files conversations: listing with room, RUN and KILL.
#include "printer_service.h"

namespace ravo::utility {
namespace {

constexpr int kAnswerPauseMs = 300;
constexpr int kReadPauseMs = 100;

}  // namespace

ServiceAnswer<StoredFiles> PrinterService::ListStoredFiles(Storage storage) const {
  ServiceAnswer<StoredFiles> answer;
  answer.result = Session([&](PrinterLink &link) {
    StoredFiles &files = answer.value;
    int32_t written = link.Write(ListFilesCommand(storage));
    if (written != PRT_SUCCESS) return Failure(ServiceMessage::WriteData, written);
    if (!link.Pause(kAnswerPauseMs)) return Failure(ServiceMessage::Cancelled);
    const QByteArray listing = link.ReadUntil(kListEnd, kListAnswerMost).bytes;
    files.listingBytes = int(listing.size());
    files.names = ParseFileList(listing);
    written = link.Write(kFilesSizeCommand);
    if (written != PRT_SUCCESS) return Failure(ServiceMessage::WriteData, written);
    if (!link.Pause(kAnswerPauseMs)) return Failure(ServiceMessage::Cancelled);
    const QByteArray room = link.Read(kFilesSizeAnswerLength, kReadPauseMs, 2).bytes;
    files.roomBytes = int(room.size());
    files.room = ParseStorageRoom(room, storage);
    return ServiceResult{};
  });
  return answer;
}

ServiceResult PrinterService::RunStoredFile(const QByteArray &name) const {
  if (!IsCommandSafeName(name))
    return Failure(ServiceMessage::FileName, 0, QString::fromLatin1(name));
  return SendCommand(RunFileCommand(name));
}

ServiceResult PrinterService::DeleteStoredFile(Storage storage, const QByteArray &name) const {
  if (!IsCommandSafeName(name))
    return Failure(ServiceMessage::FileName, 0, QString::fromLatin1(name));
  return SendCommand(KillFileCommand(storage, name));
}

ServiceResult PrinterService::DeleteStoredFiles(Storage storage) const {
  return SendCommand(KillStorageCommand(storage));
}

ServiceResult PrinterService::DeleteAllStoredFiles() const {
  return SendCommand(KillEverythingCommand());
}

}  // namespace ravo::utility
