#include "files_fixture.h"

#include <QFile>

#include "ini_file.h"
#include "mdl_global.h"

void FilesFixture::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  ravo::utility::ClearIniCache();
  mdlGlobal::SetDefaultFileNames();
  mdlGlobal::FilesPath = dir_.path() + QLatin1Char('/');
  mdlGlobal::CompanyPrinterTypes.clear();
  mdlGlobal::LanguageId.clear();
  mdlGlobal::CommandModeFlag = 1;
}

void FilesFixture::TearDown() {
  ravo::utility::ClearIniCache();
}

QString FilesFixture::Path(const QString &name) const {
  return dir_.path() + QLatin1Char('/') + name;
}

void FilesFixture::Write(const QString &name, const QByteArray &bytes) const {
  QFile file(Path(name));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray FilesFixture::Read(const QString &name) const {
  QFile file(Path(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ShippedFilesDir() {
  return QStringLiteral(RAVO_SHIPPED_FILES_DIR);
}
