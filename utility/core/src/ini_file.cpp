#include "ini_file.h"

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>  // CSimpleIniA matches names without regard to case

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <memory>

#include "text_codec.h"

namespace ravo::utility {
namespace {

struct ParsedIni {
  QDateTime modified;
  qint64 size = -1;
  std::shared_ptr<CSimpleIniA> ini;
};

// One window thread reads these files; the cache needs no lock.
std::map<QString, ParsedIni> &Cache() {
  static std::map<QString, ParsedIni> cache;
  return cache;
}

std::shared_ptr<CSimpleIniA> Parse(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  // Decoded to UTF-8 first, so SimpleIni sees one encoding whatever the file uses.
  const QByteArray utf8 = DecodeTextFile(file.readAll()).toUtf8();
  auto ini = std::make_shared<CSimpleIniA>();
  ini->SetUnicode(true);
  if (ini->LoadData(utf8.constData(), static_cast<size_t>(utf8.size())) < 0) return nullptr;
  return ini;
}

std::shared_ptr<CSimpleIniA> Load(const QString &path) {
  const QFileInfo info(path);
  if (!info.isFile()) {
    Cache().erase(path);
    return nullptr;
  }
  const QDateTime modified = info.lastModified();
  auto found = Cache().find(path);
  if (found != Cache().end() && found->second.modified == modified &&
      found->second.size == info.size()) {
    return found->second.ini;
  }
  auto ini = Parse(path);
  if (ini == nullptr) {
    Cache().erase(path);
    return nullptr;
  }
  Cache()[path] = ParsedIni{modified, info.size(), ini};
  return ini;
}

}  // namespace

QString IniValue(const QString &path, const QString &section, const QString &key) {
  auto ini = Load(path);
  if (ini == nullptr) return {};
  const QByteArray s = section.toUtf8();
  const QByteArray k = key.toUtf8();
  const char *value = ini->GetValue(s.constData(), k.constData(), nullptr);
  return value == nullptr ? QString() : QString::fromUtf8(value).trimmed();
}

bool IniHasSection(const QString &path, const QString &section) {
  auto ini = Load(path);
  return ini != nullptr && ini->GetSectionSize(section.toUtf8().constData()) >= 0;
}

void ClearIniCache() {
  Cache().clear();
}

}  // namespace ravo::utility
