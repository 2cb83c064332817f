// Command-line parsing, hexadecimal input and the progress bar: the parts
// of ravo that need no printer.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "args.h"
#include "help.h"
#include "hex_bytes.h"
#include "progress.h"
#include "run.h"

namespace ravo::cli {
namespace {

TEST(Args, WordsOptionsAndFlagsInAnyOrder) {
  const ParseResult r =
      ParseArgs({"params", "--port", "NET,1.2.3.4", "set", "--json", "byte.4=1", "--model=TQM"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.args.words, (std::vector<std::string>{"params", "set", "byte.4=1"}));
  EXPECT_EQ(r.args.Value("port"), "NET,1.2.3.4");
  EXPECT_EQ(r.args.Value("model"), "TQM");
  EXPECT_TRUE(r.args.Has("json"));
  EXPECT_FALSE(r.args.Has("yes"));
}

TEST(Args, DoubleDashEndsOptions) {
  const ParseResult r = ParseArgs({"print-text", "--", "--not-an-option"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.args.Word(1), "--not-an-option");
}

TEST(Args, Refusals) {
  const struct {
    std::vector<std::string> argv;
    std::string error;
  } cases[] = {
      {{"test", "--bogus"}, "unknown option --bogus"},
      {{"test", "--port"}, "option --port needs a value"},
      {{"test", "--json=1"}, "option --json takes no value"},
  };
  for (const auto &c : cases) EXPECT_EQ(ParseArgs(c.argv).error, c.error) << c.argv.back();
}

TEST(Args, IntegersWithinRangeOnly) {
  EXPECT_EQ(ParseInteger("42", 0, 100), 42);
  EXPECT_EQ(ParseInteger("0", 0, 100), 0);
  for (const char *bad : {"", "-1", "101", "4x", " 4", "0x10"}) {
    EXPECT_FALSE(ParseInteger(bad, 0, 100)) << bad;
  }
}

TEST(HexBytes, WholeBytesInEveryPiece) {
  const struct {
    const char *text;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"1B 40", {0x1B, 0x40}},     {"1B,40\r\n", {0x1B, 0x40}},
      {"0x1b,0x40", {0x1B, 0x40}}, {"0X1B", {0x1B}},
      {"1B40", {0x1B, 0x40}},  // a piece may hold several bytes
      {"  0A\t0d ", {0x0A, 0x0D}},
  };
  for (const auto &c : cases) {
    const HexParse parsed = ParseHexBytes(c.text);
    EXPECT_TRUE(parsed.ok()) << c.text;
    EXPECT_EQ(parsed.bytes, c.bytes) << c.text;
  }
}

// Each form that used to send another byte than written is refused whole,
// naming the piece.
TEST(HexBytes, RefusedFormsNameThePiece) {
  const struct {
    const char *text;
    const char *bad;
  } cases[] = {
      {"100", "100"},      // odd digit count (sent 00)
      {"1B4", "1B4"},      // sent B4
      {"fff", "fff"},      // sent FF
      {"1B 0x", "0x"},     // a prefix without digits
      {"1B 0x4", "0x4"},   // half a byte after the prefix
      {"1B GG", "GG"},     // not hexadecimal
      {"0xx1B", "0xx1B"},  // one prefix only
      {"1B -40", "-40"},
  };
  for (const auto &c : cases) {
    const HexParse parsed = ParseHexBytes(c.text);
    EXPECT_FALSE(parsed.ok()) << c.text;
    EXPECT_EQ(parsed.badPiece, c.bad) << c.text;
    EXPECT_TRUE(parsed.bytes.empty()) << c.text;  // nothing half-converted
  }
  for (const char *empty : {"", " ", " , \r\n"}) {
    EXPECT_TRUE(ParseHexBytes(empty).empty) << '"' << empty << '"';
    EXPECT_FALSE(ParseHexBytes(empty).ok());
  }
}

TEST(Progress, RenderClampsAndScales) {
  EXPECT_EQ(ProgressBar::Render("dl", 0, 4, 4), "dl [    ]   0% 0/4");
  EXPECT_EQ(ProgressBar::Render("dl", 2, 4, 4), "dl [##  ]  50% 2/4");
  EXPECT_EQ(ProgressBar::Render("dl", 9, 4, 4), "dl [####] 100% 4/4");
  EXPECT_EQ(ProgressBar::Render("dl", 0, 0, 4), "dl [####] 100% 0/0");
}

TEST(Progress, SilentWithoutStream) {
  ProgressBar bar(nullptr, "x", 10);
  bar.Update(5);
  bar.Finish();
  std::ostringstream terminal;
  {
    ProgressBar drawn(&terminal, "x", 2);
    drawn.Update(1);
    drawn.Update(1);  // same figure: not redrawn
  }
  EXPECT_EQ(terminal.str(), "\r" + ProgressBar::Render("x", 0, 2, 30) + "\r" +
                                ProgressBar::Render("x", 1, 2, 30) + "\n");
}

int RunCaptured(const std::vector<std::string> &argv, std::string &out, std::string &err) {
  std::ostringstream o, e;
  const int code = Run(argv, o, e, nullptr);
  out = o.str();
  err = e.str();
  return code;
}

TEST(Help, EveryCommandHasItsOwnPage) {
  std::string general, err;
  ASSERT_EQ(RunCaptured({"--help"}, general, err), 0);
  for (const char *command : {"ports", "test", "info", "params", "print-image", "print-text",
                              "selftest", "learn", "factory-reset", "send", "files"}) {
    EXPECT_NE(general.find(std::string("  ") + command + " "), std::string::npos) << command;
    std::string page;
    EXPECT_EQ(RunCaptured({command, "--help"}, page, err), 0) << command;
    EXPECT_EQ(page.rfind(std::string("Usage: ravo ") + command, 0), 0u) << page;
    EXPECT_NE(page.find("Exit status:"), std::string::npos) << command;
  }
}

TEST(Help, UsageErrorsExitWithTwo) {
  std::string out, err;
  for (const std::vector<std::string> &argv :
       std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"test", "--nope"}}) {
    EXPECT_EQ(RunCaptured(argv, out, err), 2);
    EXPECT_NE(err.find("ravo: "), std::string::npos);
    EXPECT_EQ(out, "");
  }
  // With --json a script still gets a result to parse.
  ASSERT_EQ(RunCaptured({"test", "--json", "--nope"}, out, err), 2);
  const nlohmann::json result = nlohmann::json::parse(out);
  EXPECT_EQ(result["exit_code"], 2);
  EXPECT_EQ(result["error"], "unknown option --nope");
}

}  // namespace
}  // namespace ravo::cli
