// The session layer against the virtual printer over real sockets.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "mdl_global.h"
#include "mdl_printer_lib_tspl.h"
#include "parameter_exchange.h"
#include "sim_process.h"

using namespace mdlPrinterLib_TSPL;
using ravo::sim::SimProcess;

namespace {

std::string Received(const SimProcess &sim) {
  std::string all;
  for (const auto &s : sim.Sessions()) all.append(s.bytes.begin(), s.bytes.end());
  return all;
}

TEST(SimSession, SelfTestAndSerialNumberThroughHeron) {
  SimProcess sim({"--model", "TQM", "--serial", "RV2024150017"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  ASSERT_EQ(TsplCreatePrinter("TQM"), 0);
  ASSERT_EQ(TsplOpenPort(QString::fromStdString(sim.PortString())), 0);
  EXPECT_EQ(TsplSelfTest(), 0);
  char serial[32];
  std::memset(serial, 0x55, sizeof serial);
  EXPECT_EQ(TsplGetSN(serial), 0);
  EXPECT_EQ(TsplClosePort(), 0);
  ASSERT_TRUE(sim.WaitForClosedSessions(1));
  EXPECT_NE(std::string(serial, strnlen(serial, sizeof serial)).find("RV2024150017"),
            std::string::npos);
  std::string wire = Received(sim);
  EXPECT_NE(wire.find("SELFTEST\r\n"), std::string::npos);
  EXPECT_NE(wire.find("ZZZGETSN"), std::string::npos);
}

TEST(SimSession, BlockSplitIntoPiecesIsReadWhole) {
  SimProcess sim({"--model", "TQX58", "--split", "100,100,56", "--split-pause-ms", "30"});
  ASSERT_TRUE(sim.Running()) << sim.Error();
  ASSERT_EQ(TsplCreatePrinter("TQX58"), 0);
  mdlGlobal::CommandModeFlag = 1;
  mdlGlobal::SelectedPort = QString::fromStdString(sim.PortString());
  ParameterBlock block{};
  BlockResult r = ReadParameterBlock(block);
  EXPECT_TRUE(r.ok) << r.messageKey.toStdString() << " " << r.code;
  EXPECT_EQ(block[0], 0x78);
}

}  // namespace
