// ravo printers: the utility's printer list from the command line, in the
// user's data directory or, with --files, beside the data files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <nlohmann/json.hpp>
#include <sstream>

#include "exit_codes.h"
#include "mdl_global_user_data.h"
#include "run.h"

namespace ravo::cli {
namespace {

using nlohmann::json;

struct Result {
  int code = -1;
  json data;
  std::string err;
};

class Printers : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    files_ = root_.path() + QStringLiteral("/files");
    ASSERT_TRUE(QDir().mkpath(files_));
    const QDir shipped(QStringLiteral(RAVO_SHIPPED_FILES_DIR));
    for (const QString &name :
         shipped.entryList({QStringLiteral("*.ini"), QStringLiteral("*.txt")})) {
      ASSERT_TRUE(QFile::copy(shipped.filePath(name), files_ + QLatin1Char('/') + name));
    }
    xdg_ = (root_.path() + QStringLiteral("/data")).toStdString();
    savedXdg_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(xdg_));
  }
  void TearDown() override {
    qputenv("XDG_DATA_HOME", savedXdg_);
    mdlGlobal::UserDataPath.clear();
  }

  // ravo with --json, and with --files DIR when `portable`.
  Result Ravo(std::vector<std::string> argv, bool portable = true) {
    argv.push_back("--json");
    if (portable) {
      argv.push_back("--files");
      argv.push_back(files_.toStdString());
    }
    std::ostringstream out, err;
    Result result;
    result.code = cli::Run(argv, out, err, nullptr);
    result.err = err.str();
    result.data = json::parse(out.str(), nullptr, false);
    return result;
  }

  std::string ReadList(const std::string &path) const {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
  }

  QTemporaryDir root_;
  QString files_;
  std::string xdg_;
  QByteArray savedXdg_;
};

TEST_F(Printers, AddListAndRemoveInTheFilesDirectory) {
  // An empty list starts, as in the utility, with the first type on USB.
  Result r = Ravo({"printers", "list"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  ASSERT_EQ(r.data["printers"].size(), 1u);
  EXPECT_EQ(r.data["printers"][0]["port"], "USB");

  const struct {
    const char *type;
    const char *port;
    const char *portType;
  } added[] = {
      {"TQM", "NET,192.0.2.7:9101", "NET"},    {"TQX80", "COM2,BAUDRATE_115200", "COM"},
      {"TGV", "ttyUSB0,BAUDRATE_9600", "COM"}, {"TQX58", "LPT1", "LPT"},
      {"TQX58-E", "USB,SN_A1", "USB"},
  };
  for (const auto &row : added) {
    r = Ravo({"printers", "add", row.type, row.port});
    ASSERT_EQ(r.code, kExitOk) << row.port << ": " << r.err;
    EXPECT_EQ(r.data["added"]["port_type"], row.portType) << row.port;
  }
  r = Ravo({"printers", "remove", "1"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["removed"]["port"], "USB");

  const std::string file = files_.toStdString() + "/PrinterList.txt";
  EXPECT_EQ(ReadList(file),
            "\r\nTQM|NET|NET,192.0.2.7:9101\r\nTQX80|COM|COM2,BAUDRATE_115200\r\n"
            "TGV|COM|ttyUSB0,BAUDRATE_9600\r\nTQX58|LPT|LPT1\r\nTQX58-E|USB|USB,SN_A1\r\n");
  r = Ravo({"printers"});
  ASSERT_EQ(r.code, kExitOk);
  EXPECT_EQ(r.data["printers"].size(), 5u);
  EXPECT_EQ(r.data["file"], file);
  EXPECT_EQ(ReadList(xdg_ + "/ravo-utility/PrinterList.txt"), "<missing>");
}

TEST_F(Printers, RefusalsLeaveTheListAlone) {
  ASSERT_EQ(Ravo({"printers", "add", "TQM", "USB"}).code, kExitOk);
  const std::string file = files_.toStdString() + "/PrinterList.txt";
  const std::string before = ReadList(file);
  const struct {
    std::vector<std::string> argv;
    int code;
  } cases[] = {
      {{"printers", "add", "NoSuchType", "USB"}, kExitUsage},
      {{"printers", "add", "TQM"}, kExitUsage},
      {{"printers", "add", "TQM", "PRN7"}, kExitPort},
      {{"printers", "add", "TQM", "COM1,BAUDRATE_1234"}, kExitPort},
      {{"printers", "remove", "0"}, kExitUsage},
      {{"printers", "remove", "2"}, kExitUsage},
      {{"printers", "remove", "one"}, kExitUsage},
      {{"printers", "rename"}, kExitUsage},
  };
  for (const auto &c : cases) {
    const Result r = Ravo(c.argv);
    EXPECT_EQ(r.code, c.code) << c.argv.back() << ": " << r.err;
    EXPECT_FALSE(r.err.empty()) << c.argv.back();
  }
  EXPECT_EQ(ReadList(file), before);
}

TEST_F(Printers, WithoutFilesTheListIsTheUsers) {
  const Result r = Ravo({"printers", "add", "TQM", "NET,192.0.2.7"}, false);
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const std::string file = xdg_ + "/ravo-utility/PrinterList.txt";
  EXPECT_EQ(r.data["file"], file);
  // (A list left in the build tree's data files would have been taken over.)
  const std::string list = ReadList(file);
  const std::string added = "TQM|NET|NET,192.0.2.7\r\n";
  ASSERT_GE(list.size(), added.size()) << list;
  EXPECT_EQ(list.substr(list.size() - added.size()), added);
  EXPECT_EQ(ReadList(files_.toStdString() + "/PrinterList.txt"), "<missing>");
}

}  // namespace
}  // namespace ravo::cli
