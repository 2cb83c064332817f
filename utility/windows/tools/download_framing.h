// How a file travels to the printer's memory: the DOWNLOAD prefix, then the
// file's own bytes in pieces.  The file carries the rest of the DOWNLOAD
// syntax itself (name, size and data, or a program ended by EOP).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

#include "storage.h"

namespace ravo::utility {

inline constexpr qsizetype kDownloadPieceSize = 1024;

// "DOWNLOAD F," for flash, "DOWNLOAD " for DRAM; no line end.
QByteArray DownloadPrefix(Storage storage);

// Consecutive views of the file of kDownloadPieceSize bytes, the last one
// shorter; none for an empty file.  They point into file.
std::vector<QByteArrayView> DownloadPieces(const QByteArray &file);

}  // namespace ravo::utility
