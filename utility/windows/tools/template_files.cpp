#include "template_files.h"

namespace ravo::utility {

namespace {

int32_t LittleEndian32(const uint8_t *bytes) {
  uint32_t value = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                   uint32_t{bytes[3]} << 24;
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

QList<QByteArray> ParseFileList(const uint8_t *answer, int count) {
  if (answer == nullptr || count <= 1) return {};
  QByteArray text;
  for (int i = 0; i < count && answer[i] > 0x20; ++i) text += static_cast<char>(answer[i]);
  return text.split(',');
}

std::optional<QString> SpaceText(const QString &pattern, const uint8_t *answer, int count,
                                 Storage storage) {
  if (answer == nullptr || count != kFilesSizeAnswerLength) return std::nullopt;
  const uint8_t *values = answer + (storage == Storage::Flash ? 0 : 8);
  int32_t first = LittleEndian32(values) / 1024;  // C++ division truncates toward zero
  int32_t second = LittleEndian32(values + 4) / 1024;
  QString text = pattern;
  text.replace(QLatin1String("{0}"), QString::number(second));
  text.replace(QLatin1String("{1}"), QString::number(first));
  return text;
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

}  // namespace ravo::utility
