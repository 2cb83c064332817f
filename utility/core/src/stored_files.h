// The files a TSPL printer keeps in its flash or DRAM, as they look on the
// wire: the listing and room queries and their answers, and the RUN, KILL
// and DOWNLOAD commands.  Every command line ends with CR LF.  File names
// travel as the printer's own bytes, so a listed name goes back exactly as
// it came.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace ravo::utility {

enum class Storage { Flash, Dram };

// "ZZZFILES F" (flash) or "ZZZFILES N" (DRAM).
QByteArray ListFilesCommand(Storage storage);
inline constexpr char kFilesSizeCommand[] = "ZZZFILESSIZE\r\n";
inline constexpr int kFilesSizeAnswerLength = 16;
// The listing answer ends with this byte; it is at most this long.
inline constexpr uint8_t kListEnd = 0x0D;
inline constexpr int kListAnswerMost = 1024;

// The names of a listing answer ("A,B" CR): none unless more than one byte
// came; the text stops at the first byte of 0x20 or below; every piece
// between commas is a name, empty pieces included.
QList<QByteArray> ParseFileList(QByteArrayView answer);

// Room of one storage in bytes.
struct StorageRoom {
  int32_t total = 0;
  int32_t free = 0;
};
// The 16-byte room answer holds total and free bytes of flash, then of
// DRAM, each a little-endian int32; nothing when it is not 16 bytes.
std::optional<StorageRoom> ParseStorageRoom(QByteArrayView answer, Storage storage);

// The room text: in pattern "{0}" becomes the free and "{1}" the total
// kilobytes (divided by 1024 toward zero).
QString SpaceText(const QString &pattern, const StorageRoom &room);

// True when the name can be quoted in a command: not empty, no double
// quote, no control character.
bool IsCommandSafeName(QByteArrayView name);

// RUN "name"
QByteArray RunFileCommand(const QByteArray &name);
// KILL "name" (DRAM) or KILL F,"name" (flash).
QByteArray KillFileCommand(Storage storage, const QByteArray &name);
// KILL "*" or KILL F,"*".
QByteArray KillStorageCommand(Storage storage);
// The DRAM line, then the flash line.
QByteArray KillEverythingCommand();

// "DOWNLOAD F," for flash, "DOWNLOAD " for DRAM, without a line end: the
// file carries the rest of the command ("NAME",SIZE,DATA or a program
// ending in EOP).
QByteArray DownloadPrefix(Storage storage);
inline constexpr qsizetype kDownloadPieceSize = 1024;
// Consecutive views of the file of kDownloadPieceSize bytes, the last one
// shorter; none for an empty file.  They point into file.
std::vector<QByteArrayView> DownloadPieces(const QByteArray &file);
// The name a DOWNLOAD file stores: the text between its first two double
// quotes when it starts with one; nothing otherwise.
std::optional<QByteArray> StoredName(const QByteArray &file);

}  // namespace ravo::utility
