// The read-until-a-terminating-byte loop of PrtReadDataEOF.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bounded_child.h"
#include "fake_port.h"
#include "prt.h"

using prt::testing::FakePortScope;

namespace {

class ReadEof : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(PrtPrinterCreatorA(&h, "TQX58"), 0);
    ASSERT_EQ(PrtPortOpenA(h, "X"), 0);
  }
  void TearDown() override { PrtPrinterDestroy(h); }

  void Queue(std::initializer_list<std::string> chunks) {
    for (const std::string &c : chunks) fake.script.chunks.emplace_back(c.begin(), c.end());
  }

  FakePortScope fake;
  PrtHandle h = nullptr;
  uint8_t buf[64] = {};
  int32_t stored = -1;
};

TEST_F(ReadEof, StoresFromTheFirstByteUpToAndWithTheEndByte) {
  Queue({"12", "34\rXY"});
  EXPECT_EQ(PrtReadDataEOF(h, buf, 0, 64, 0, '\r', &stored), 0);
  EXPECT_EQ(stored, 5);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(buf), 5), "1234\r");
}

TEST_F(ReadEof, SkipsUntilTheBeginByteWhichIsNotStored) {
  Queue({"noise#ab", "c;tail"});
  EXPECT_EQ(PrtReadDataEOF(h, buf, 10, 64, '#', ';', &stored), 0);
  EXPECT_EQ(stored, 4);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(buf + 10), 4), "abc;");
  EXPECT_EQ(buf[9], 0);
}

TEST_F(ReadEof, GivesUpAfterElevenReadsWithTheCountOfWhatArrived) {
  Queue({"ab"});
  EXPECT_EQ(PrtReadDataEOF(h, buf, 0, 64, 0, '\r', &stored), PRT_ERR_READ_TIMEOUT);
  EXPECT_EQ(stored, 2);
  EXPECT_EQ(fake.log.readChunkCalls, 11);
}

TEST_F(ReadEof, BeginByteThatNeverArrivesStoresNothing) {
  Queue({"abc", "def"});
  EXPECT_EQ(PrtReadDataEOF(h, buf, 0, 64, '#', '\r', &stored), PRT_ERR_READ_TIMEOUT);
  EXPECT_EQ(stored, 0);
}

TEST_F(ReadEof, AReadErrorEndsTheLoopAtOnce) {
  Queue({"ab"});
  fake.script.chunkError = -331;
  EXPECT_EQ(PrtReadDataEOF(h, buf, 0, 64, 0, '\r', &stored), -331);
  EXPECT_EQ(stored, 2);
  EXPECT_EQ(fake.log.readChunkCalls, 2);
}

TEST_F(ReadEof, NeverStoresMoreThanTheRoom) {
  Queue({"abcdefgh\r"});
  EXPECT_EQ(PrtReadDataEOF(h, buf, 60, 64, 0, '\r', &stored), 0);
  EXPECT_EQ(stored, 4);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(buf + 60), 4), "abcd");
}

TEST_F(ReadEof, BadRangesAndPointersAreRefused) {
  EXPECT_EQ(PrtReadDataEOF(h, buf, 10, 5, 0, '\r', &stored), PRT_ERR_PARAMETER);
  EXPECT_EQ(PrtReadDataEOF(h, buf, -1, 5, 0, '\r', &stored), PRT_ERR_PARAMETER);
  EXPECT_EQ(PrtReadDataEOF(h, nullptr, 0, 5, 0, '\r', &stored), PRT_ERR_PARAMETER);
  EXPECT_EQ(PrtReadDataEOF(h, buf, 0, 5, 0, '\r', nullptr), PRT_ERR_PARAMETER);
  EXPECT_EQ(fake.log.readChunkCalls, 0);
}

}  // namespace

// The room may be as large as the caller likes; memory follows what
// arrives, not the room.
TEST_F(ReadEof, HugeRoomTakesNoMemoryUpFront) {
  if (prt::testing::kAddressSanitizer) GTEST_SKIP() << "the sanitizer needs the address space";
  Queue({"12", "34\rXY"});
  const auto result = prt::testing::RunBounded({uint64_t{256} << 20, 10}, [&] {
    int32_t rc = PrtReadDataEOF(h, buf, 0, INT32_MAX, 0, '\r', &stored);
    return rc != 0 ? rc : stored;
  });
  EXPECT_EQ(result, 5);
}

// Whatever the room, the bytes that are waiting are all taken in one read
// of the loop, as with a single read of the room's size.
TEST_F(ReadEof, LongAnswersArriveWholeWithinOneRead) {
  std::string answer(10000, 'a');
  answer += '\r';
  Queue({answer});
  std::vector<uint8_t> big(20000);
  EXPECT_EQ(PrtReadDataEOF(h, big.data(), 0, 20000, 0, '\r', &stored), 0);
  EXPECT_EQ(stored, 10001);
  EXPECT_EQ(std::string(big.begin(), big.begin() + stored), answer);
}
