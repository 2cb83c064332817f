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
#include "loopback_listener.h"
#include "param_block.h"
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
  r = On({"send", "--hex", "0D 0A", "--read", "4"});  // nothing to answer
  EXPECT_EQ(r.code, kExitAnswer);
  EXPECT_EQ(On({"send", "--file", "/nonexistent/x"}).code, kExitFile);
}

TEST_F(RavoOnSim, HexThatIsNotWholeBytesIsRefusedBeforeSending) {
  Start();
  for (const char *hex : {"100", "1B4", "fff", "0x", "", "1B 0x4", "1B,G0"}) {
    const Result r = On({"send", "--hex", hex});
    EXPECT_EQ(r.code, kExitValidation) << '"' << hex << '"';
    if (*hex != '\0' && std::string(hex) != "0x") {
      EXPECT_TRUE(Contains(r.err, "\"")) << r.err;  // the piece is named
    }
  }
  ASSERT_EQ(On({"send", "--hex", "0x1B40,0A"}).code, kExitOk);
  ASSERT_TRUE(sim_->WaitForClosedSessions(1));
  EXPECT_FALSE(sim_->WaitForClosedSessions(2, std::chrono::milliseconds(200)));
  EXPECT_EQ(AllReceived(*sim_), "\x1B\x40\x0A");
}

TEST_F(RavoOnSim, DirectoriesAreFileErrors) {
  Start();
  const std::string dir = sim_->StateDir().string();
  for (const std::vector<std::string> &argv : {std::vector<std::string>{"send", "--file", dir},
                                               {"files", "download", dir},
                                               {"params", "restore", dir},
                                               {"params", "set", "--in", dir}}) {
    const Result r = On(argv);
    EXPECT_EQ(r.code, kExitFile) << argv[0] << " " << argv[1];
    EXPECT_TRUE(Contains(r.err, "directory")) << r.err;
  }
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
  EXPECT_TRUE(Contains(received, "TEXT 10,58,\"5\",0,1,1,\"World\"\r\n"));
  EXPECT_TRUE(Contains(received, "BITMAP 8,16,1,2,0\r\n"));
}

TEST_F(RavoOnSim, PrintTextEscapesQuotesAndRefusesControlCharacters) {
  Start();
  Result r = On({"print-text", "say \"hi\""});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  for (const char *text : {"one\rPRINT 5", "tab\there"}) {
    r = On({"print-text", text});
    EXPECT_EQ(r.code, kExitValidation) << text;
    EXPECT_TRUE(Contains(r.err, "U+00")) << r.err;
  }
  ASSERT_TRUE(sim_->WaitForClosedSessions(1));
  EXPECT_FALSE(sim_->WaitForClosedSessions(2, std::chrono::milliseconds(200)));
  EXPECT_TRUE(Contains(AllReceived(*sim_), "TEXT 10,10,\"5\",0,1,1,\"say \\[\"]hi\\[\"]\"\r\n"));
  EXPECT_EQ(sim_->Labels().size(), 1u);
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

TEST_F(RavoOnSim, RefusedValuesListTheValuesAllowed) {
  Start();
  const Result r = On({"params", "set", "paper_type=Paper"});
  EXPECT_EQ(r.code, kExitValidation);
  EXPECT_TRUE(Contains(r.err, "Auto, Label, Receipt, Black Mark")) << r.err;
  const Result range = On({"params", "set", "valley_threshold=300"});
  EXPECT_EQ(range.code, kExitOk) << range.err;  // clamped as the window clamps
  const Result number = On({"params", "set", "label_max_length=lots"});
  EXPECT_EQ(number.code, kExitValidation);
  EXPECT_TRUE(Contains(number.err, "not a valid whole number")) << number.err;
}

// The receipt model (the default) has no serial query in the library; the
// printer answered everything it was asked, so the command succeeds.
TEST_F(RavoOnSim, InfoOnAReceiptModelSaysThereIsNoSerialQuery) {
  Start({"--journey", "12345", "--firmware", "1.2.7"});
  std::ostringstream out, err;
  const int code =
      cli::Run({"info", "--port", port_, "--files", RAVO_SHIPPED_FILES_DIR}, out, err, nullptr);
  EXPECT_EQ(code, kExitOk) << err.str();
  EXPECT_TRUE(Contains(out.str(), "Serial number:   (this model has no serial number query)"))
      << out.str();
  EXPECT_TRUE(Contains(out.str(), "Printed length:  37.035 m")) << out.str();
  const Result r = Ravo({"info", "--port", port_});
  EXPECT_EQ(r.code, kExitOk);
  EXPECT_TRUE(r.data["serial"].is_null());
  EXPECT_EQ(r.data["serial_query"], false);
}

// The printer closes the connection after 50000 bytes; the rest of the file
// is lost whether the writes notice or not.
TEST(RavoDownload, DataThePrinterDroppedIsAFailureNamingTheStep) {
  SimProcess sim({"--model", "TQX58", "--flash-size", "4194304", "--close-after", "50000"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  const std::string port = sim.PortString("TIMEOUT_300");
  for (int size : {200 << 10, 2 << 20}) {
    const fs::path file = sim.StateDir().parent_path() /
                          ("ravo-drop-" + std::to_string(sim.Port()) + "-" + std::to_string(size));
    {
      std::ofstream out(file, std::ios::binary);
      const std::string head = "\"BIG.DAT\"," + std::to_string(size) + ",";
      out << head << std::string(size_t(size) - head.size(), 'x');
    }
    const Result r = Ravo({"files", "download", file.string(), "--port", port, "--model", "TQX58"});
    fs::remove(file);
    EXPECT_TRUE(r.code == kExitPort || r.code == kExitAnswer) << size << " " << r.code;
    EXPECT_EQ(r.data["ok"], false);
    const bool named = Contains(r.err, "stopped taking the data") ||
                       Contains(r.err, "does not list \"BIG.DAT\"") ||
                       Contains(r.err, "does not list BIG.DAT");
    EXPECT_TRUE(named) << r.err;
  }
  EXPECT_FALSE(fs::exists(sim.StateDir() / "flash" / "BIG.DAT"));
}

// A block answer that stops after 100 bytes is a short answer, not a wrong
// checksum.
TEST(RavoParams, BlockCutShortIsAShortAnswer) {
  ravo::utility::param::ParameterBlock block{};
  block[0] = ravo::utility::param::kBlockMarker;
  ravo::utility::param::SealParameterBlock(block);
  ravo::testing::LoopbackListener printer([&](const std::string &received) {
    if (received.find("ZZZCR\n") == std::string::npos) return std::string();
    return std::string(reinterpret_cast<const char *>(block.data()), 100);
  });
  const Result r =
      Ravo({"params", "get", "--port", printer.PortString("TIMEOUT_200"), "--model", "TQM"});
  EXPECT_EQ(r.code, kExitAnswer) << r.err;
  EXPECT_TRUE(Contains(r.err, "cut short")) << r.err;
}

// Every family, addressed by its model and by a printer type: get, set one
// field, read it back, see that only it changed, the backup, restore, diff.
struct FamilyCase {
  const char *simModel;
  const char *type;
  const char *family;
};

void PrintTo(const FamilyCase &c, std::ostream *out) {
  *out << c.family;
}

constexpr FamilyCase kFamilies[] = {
    {"TQX58", "VANTA-58", "TQX"}, {"TQM", "TQM-W", "TQM"}, {"TGV", "VT-640K", "TGV"},
    {"HMZ", "HMZ-W", "HMZ"},      {"Q73", "Q73-W", "Q73"},
};

class RavoParamsEveryFamily
    : public ::testing::TestWithParam<std::tuple<FamilyCase, bool /*byType*/>> {
 protected:
  void SetUp() override {
    const auto &[family, byType] = GetParam();
    sim_.emplace(std::vector<std::string>{"--model", family.simModel});
    ASSERT_TRUE(sim_->Running()) << sim_->Error();
    backups_ = sim_->StateDir().parent_path() / ("ravo-family-" + std::to_string(sim_->Port()));
    printer_ = {"--port",
                sim_->PortString("TIMEOUT_300"),
                byType ? "--type" : "--model",
                byType ? family.type : family.simModel,
                "--backup-dir",
                backups_.string()};
  }
  void TearDown() override { fs::remove_all(backups_); }

  Result On(std::vector<std::string> argv) const {
    argv.insert(argv.end(), printer_.begin(), printer_.end());
    return Ravo(argv);
  }

  std::optional<SimProcess> sim_;
  fs::path backups_;
  std::vector<std::string> printer_;
};

TEST_P(RavoParamsEveryFamily, GetSetReadBackRestoreDiff) {
  const FamilyCase &family = std::get<0>(GetParam());
  Result r = On({"params", "get"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["family"], family.family);
  const json before = r.data["fields"];
  ASSERT_TRUE(before.contains("density")) << before.dump();
  const std::string density = before["density"] == "9" ? "10" : "9";

  r = On({"params", "set", "density=" + density});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["changed"],
            json::array({{{"field", "density"}, {"from", before["density"]}, {"to", density}}}));
  ASSERT_TRUE(fs::exists(r.data["backup"].get<std::string>()));
  const std::string backup = r.data["backup"];

  r = On({"params", "get"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  json expected = before;
  expected["density"] = density;
  EXPECT_EQ(r.data["fields"], expected);  // that field and nothing else

  r = On({"params", "diff", backup, "printer"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["changed"],
            json::array({{{"field", "density"}, {"a", before["density"]}, {"b", density}}}));

  ASSERT_EQ(On({"params", "restore", backup}).code, kExitOk);
  r = On({"params", "diff", backup, "printer"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.data["changed"], json::array());
  EXPECT_EQ(On({"params", "get"}).data["fields"], before);
}

INSTANTIATE_TEST_SUITE_P(
    Families, RavoParamsEveryFamily,
    ::testing::Combine(::testing::ValuesIn(kFamilies), ::testing::Bool()),
    [](const ::testing::TestParamInfo<RavoParamsEveryFamily::ParamType> &info) {
      return std::string(std::get<0>(info.param).family) +
             (std::get<1>(info.param) ? "_ByType" : "_ByModel");
    });

TEST(RavoPorts, ListsEveryKind) {
  std::ostringstream out, err;
  const int code = cli::Run({"ports", "--json"}, out, err, nullptr);
  const json data = json::parse(out.str());
  EXPECT_TRUE(code == kExitOk || code == kExitPort) << err.str();
  for (const char *kind : {"serial", "parallel", "usb"}) EXPECT_TRUE(data[kind].is_array()) << kind;
}

}  // namespace
}  // namespace ravo::cli
