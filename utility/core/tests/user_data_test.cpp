#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ini_file.h"
#include "mdl_global.h"
#include "mdl_global_printer_list.h"
#include "mdl_global_user_data.h"

using namespace mdlGlobal;

namespace {

// Sets an environment variable for one scope; unset when value is null.
class ScopedEnv {
 public:
  ScopedEnv(const char *name, const char *value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    if (value != nullptr) {
      qputenv(name, value);
    } else {
      qunsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (had_) {
      qputenv(name_, old_);
    } else {
      qunsetenv(name_);
    }
  }

 private:
  const char *name_;
  bool had_;
  QByteArray old_;
};

// A data-files directory and a separate place for the user's files.
class UserData : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    ASSERT_TRUE(QDir(root_.path()).mkdir(QStringLiteral("files")));
    ravo::utility::ClearIniCache();
    SetDefaultFileNames();
  }
  void TearDown() override {
    UserDataPath.clear();
    ravo::utility::ClearIniCache();
  }

  QString Files() const { return root_.path() + QStringLiteral("/files"); }
  QString User() const { return root_.path() + QStringLiteral("/home/.local/share/ravo-utility"); }
  void WriteFile(const QString &path, const QByteArray &bytes) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
  QByteArray ReadFile(const QString &path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  void Start() { InitGlobals({Files(), QStringLiteral("1033"), User()}); }

  QTemporaryDir root_;
};

TEST(DefaultUserDataDir, FollowsXdgDataHomeOnlyWhenAbsolute) {
  ScopedEnv home("HOME", "/home/someone");
  const struct {
    const char *xdg;
    const char *expected;
  } rows[] = {
      {"/data/me", "/data/me/ravo-utility/"},
      {"/data/me/", "/data/me/ravo-utility/"},
      {nullptr, "/home/someone/.local/share/ravo-utility/"},
      {"", "/home/someone/.local/share/ravo-utility/"},
      {"relative/dir", "/home/someone/.local/share/ravo-utility/"},
  };
  for (const auto &row : rows) {
    ScopedEnv xdg("XDG_DATA_HOME", row.xdg);
    EXPECT_EQ(DefaultUserDataDir(), QLatin1String(row.expected)) << (row.xdg ? row.xdg : "unset");
  }
}

TEST_F(UserData, WithoutFilesOptionTheListGoesToXdgDataHome) {
  const QByteArray xdg = (root_.path() + QStringLiteral("/xdg")).toLocal8Bit();
  ScopedEnv env("XDG_DATA_HOME", xdg.constData());
  InitGlobals(ParseStartupOptions({QStringLiteral("prog")}));
  const QString expected = QString::fromLocal8Bit(xdg) + QStringLiteral("/ravo-utility/");
  EXPECT_EQ(UserDataPath, expected);
  EXPECT_EQ(PrinterListPath(), expected + QStringLiteral("PrinterList.txt"));
  // Created for the owner alone, as XDG base directories should be.
  const QFileInfo dir(expected);
  ASSERT_TRUE(dir.isDir());
  EXPECT_EQ(dir.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup |
                                 QFile::WriteOther | QFile::ExeGroup | QFile::ExeOther),
            QFile::Permissions());
}

TEST_F(UserData, FilesOptionKeepsEverythingInThatDirectory) {
  const QByteArray xdg = (root_.path() + QStringLiteral("/xdg")).toLocal8Bit();
  ScopedEnv env("XDG_DATA_HOME", xdg.constData());
  InitGlobals(ParseStartupOptions({QStringLiteral("prog"), QStringLiteral("--files"), Files()}));
  EXPECT_TRUE(UserDataPath.isEmpty());
  EXPECT_EQ(PrinterListPath(), Files() + QStringLiteral("/PrinterList.txt"));
  ASSERT_TRUE(AppendPrinterEntry("TQX58", "NET", "NET,192.0.2.7"));
  EXPECT_EQ(ReadFile(Files() + QStringLiteral("/PrinterList.txt")),
            QByteArray("TQX58|NET|NET,192.0.2.7\r\n"));
  EXPECT_FALSE(QFileInfo::exists(QString::fromLocal8Bit(xdg)));
}

TEST_F(UserData, OldListIsTakenOverOnceAndNeverChanged) {
  const QByteArray old = "TQM|COM|COM1,BAUDRATE_9600\r\nTQX58|USB|USB\r\n";
  WriteFile(Files() + QStringLiteral("/PrinterList.txt"), old);
  Start();
  EXPECT_EQ(ReadFile(User() + QStringLiteral("/PrinterList.txt")), old);
  const auto rows = LoadPrinterList();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (PrinterListEntry{"TQM", "COM", "COM1,BAUDRATE_9600"}));

  // The user's changes go to the copy; the old list stays as it was.
  ASSERT_TRUE(AppendPrinterEntry("TGV", "NET", "NET,192.0.2.9"));
  EXPECT_EQ(ReadFile(Files() + QStringLiteral("/PrinterList.txt")), old);
  // A later start keeps the user's list, even when the old one changed.
  WriteFile(Files() + QStringLiteral("/PrinterList.txt"), "HMZ|USB|USB\r\n");
  Start();
  EXPECT_EQ(LoadPrinterList().size(), 3u);
  EXPECT_EQ(PrepareUserData(), UserDataState::Ready);
}

TEST_F(UserData, WithoutAnOldListTheUsersListStartsWithTheDefaultEntry) {
  WriteFile(Files() + QStringLiteral("/CompanyPrinterList_Label.txt"), "TQX58\r\nTQM\r\n");
  Start();
  bool ok = false;
  const auto rows = LoadPrinterList(&ok);
  EXPECT_TRUE(ok);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(ReadFile(User() + QStringLiteral("/PrinterList.txt")), QByteArray("TQX58|USB|USB\r\n"));
  EXPECT_FALSE(QFileInfo::exists(Files() + QStringLiteral("/PrinterList.txt")));
}

TEST_F(UserData, OldListStaysInUseWhenItCannotBeTakenOver) {
  // A file where the user's directory should be: it cannot be created.
  ASSERT_TRUE(QDir().mkpath(QFileInfo(User()).path()));
  WriteFile(User(), "not a directory");
  WriteFile(Files() + QStringLiteral("/PrinterList.txt"), "TQM|USB|USB\r\n");
  Start();
  EXPECT_TRUE(UserDataPath.isEmpty());
  EXPECT_EQ(PrinterListPath(), Files() + QStringLiteral("/PrinterList.txt"));
  ASSERT_EQ(LoadPrinterList().size(), 1u);

  // With nothing to take over, the list's place stays the user's, and a
  // failed save names it.
  QFile::remove(Files() + QStringLiteral("/PrinterList.txt"));
  UserDataPath = User() + QLatin1Char('/');
  EXPECT_EQ(PrepareUserData(), UserDataState::NoDirectory);
  EXPECT_EQ(UserDataPath, User() + QLatin1Char('/'));
  EXPECT_FALSE(AppendPrinterEntry("TQM", "USB", "USB"));
}

}  // namespace
