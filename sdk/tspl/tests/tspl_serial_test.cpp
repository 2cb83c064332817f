// TSPL_GetSN: request, answer parsing and the caller's 32-byte area.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "command_test_support.h"
#include "heron.h"

using prt::testing::FakePortScope;
using prt::testing::FakePrinter;

namespace {

std::vector<uint8_t> Bytes(const std::string &s) {
  return {s.begin(), s.end()};
}

struct SerialCase {
  const char *name;
  std::vector<std::string> chunks;
  int32_t chunkError;
  int32_t result;
  std::string serial;
};

TEST(TsplGetSN, ParsesTheAnswerIntoTheCallersArea) {
  const std::string noNul(40, 'S');
  const SerialCase cases[] = {
      {"whole", {std::string("\x02RV2024A0001\0", 13)}, 0, 0, "RV2024A0001"},
      {"split", {"\x02RV20", std::string("24\0trailing", 11)}, 0, 0, "RV2024"},
      {"empty number", {std::string("\x02\0", 2)}, 0, 0, ""},
      {"nothing arrives", {}, 0, PRT_ERR_READ_TIMEOUT, ""},
      {"no terminator",
       {"\x02"
        "ABC"},
       0,
       PRT_ERR_READ_TIMEOUT,
       "ABC"},
      {"read fails",
       {"\x02"
        "AB"},
       -331,
       -331,
       "AB"},
      {"longer than the area", {noNul}, 0, PRT_ERR_READ_TIMEOUT, std::string(31, 'S')},
  };
  for (const SerialCase &c : cases) {
    FakePortScope fake;
    FakePrinter printer(fake, "TQM");
    for (const std::string &chunk : c.chunks) printer.port.script.chunks.push_back(Bytes(chunk));
    printer.port.script.chunkError = c.chunkError;
    char area[TSPL_SN_SIZE + 8];
    std::memset(area, '#', sizeof area);
    EXPECT_EQ(TSPL_GetSN(printer.handle, area), c.result) << c.name;
    EXPECT_EQ(printer.port.Delivered(), "ZZZGETSN\r\n") << c.name;
    EXPECT_EQ(std::string(area), c.serial) << c.name;
    // Nothing beyond the 32 bytes the caller promised.
    EXPECT_EQ(std::string(area + TSPL_SN_SIZE, 8), std::string(8, '#')) << c.name;
  }
}

TEST(TsplGetSN, FailedRequestLeavesTheAreaAlone) {
  FakePortScope fake;
  FakePrinter printer(fake, "TQM");
  printer.port.script.writeResults = {-321};
  printer.port.script.chunks.push_back(Bytes(std::string("\x02X\0", 3)));
  char area[TSPL_SN_SIZE] = "keep";
  EXPECT_EQ(TSPL_GetSN(printer.handle, area), -321);
  EXPECT_STREQ(area, "keep");
  EXPECT_EQ(printer.port.log.readChunkCalls, 0);
  EXPECT_EQ(TSPL_GetSN(printer.handle, nullptr), PRT_ERR_PARAMETER);
  FakePrinter receipt(fake, "KP330");
  EXPECT_EQ(TSPL_GetSN(receipt.handle, area), PRT_ERR_WRONG_PRINTER_TYPE);
  EXPECT_STREQ(area, "keep");
}

}  // namespace
