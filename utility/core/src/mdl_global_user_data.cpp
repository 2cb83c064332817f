#include "mdl_global_user_data.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include "mdl_global.h"

namespace mdlGlobal {
namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// mkpath with owner-only permissions for every directory it creates.
bool MakeUserDirectory(const QString &path) {
  const QString absolute = QDir::cleanPath(QDir(path).absolutePath());
  QStringList missing;
  QString at = absolute;
  while (!QFileInfo(at).exists()) {
    missing.prepend(at);
    const QString parent = QFileInfo(at).path();
    if (parent == at) break;
    at = parent;
  }
  for (const QString &dir : missing) {
    if (!QDir().mkdir(dir, kOwnerOnly)) return false;
  }
  return QFileInfo(absolute).isDir();
}

bool CopyWhole(const QString &from, const QString &to) {
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = source.readAll();
  if (source.error() != QFileDevice::NoError) return false;
  QSaveFile target(to);
  if (!target.open(QIODevice::WriteOnly)) return false;
  if (target.write(bytes) != bytes.size()) {
    target.cancelWriting();
    return false;
  }
  return target.commit();
}

}  // namespace

QString DefaultUserDataDir() {
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  // XDG base directories: a relative value is to be ignored.
  const QString base = !xdg.isEmpty() && QDir::isAbsolutePath(xdg)
                           ? xdg
                           : QDir::homePath() + QStringLiteral("/.local/share");
  return QDir::cleanPath(base) + QStringLiteral("/ravo-utility/");
}

QString UserFilePath(const QString &name) {
  return (UserDataPath.isEmpty() ? FilesPath : UserDataPath) + name;
}

QString PrinterListPath() {
  return UserFilePath(PrinterListFileName);
}

UserDataState PrepareUserData() {
  if (UserDataPath.isEmpty()) return UserDataState::Ready;
  const QString oldList = FilesPath + PrinterListFileName;
  const bool oldExists = QFileInfo(oldList).isFile();
  if (!MakeUserDirectory(UserDataPath)) {
    if (!oldExists) return UserDataState::NoDirectory;
    UserDataPath.clear();
    return UserDataState::NotTakenOver;
  }
  if (QFileInfo::exists(PrinterListPath()) || !oldExists) return UserDataState::Ready;
  if (!CopyWhole(oldList, PrinterListPath())) {
    UserDataPath.clear();
    return UserDataState::NotTakenOver;
  }
  return UserDataState::TookOver;
}

}  // namespace mdlGlobal
