// CPCL image-file commands: what is checked before any decoding.
#include <gtest/gtest.h>

#include <string>

#include "command_test_support.h"
#include "pelican.h"

using prt::testing::FakePortScope;
using prt::testing::FakePrinter;

namespace {

TEST(CpclImage, PathsAreCheckedBeforeDecoding) {
  FakePortScope fake;
  FakePrinter printer(fake, "MC300");
  EXPECT_EQ(CPCL_AddImageA(printer.handle, 0, 0, 0, nullptr), PRT_ERR_PARAMETER);
  EXPECT_EQ(CPCL_AddImageW(printer.handle, 0, 0, 0, nullptr), PRT_ERR_PARAMETER);
  const std::string longest(259, 'p');
  EXPECT_EQ(CPCL_AddImageA(printer.handle, 0, 0, 0, (longest + "p").c_str()),
            PRT_ERR_BUFFER_TOO_SMALL);
  EXPECT_NE(CPCL_AddImageA(printer.handle, 0, 0, 0, longest.c_str()), PRT_ERR_BUFFER_TOO_SMALL);
  EXPECT_TRUE(printer.port.log.writes.empty());
  EXPECT_EQ(CPCL_AddImageA(nullptr, 0, 0, 0, "x.png"), PRT_ERR_INVALID_HANDLE);
  FakePrinter closed(fake, "MC300", false);
  EXPECT_EQ(CPCL_AddImageA(closed.handle, 0, 0, 0, "x.png"), PRT_ERR_PORT_NOT_OPEN);
}

}  // namespace
