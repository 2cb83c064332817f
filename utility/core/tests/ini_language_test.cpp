#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QStringEncoder>

#include "files_fixture.h"
#include "ini_file.h"
#include "mdl_global.h"
#include "service_result.h"

using namespace mdlGlobal;

namespace {

QByteArray Utf16(const QString &text, QStringEncoder::Encoding encoding, QByteArray bom) {
  QStringEncoder encoder(encoding);
  return bom + QByteArray(encoder(text));
}

using IniReading = FilesFixture;

TEST_F(IniReading, EncodingsCaseAndTrimming) {
  const QString text = QStringLiteral("[Sec]\r\n  Key  =  \u4E2D\u6587 value  \r\n");
  const QString expected = QStringLiteral("\u4E2D\u6587 value");
  struct Case {
    const char *name;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"utf8", text.toUtf8()},
      {"utf8-bom", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
      {"utf16le", Utf16(text, QStringEncoder::Utf16LE, QByteArray("\xFF\xFE"))},
      {"utf16be", Utf16(text, QStringEncoder::Utf16BE, QByteArray("\xFE\xFF"))},
  };
  for (const Case &c : cases) {
    const QString name = QLatin1String(c.name) + QStringLiteral(".ini");
    Write(name, c.bytes);
    EXPECT_EQ(ReadIniString(name, "SEC", "key"), expected) << c.name;
    EXPECT_EQ(ReadIniString(name, "sec", "KEY"), expected) << c.name;
    EXPECT_EQ(ReadIniString(name, "sec", "other"), QString()) << c.name;
    EXPECT_EQ(ReadIniString(name, "none", "key"), QString()) << c.name;
  }
  EXPECT_EQ(ReadIniString("missing.ini", "sec", "key"), QString());
}

TEST_F(IniReading, CodePageWhenNotUtf8) {
  qputenv("RAVO_ACP", "GBK");
  Write("gbk.ini", QByteArray("[2052]\r\n_Set=\xC9\xE8\xD6\xC3\r\n"));  // "设置"
  EXPECT_EQ(ReadIniString("gbk.ini", "2052", "_Set"), QStringLiteral("\u8BBE\u7F6E"));
  qunsetenv("RAVO_ACP");
}

TEST_F(IniReading, ChangedFileIsReadAgain) {
  Write("a.ini", "[s]\nk=old\n");
  ASSERT_EQ(ReadIniString("a.ini", "s", "k"), QLatin1String("old"));
  Write("a.ini", "[s]\nk=new\n");
  // Same size: only the modification time tells the versions apart.
  QFile file(Path("a.ini"));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(
      file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
  file.close();
  EXPECT_EQ(ReadIniString("a.ini", "s", "k"), QLatin1String("new"));
  QFile::remove(Path("a.ini"));
  EXPECT_EQ(ReadIniString("a.ini", "s", "k"), QString());
}

using Language = FilesFixture;

TEST_F(Language, SelectionAndFallback) {
  struct Case {
    const char *list;
    const char *fallback;  // nullptr: no DefaultLanguageID key
    const char *preferred;
    const char *expected;
  };
  const Case cases[] = {
      {"2052,1028,1033", "2052", "1033", "1033"},
      {"2052,1028", "1028", "1033", "1028"},
      {"2052,1028", nullptr, "1033", ""},
      {"2052,10520", "2052", "1052", "1052"},  // a plain substring test
      {"", "1033", "2052", "1033"},
  };
  for (const Case &c : cases) {
    QByteArray ini = QByteArray("[LanguageCollect]\nList=") + c.list + "\n";
    if (c.fallback != nullptr) ini += QByteArray("DefaultLanguageID=") + c.fallback + "\n";
    ravo::utility::ClearIniCache();
    Write(LanguageFileName, ini);
    SelectLanguage(QLatin1String(c.preferred));
    EXPECT_EQ(LanguageId, QLatin1String(c.expected)) << c.list << " / " << c.preferred;
  }
}

TEST_F(Language, SystemLanguageFromEnvironment) {
  Write(LanguageFileName, "[LanguageCollect]\nList=2052,1028,1033\nDefaultLanguageID=2052\n");
  const QByteArray saved = qgetenv("LC_ALL");
  qputenv("LC_ALL", "zh_TW.UTF-8");
  EXPECT_EQ(SystemDefaultLanguageId(), QLatin1String("1028"));
  SelectLanguage();
  EXPECT_EQ(LanguageId, QLatin1String("1028"));
  qputenv("LC_ALL", "de_DE.UTF-8");
  SelectLanguage();
  EXPECT_EQ(LanguageId, QLatin1String("2052"));
  qputenv("LC_ALL", saved);
}

TEST_F(Language, MessageStringsAndMissingKeys) {
  Write(LanguageFileName,
        "[LanguageCollect]\nList=1033\nDefaultLanguageID=1033\n[1033]\n_Set=Set\n"
        "_Err_CheckSum=Bad sum\nFormMain_Label_btnQuit=Quit\n");
  SelectLanguage("1033");
  LoadMessageStrings();
  EXPECT_EQ(Msg.Set, QLatin1String("Set"));
  EXPECT_EQ(Msg.Err_CheckSum, QLatin1String("Bad sum"));
  EXPECT_EQ(Msg.Err_ParaSet, QString());
  EXPECT_EQ(GetLangString("formmain_label_btnquit"), QLatin1String("Quit"));
  LanguageId.clear();
  EXPECT_EQ(GetLangString("_Set"), QString());
}

TEST(StartupOptions, FilesAndLanguage) {
  const StartupOptions options =
      ParseStartupOptions({"prog", "--files", "/tmp/x", "--language", "1028"});
  EXPECT_EQ(options.filesDir, QLatin1String("/tmp/x"));
  EXPECT_EQ(options.languageId, QLatin1String("1028"));
  const StartupOptions none = ParseStartupOptions({"prog", "--files"});
  EXPECT_TRUE(none.filesDir.isEmpty());
}

TEST(InitGlobals, ReadsCompanyListAndLanguageFromFilesDir) {
  SetDefaultFileNames();
  InitGlobals({ShippedFilesDir(), QStringLiteral("1033")});
  EXPECT_TRUE(AppPath.endsWith('/'));
  EXPECT_EQ(FilesPath, ShippedFilesDir() + '/');
  EXPECT_FALSE(CompanyPrinterTypes.isEmpty());
  EXPECT_EQ(LanguageId, QLatin1String("1033"));
  EXPECT_FALSE(Msg.Err_OpenPort.isEmpty());
}

TEST(ShippedLanguageFile, EverySectionHoldsEveryKey) {
  SetDefaultFileNames();
  FilesPath = ShippedFilesDir() + '/';
  QFile keyFile(QStringLiteral(RAVO_LANGUAGE_KEYS_FILE));
  ASSERT_TRUE(keyFile.open(QIODevice::ReadOnly));
  QStringList keys;
  for (const QByteArray &line : keyFile.readAll().split('\n')) {
    const QString key = QString::fromUtf8(line).trimmed();
    if (!key.isEmpty() && !key.startsWith('#')) keys << key;
  }
  ASSERT_GT(keys.size(), 150);
  for (const MessageKey &message : MessageKeys()) EXPECT_TRUE(keys.contains(message.key));
  // Every failure a conversation reports has its text.
  using ravo::utility::ServiceMessage;
  for (int m = int(ServiceMessage::Ok) + 1; m <= int(ServiceMessage::Cancelled); ++m) {
    EXPECT_TRUE(keys.contains(ravo::utility::LanguageKey(ServiceMessage(m)))) << m;
  }
  const QString list = ReadIniString(LanguageFileName, "LanguageCollect", "List");
  for (const char *section : {"2052", "1028", "1033"}) {
    EXPECT_TRUE(list.contains(QLatin1String(section)));
    for (const QString &key : keys) {
      EXPECT_FALSE(ReadIniString(LanguageFileName, section, key).isEmpty())
          << section << " lacks " << key.toStdString();
    }
  }
  EXPECT_FALSE(ReadIniString(LanguageFileName, "Global", "_Version").isEmpty());
}

}  // namespace
