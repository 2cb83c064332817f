#include "download_framing.h"

#include <algorithm>

namespace ravo::utility {

QByteArray DownloadPrefix(Storage storage) {
  return storage == Storage::Flash ? QByteArrayLiteral("DOWNLOAD F,")
                                   : QByteArrayLiteral("DOWNLOAD ");
}

std::vector<QByteArrayView> DownloadPieces(const QByteArray &file) {
  std::vector<QByteArrayView> pieces;
  for (qsizetype at = 0; at < file.size(); at += kDownloadPieceSize) {
    pieces.emplace_back(file.constData() + at, std::min(kDownloadPieceSize, file.size() - at));
  }
  return pieces;
}

}  // namespace ravo::utility
