// Parameter blocks on disk and where their backups go.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>

#include "block_files.h"
#include "context.h"
#include "exit_codes.h"

namespace ravo::cli {
namespace {

namespace fs = std::filesystem;

class BlockFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("ravo-block-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static Block Sound() {
    Block block{};
    block[0] = 0x78;
    block[34] = 7;
    ravo::utility::param::SealParameterBlock(block);
    return block;
  }

  fs::path dir_;
};

TEST_F(BlockFiles, SaveLoadRoundTrip) {
  const Block saved = Sound();
  ASSERT_TRUE(SaveBlockFile(dir_ / "a.bin", saved));
  Block loaded{};
  EXPECT_FALSE(LoadBlockFile(dir_ / "a.bin", loaded));
  EXPECT_EQ(loaded, saved);
}

TEST_F(BlockFiles, UnsoundFilesAreRefused) {
  Block badSum = Sound();
  badSum[34] = 8;  // checksum no longer matches
  Block badMarker = Sound();
  badMarker[0] = 0;
  ravo::utility::param::SealParameterBlock(badMarker);
  const std::string sound(reinterpret_cast<const char *>(Sound().data()), 256);
  const struct {
    const char *name;
    std::string bytes;
    int code;
  } cases[] = {
      {"sum", std::string(reinterpret_cast<const char *>(badSum.data()), 256), kExitValidation},
      {"marker", std::string(reinterpret_cast<const char *>(badMarker.data()), 256),
       kExitValidation},
      {"short", sound.substr(0, 255), kExitValidation},
      {"long", sound + "x", kExitValidation},
  };
  for (const auto &c : cases) {
    std::ofstream(dir_ / c.name, std::ios::binary) << c.bytes;
    Block block{};
    const auto failure = LoadBlockFile(dir_ / c.name, block);
    ASSERT_TRUE(failure) << c.name;
    EXPECT_EQ(failure->exitCode, c.code) << c.name;
    EXPECT_EQ(block, Block{}) << c.name;  // untouched
  }
  Block block{};
  EXPECT_EQ(LoadBlockFile(dir_ / "missing", block)->exitCode, kExitFile);
}

TEST_F(BlockFiles, BackupNamesAreSafeAndNeverReused) {
  const fs::path first = BackupPath(dir_, "TQX58", "SN/12 34");
  EXPECT_TRUE(std::regex_match(first.filename().string(),
                               std::regex(R"(TQX58-SN_12_34-\d{8}T\d{6}Z\.bin)")))
      << first;
  ASSERT_TRUE(SaveBlockFile(first, Sound()));
  const fs::path second = BackupPath(dir_, "TQX58", "SN/12 34");
  EXPECT_NE(second, first);
  EXPECT_EQ(BackupPath(dir_, "", "").filename().string().rfind("unknown-unknown-", 0), 0u);
}

TEST(BackupDirectory, OverrideThenXdgThenHome) {
  const char *savedXdg = std::getenv("XDG_DATA_HOME");
  const std::string xdg = savedXdg ? savedXdg : "";
  Args args;
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(BackupDirectory(args), fs::path("/data/ravo/backups"));
  setenv("XDG_DATA_HOME", "", 1);  // empty counts as unset
  const char *home = std::getenv("HOME");
  EXPECT_EQ(BackupDirectory(args), fs::path(home ? home : ".") / ".local/share/ravo/backups");
  args.options["backup-dir"] = "/elsewhere";
  EXPECT_EQ(BackupDirectory(args), fs::path("/elsewhere"));
  if (savedXdg) {
    setenv("XDG_DATA_HOME", xdg.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
}

}  // namespace
}  // namespace ravo::cli
