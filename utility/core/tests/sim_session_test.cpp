// The printer conversations against the virtual printer over real sockets.
#include <gtest/gtest.h>

#include <string>

#include "mdl_global.h"
#include "printer_service.h"
#include "sim_process.h"

using namespace ravo::utility;
using ravo::sim::SimProcess;

namespace {

std::string Received(const SimProcess &sim) {
  std::string all;
  for (const auto &s : sim.Sessions()) all.append(s.bytes.begin(), s.bytes.end());
  return all;
}

PrinterTarget TargetOf(const SimProcess &sim, const char *model) {
  return {QString::fromStdString(sim.PortString()), QLatin1String(model), {}};
}

TEST(SimSession, SelfTestAndSerialNumberThroughHeron) {
  SimProcess sim({"--model", "TQM", "--serial", "RV2024150017"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  const PrinterService service(TargetOf(sim, "TQM"));
  EXPECT_TRUE(service.ConfigurationPrint(CommandSet::Zzz).ok());
  const auto serial = service.ReadSerialNumber();
  ASSERT_TRUE(serial.ok());
  EXPECT_EQ(serial.value, "RV2024150017");
  ASSERT_TRUE(sim.WaitForClosedSessions(2));
  const std::string wire = Received(sim);
  EXPECT_NE(wire.find("SELFTEST\r\n"), std::string::npos);
  EXPECT_NE(wire.find("ZZZGETSN"), std::string::npos);
  EXPECT_EQ(sim.Labels().size(), 1u);
}

TEST(SimSession, BlockSplitIntoPiecesIsReadWholeAfterTheProbe) {
  SimProcess sim({"--model", "TQX58", "--split", "100,100,56", "--split-pause-ms", "30"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  const auto read = PrinterService(TargetOf(sim, "TQX58")).ReadParameterBlock(std::nullopt);
  ASSERT_TRUE(read.ok()) << int(read.result.message) << " " << read.result.code;
  EXPECT_EQ(read.value.probeAnswer, uint8_t{1});
  EXPECT_EQ(read.value.block[0], 0x78);
  ASSERT_TRUE(sim.WaitForClosedSessions(1));
  EXPECT_EQ(sim.Sessions().size(), 1u);  // probe and read share one connection
}

}  // namespace
