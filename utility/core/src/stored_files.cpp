#include "stored_files.h"

#include <algorithm>

namespace ravo::utility {
namespace {

int32_t LittleEndian32(QByteArrayView bytes) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[i]);
  return static_cast<int32_t>(value);
}

QByteArray Quoted(const QByteArray &name) {
  return '"' + name + '"';
}

}  // namespace

QByteArray ListFilesCommand(Storage storage) {
  return storage == Storage::Flash ? QByteArrayLiteral("ZZZFILES F\r\n")
                                   : QByteArrayLiteral("ZZZFILES N\r\n");
}

QList<QByteArray> ParseFileList(QByteArrayView answer) {
  if (answer.size() <= 1) return {};
  QByteArray text;
  for (char c : answer) {
    if (static_cast<uint8_t>(c) <= 0x20) break;
    text += c;
  }
  return text.split(',');
}

std::optional<StorageRoom> ParseStorageRoom(QByteArrayView answer, Storage storage) {
  if (answer.size() != kFilesSizeAnswerLength) return std::nullopt;
  const QByteArrayView values = answer.sliced(storage == Storage::Flash ? 0 : 8, 8);
  return StorageRoom{LittleEndian32(values.first(4)), LittleEndian32(values.sliced(4))};
}

QString SpaceText(const QString &pattern, const StorageRoom &room) {
  QString text = pattern;
  text.replace(QLatin1String("{0}"), QString::number(room.free / 1024));
  text.replace(QLatin1String("{1}"), QString::number(room.total / 1024));
  return text;
}

bool IsCommandSafeName(QByteArrayView name) {
  if (name.isEmpty()) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<uint8_t>(c);
    return byte < 0x20 || byte == '"' || byte == 0x7F;
  });
}

QByteArray RunFileCommand(const QByteArray &name) {
  return "RUN " + Quoted(name) + "\r\n";
}

QByteArray KillFileCommand(Storage storage, const QByteArray &name) {
  return (storage == Storage::Flash ? "KILL F," : "KILL ") + Quoted(name) + "\r\n";
}

QByteArray KillStorageCommand(Storage storage) {
  return KillFileCommand(storage, "*");
}

QByteArray KillEverythingCommand() {
  return KillStorageCommand(Storage::Dram) + KillStorageCommand(Storage::Flash);
}

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

std::optional<QByteArray> StoredName(const QByteArray &file) {
  if (!file.startsWith('"')) return std::nullopt;
  const qsizetype end = file.indexOf('"', 1);
  if (end <= 1) return std::nullopt;
  return file.mid(1, end - 1);
}

}  // namespace ravo::utility
