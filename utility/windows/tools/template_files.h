// The template manager's conversation with a TSPL printer: listing the
// stored files, the room of each memory, running and deleting files.
// Every command ends with CR LF.  File names travel as the printer's own
// bytes, so a name goes back exactly as it was listed.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

#include "storage.h"

namespace ravo::utility {

// "ZZZFILES F" (flash) or "ZZZFILES N" (DRAM).
QByteArray ListFilesCommand(Storage storage);
inline constexpr char kFilesSizeCommand[] = "ZZZFILESSIZE\r\n";
inline constexpr int kFilesSizeAnswerLength = 16;
// The list answer ends with this byte.
inline constexpr uint8_t kListEnd = 0x0D;

// The names of a list answer ("A,B" CR): nothing unless more than one byte
// came; the text stops at the first byte of 0x20 or below; every piece
// between commas is a name, empty pieces included.
QList<QByteArray> ParseFileList(const uint8_t *answer, int count);

// The space text: in pattern "{0}" becomes the storage's second value and
// "{1}" its first, both in kilobytes (toward zero).  The 16-byte answer is
// four little-endian int32: flash first, flash second, DRAM first, DRAM
// second.  Nothing when count is not 16.
std::optional<QString> SpaceText(const QString &pattern, const uint8_t *answer, int count,
                                 Storage storage);

// RUN "name"
QByteArray RunFileCommand(const QByteArray &name);
// KILL "name" (DRAM) or KILL F,"name" (flash).
QByteArray KillFileCommand(Storage storage, const QByteArray &name);
// KILL "*" or KILL F,"*".
QByteArray KillStorageCommand(Storage storage);
// The DRAM line, then the flash line.
QByteArray KillEverythingCommand();

}  // namespace ravo::utility
