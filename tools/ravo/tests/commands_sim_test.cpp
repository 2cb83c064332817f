// Every subcommand run against the virtual printer, the way a script would
// call ravo: arguments in, JSON and exit status out.
#include <gtest/gtest.h>

#include <QDate>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "exit_codes.h"
#include "run.h"
#include "sim_process.h"

namespace ravo::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using ravo::sim::SimProcess;

struct Result {
  int code = -1;
  json data;
  std::string err;
};

Result Ravo(std::vector<std::string> argv) {
  argv.push_back("--json");
  argv.push_back("--files");
  argv.push_back(RAVO_SHIPPED_FILES_DIR);
  std::ostringstream out, err;
  Result result;
  result.code = Run(argv, out, err, nullptr);
  result.err = err.str();
  result.data = json::parse(out.str(), nullptr, false);
  return result;
}

std::string AllReceived(const SimProcess &sim) {
  std::string bytes;
  for (const auto &session : sim.Sessions())
    bytes.append(session.bytes.begin(), session.bytes.end());
  return bytes;
}

bool Contains(const std::string &haystack, const std::string &needle) {
  return haystack.find(needle) != std::string::npos;
}

class RavoOnSim : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> options = {}) {
    options.insert(options.begin(), {"--model", "TQX58"});
    sim_.emplace(options);
    ASSERT_TRUE(sim_->Running()) << sim_->Error();
    port_ = sim_->PortString("TIMEOUT_300");
    backups_ = sim_->StateDir().parent_path() / ("ravo-backups-" + std::to_string(sim_->Port()));
  }
  void TearDown() override { fs::remove_all(backups_); }

  Result On(std::vector<std::string> argv) {
    for (const char *option : {"--port", port_.c_str(), "--model", "TQX58", "--backup-dir"}) {
      argv.push_back(option);
    }
    argv.push_back(backups_.string());
    return Ravo(argv);
  }

  std::vector<fs::path> Backups() const {
    std::vector<fs::path> files;
    if (fs::exists(backups_)) {
      for (const auto &entry : fs::directory_iterator(backups_)) files.push_back(entry.path());
    }
    return files;
  }

  std::optional<SimProcess> sim_;
  std::string port_;
  fs::path backups_;
};

TEST_F(RavoOnSim, TestOpensAndClosesWithoutSending) {
  Start();
  const Result r = On({"test"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["connected"], true);
  ASSERT_TRUE(sim_->WaitForClosedSessions(1));
  EXPECT_EQ(AllReceived(*sim_), "");
}

TEST_F(RavoOnSim, PortAndModelFailuresHaveTheirOwnStatus) {
  Start();
  Result r = Ravo({"test", "--port", "NET,127.0.0.1:1,CTIMEOUT_300"});
  EXPECT_EQ(r.code, kExitPort);
  EXPECT_NE(r.err.find("(-352)"), std::string::npos) << r.err;
  r = Ravo({"test", "--port", "BOGUS"});
  EXPECT_EQ(r.code, kExitPort);
  r = Ravo({"test", "--port", port_, "--model", "NO-SUCH-MODEL"});
  EXPECT_EQ(r.code, kExitUsage);
  r = Ravo({"test", "--port", port_, "--type", "NO-SUCH-TYPE"});
  EXPECT_EQ(r.code, kExitUsage);
  r = Ravo({"test"});
  EXPECT_EQ(r.code, kExitUsage);
}

TEST_F(RavoOnSim, InfoReadsAllFourFacts) {
  // Week 01 of the year ending in 5 of this decade.
  Start({"--serial", "AB5011234", "--journey", "12345", "--firmware", "1.2.7"});
  const Result r = On({"info"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const int year = QDate::currentDate().year() / 10 * 10 + 5;
  EXPECT_EQ(r.data["serial"], "AB5011234");
  EXPECT_EQ(r.data["production_date"], std::to_string(year) + "-01-01");
  EXPECT_DOUBLE_EQ(r.data["printed_length_m"].get<double>(), 37.035);
  EXPECT_EQ(r.data["firmware"], "V 1.2.7");
}

TEST_F(RavoOnSim, InfoTakesTheDealerPatternByPrinterType) {
  Start({"--serial", "6548ABCDEF"});
  // VANTA-58 is a dealer type mapped to the same model as TQX58.
  Result r = Ravo({"info", "--port", port_, "--type", "VANTA-58"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["production_date"], "2025-02-17");  // year 65-40, week 48-40
  r = Ravo({"info", "--port", port_, "--type", "TQX58"});
  EXPECT_EQ(r.code, kExitAnswer);  // the standard pattern finds no digits there
  EXPECT_TRUE(r.data["production_date"].is_null());
}

TEST_F(RavoOnSim, InfoWithoutAnswersFailsAsAnswer) {
  Start({"--no-answer"});
  const Result r = On({"info"});
  EXPECT_EQ(r.code, kExitAnswer);
  EXPECT_TRUE(r.data["serial"].is_null());
  EXPECT_TRUE(r.data["printed_length_m"].is_null());
  EXPECT_TRUE(r.data["firmware"].is_null());
}

TEST_F(RavoOnSim, DeviceCommandsSendTheirBytes) {
  Start();
  ASSERT_EQ(On({"learn"}).code, kExitOk);
  EXPECT_EQ(On({"factory-reset"}).code, kExitUsage);  // refused without --yes
  ASSERT_EQ(On({"factory-reset", "--yes"}).code, kExitOk);
  ASSERT_EQ(On({"selftest"}).code, kExitOk);
  ASSERT_TRUE(sim_->WaitForClosedSessions(3));
  EXPECT_EQ(AllReceived(*sim_), std::string("ZZZLEARN\r\n") + "\x1B\x21\x52" + "SELFTEST\r\n");
  EXPECT_EQ(sim_->Labels().size(), 1u);
}

TEST_F(RavoOnSim, SendShowsTheAnswerInHex) {
  Start({"--firmware", "1.2.7"});
  Result r = On({"send", "--text", "ZZZGETVERSION\\r\\n", "--read", "3"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["answer"], "01 02 07");
  r = On({"send", "--hex", "1B 0X40"});
  EXPECT_EQ(r.code, kExitValidation);
  r = On({"send", "--hex", "0D 0A", "--read", "4"});  // nothing to answer
  EXPECT_EQ(r.code, kExitAnswer);
  EXPECT_EQ(On({"send", "--file", "/nonexistent/x"}).code, kExitFile);
}

TEST_F(RavoOnSim, PrintTextAndImageMakeLabels) {
  Start();
  Result r = On({"print-text", "Hello\nWorld"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const fs::path bmp = backups_.parent_path() / ("ravo-" + std::to_string(sim_->Port()) + ".bmp");
  {
    // 8 x 2 pixels, 24 bits: rows of 24 bytes, black then white.
    std::ofstream out(bmp, std::ios::binary);
    const uint8_t header[54] = {'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                                8,   0,   0,   0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 48, 0};
    out.write(reinterpret_cast<const char *>(header), sizeof header);
    const std::string rows = std::string(24, '\0') + std::string(24, '\xFF');
    out << rows;
  }
  r = On({"print-image", bmp.string(), "--x", "8", "--y", "16"});
  fs::remove(bmp);
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(On({"print-image", "/nonexistent.png"}).code, kExitFile);
  ASSERT_TRUE(sim_->WaitForClosedSessions(2));
  EXPECT_EQ(sim_->Labels().size(), 2u);
  const std::string received = AllReceived(*sim_);
  EXPECT_TRUE(Contains(received, "TEXT 10,10,\"5\",0,1,1,\"Hello\"\r\n"));
  EXPECT_TRUE(Contains(received, "TEXT 10,40,\"5\",0,1,1,\"World\"\r\n"));
  EXPECT_TRUE(Contains(received, "BITMAP 8,16,1,2,0\r\n"));
}

TEST_F(RavoOnSim, FilesDownloadListRunDelete) {
  Start();
  const fs::path program =
      backups_.parent_path() / ("ravo-" + std::to_string(sim_->Port()) + ".prg");
  std::ofstream(program)
      << "\"HELLO.BAS\"\r\nCLS\r\nTEXT 10,10,\"3\",0,1,1,\"stored\"\r\nPRINT 1\r\nEOP\r\n";
  Result r = On({"files", "download", program.string()});
  fs::remove(program);
  ASSERT_EQ(r.code, kExitOk) << r.err;
  r = On({"files", "list"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["files"], json::array({"HELLO.BAS"}));
  EXPECT_GT(r.data["total_bytes"].get<int>(), 0);
  ASSERT_EQ(On({"files", "run", "HELLO.BAS"}).code, kExitOk);
  EXPECT_EQ(On({"files", "run", "BAD\"NAME"}).code, kExitValidation);
  ASSERT_EQ(On({"files", "delete", "HELLO.BAS"}).code, kExitOk);
  r = On({"files", "list"});
  EXPECT_EQ(r.data["files"], json::array());
  EXPECT_EQ(On({"files", "download", "/nonexistent/f"}).code, kExitFile);
}

TEST_F(RavoOnSim, ParamsSetThenDiffAgainstBackupShowsExactlyTheChanges) {
  Start();
  Result r = On({"params", "get"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const json before = r.data["fields"];
  ASSERT_TRUE(before.contains("density")) << before.dump();
  // A byte outside the map is reachable by its offset.
  std::string rawName;
  for (const auto &[name, value] : before.items()) {
    if (name.rfind("byte.", 0) == 0) rawName = name;
  }
  ASSERT_FALSE(rawName.empty());
  const std::string density = before["density"] == "7" ? "8" : "7";
  const std::string raw = before[rawName] == "9" ? "10" : "9";
  r = On({"params", "set", "density=" + density, rawName + "=" + raw});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const std::vector<fs::path> backups = Backups();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(r.data["backup"], backups[0].string());
  EXPECT_EQ(backups[0].filename().string().rfind("TQX58-", 0), 0u) << backups[0];

  r = On({"params", "diff", backups[0].string(), "printer"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  std::map<std::string, std::pair<std::string, std::string>> changes;
  for (const json &change : r.data["changed"])
    changes[change["field"]] = {change["a"], change["b"]};
  const std::map<std::string, std::pair<std::string, std::string>> expected = {
      {"density", {before["density"], density}}, {rawName, {before[rawName], raw}}};
  EXPECT_EQ(changes, expected) << r.data.dump();

  // Restoring the backup brings the printer back to the block as it was.
  ASSERT_EQ(On({"params", "restore", backups[0].string()}).code, kExitOk);
  r = On({"params", "diff", backups[0].string(), "printer"});
  EXPECT_EQ(r.data["changed"], json::array());
}

TEST_F(RavoOnSim, ParamsGetOutputFeedsSetIn) {
  Start();
  Result r = On({"params", "get"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  fs::create_directories(backups_);
  const fs::path settings = backups_ / "settings.txt";
  {
    std::ofstream out(settings);
    out << "# every field as read\n";
    for (const auto &[name, value] : r.data["fields"].items()) {
      out << name << "=" << value.get<std::string>() << "\n";
    }
  }
  r = On({"params", "set", "--in", settings.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["changed"], json::array());  // writing what was read changes nothing
}

TEST_F(RavoOnSim, ParamsSetAfterAFailedReadWritesNothing) {
  for (const char *fault : {"--bad-checksum", "--no-answer"}) {
    Start({fault});
    const Result r = On({"params", "set", "density=3"});
    EXPECT_EQ(r.code, std::string(fault) == "--bad-checksum" ? kExitValidation : kExitAnswer)
        << fault;
    sim_->Stop();
    EXPECT_FALSE(Contains(AllReceived(*sim_), "ZZZCW")) << fault;
    EXPECT_FALSE(sim_->StoredBlock()) << fault;
    EXPECT_TRUE(Backups().empty()) << fault;
  }
}

TEST_F(RavoOnSim, ParamsRefusalsWriteNothing) {
  Start();
  fs::create_directories(backups_);
  const fs::path shortFile = backups_ / "short.bin";
  std::ofstream(shortFile) << "x";
  const struct {
    std::vector<std::string> argv;
    int code;
  } cases[] = {
      {{"params", "set", "density=99"}, kExitValidation},
      {{"params", "set", "byte.254=1"}, kExitValidation},  // the checksum is not a field
      {{"params", "set", "no.such.field=1"}, kExitValidation},
      {{"params", "set", "missing-equals"}, kExitUsage},
      {{"params", "restore", shortFile.string()}, kExitValidation},
      {{"params", "set", "--in", "/nonexistent/x"}, kExitFile},
  };
  for (const auto &c : cases) EXPECT_EQ(On(c.argv).code, c.code) << c.argv[2];
  sim_->Stop();
  EXPECT_FALSE(Contains(AllReceived(*sim_), "ZZZCW"));
  EXPECT_EQ(Backups().size(), 1u);  // only the file made above
}

TEST(RavoPorts, ListsEveryKind) {
  std::ostringstream out, err;
  const int code = cli::Run({"ports", "--json"}, out, err, nullptr);
  const json data = json::parse(out.str());
  EXPECT_TRUE(code == kExitOk || code == kExitPort) << err.str();
  for (const char *kind : {"serial", "parallel", "usb"}) EXPECT_TRUE(data[kind].is_array()) << kind;
}

}  // namespace
}  // namespace ravo::cli
