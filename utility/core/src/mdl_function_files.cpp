// Whole-file and line readers shared by the windows.
#include <QFile>
#include <QFileInfo>
#include <cstring>

#include "mdl_function.h"
#include "text_codec.h"

namespace mdlFunction {
namespace {

bool IsBlankOrControl(QChar c) {
  return c.unicode() <= 32 || c.unicode() == 127;
}

bool IsBlankLine(const QString &line) {
  for (QChar c : line) {
    if (!IsBlankOrControl(c)) return false;
  }
  return true;
}

}  // namespace

QStringList ReadTextLines(const QString &path) {
  QStringList lines;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return lines;
  bool first = true;
  while (!file.atEnd()) {
    QByteArray raw = file.readLine();
    if (raw.isEmpty() && file.error() != QFileDevice::NoError) break;
    if (first && raw.startsWith("\xEF\xBB\xBF")) raw.remove(0, 3);
    first = false;
    while (raw.endsWith('\n') || raw.endsWith('\r')) raw.chop(1);
    const QString line = ravo::utility::AnsiToQString(raw);
    if (!IsBlankLine(line)) lines << line;
  }
  return lines;
}

QByteArray ReadFileBytes(const QString &path) {
  QFile file(path);
  QByteArray bytes;
  if (!file.open(QIODevice::ReadOnly)) return bytes;
  char block[1024];
  for (;;) {
    const qint64 n = file.read(block, sizeof block);
    if (n <= 0) break;
    bytes.append(block, n);
  }
  return bytes;
}

int64_t ReadFileToBuffer(const QString &path, uint8_t *buffer, int64_t capacity) {
  const QByteArray bytes = ReadFileBytes(path);
  if (buffer == nullptr || bytes.size() > capacity || !QFileInfo::exists(path)) return -1;
  std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
  return bytes.size();
}

int64_t GetFileSizeOf(const QString &path) {
  const QFileInfo info(path);
  return info.exists() ? info.size() : -1;
}

}  // namespace mdlFunction
