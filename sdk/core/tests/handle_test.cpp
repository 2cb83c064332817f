// Handle creation, validation and port binding of the Prt family.
#include <gtest/gtest.h>

#include <string>

#include "command_buffer.h"
#include "fake_port.h"
#include "model_table.h"
#include "printer.h"
#include "prt.h"

using prt::testing::FakePortScope;

namespace {

std::u16string U16(const char16_t *s) { return s; }
const PrtWChar *W(const std::u16string &s) { return reinterpret_cast<const PrtWChar *>(s.c_str()); }

struct HandleGuard {
  PrtHandle h = nullptr;
  ~HandleGuard() {
    if (h != nullptr) PrtPrinterDestroy(h);
  }
};

TEST(ModelTable, KeepsTheFixedRowsAndTheGenericLastRow) {
  auto table = prt::ModelTable();
  ASSERT_EQ(table.size(), 99u);
  EXPECT_STREQ(table.front().name, "KP330");
  const auto &last = table.back();
  EXPECT_STREQ(last.name, "unknown");
  EXPECT_EQ(last.id, -1);
  EXPECT_EQ(last.capabilities, 0xFFFFFFFFu);
  EXPECT_EQ(last.widthDots, 0u);
  struct Row { const char *name; int32_t id; uint32_t caps; uint32_t width; };
  for (Row r : {Row{"KP330", 0x1001, 0x201, 576}, Row{"TQX58", 0x9601, 0x03, 384},
                Row{"TQX80", 0x9602, 0x03, 576}, Row{"TQM", 0x9603, 0x02, 864},
                Row{"TGV", 0x3001, 0x02, 864}, Row{"HMZ", 0x3103, 0x02, 848},
                Row{"Q73", 0x3108, 0x02, 864}}) {
    const prt::ModelRow *row = prt::FindModel(r.name);
    ASSERT_NE(row, nullptr) << r.name;
    EXPECT_EQ(row->id, r.id) << r.name;
    EXPECT_EQ(row->capabilities, r.caps) << r.name;
    EXPECT_EQ(row->widthDots, r.width) << r.name;
    EXPECT_EQ(std::string(row->displayName), std::string(row->brand) + " " + r.name);
  }
}

TEST(ModelTable, EveryIdKeepsItsCapabilitiesAndWidth) {
  // A model id's first row decides a handle's context, so rows sharing an
  // id must agree on width (capabilities may differ only for 0x9601/2).
  for (const prt::ModelRow &row : prt::ModelTable()) {
    const prt::ModelRow *first = prt::FindModelById(row.id);
    EXPECT_EQ(first->widthDots, row.widthDots) << row.name;
    if (row.id != 0x9601 && row.id != 0x9602) {
      EXPECT_EQ(first->capabilities, row.capabilities) << row.name;
    }
    EXPECT_EQ(std::string(row.description).rfind(row.displayName, 0), 0u) << row.name;
  }
}

TEST(Creator, ReportsBadArgumentsAndUnknownModels) {
  EXPECT_EQ(PrtPrinterCreatorA(nullptr, "TQM"), PRT_ERR_PARAMETER);
  PrtHandle h = reinterpret_cast<PrtHandle>(0x1);
  EXPECT_EQ(PrtPrinterCreatorA(&h, "tqm"), PRT_ERR_UNKNOWN_MODEL);  // case matters
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(PrtPrinterCreatorA(&h, "TQM "), PRT_ERR_UNKNOWN_MODEL);
  EXPECT_EQ(PrtPrinterCreatorS("nope"), nullptr);
  EXPECT_EQ(PrtPrinterCreatorW(&h, W(U16(u"TQ\u00e9"))), PRT_ERR_UNKNOWN_MODEL);
}

TEST(Creator, BuildsTheContextFromTheRow) {
  HandleGuard g;
  ASSERT_EQ(PrtPrinterCreatorW(&g.h, W(U16(u"TQX80"))), 0);
  ASSERT_NE(g.h, nullptr);
  EXPECT_EQ(g.h->signature, PRT_PRINTER_SIGNATURE);
  EXPECT_EQ(g.h->port, nullptr);
  EXPECT_EQ(g.h->portOpen, 0);
  const prt::PrtCommandContext &ctx = *g.h->context;
  EXPECT_EQ(ctx.modelId, 0x9602);
  EXPECT_EQ(ctx.modelName, "TQX80");
  EXPECT_EQ(ctx.flags, (0x9602u << 16) | 0x03u);
  EXPECT_EQ(ctx.capacity(), 256u);
  EXPECT_EQ(ctx.used, 0u);
  EXPECT_EQ(ctx.rasterWidth(), 576u);
}

TEST(Creator, WideNamesOfAnyLengthAreSafe) {
  std::u16string longName(5000, u'A');
  PrtHandle h = nullptr;
  EXPECT_EQ(PrtPrinterCreatorW(&h, W(longName)), PRT_ERR_UNKNOWN_MODEL);
  EXPECT_EQ(h, nullptr);
}

TEST(Handles, StaleAndForeignHandlesGiveMinus6) {
  PrtHandle h = PrtPrinterCreatorS("unknown");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(PrtPrinterDestroy(h), 0);
  EXPECT_EQ(PrtPrinterDestroy(h), PRT_ERR_INVALID_HANDLE);
  EXPECT_EQ(PrtPortClose(h), PRT_ERR_INVALID_HANDLE);
  EXPECT_EQ(PrtPortOpenA(h, "NET,127.0.0.1"), PRT_ERR_INVALID_HANDLE);
  int local = 0;
  auto foreign = reinterpret_cast<PrtHandle>(&local);
  EXPECT_EQ(PrtPortOpenW(foreign, nullptr), PRT_ERR_INVALID_HANDLE);
  uint8_t buf[4];
  int32_t n = 7;
  EXPECT_EQ(PrtWriteData(nullptr, buf, 1), PRT_ERR_INVALID_HANDLE);
  EXPECT_EQ(PrtReadData(foreign, buf, 4, &n), PRT_ERR_INVALID_HANDLE);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(PrtReadDataEOF(nullptr, buf, 0, 4, 0, 13, &n), PRT_ERR_INVALID_HANDLE);
}

TEST(Ports, DataFunctionsNeedAnOpenPort) {
  FakePortScope fake;
  HandleGuard g;
  ASSERT_EQ(PrtPrinterCreatorA(&g.h, "TQM"), 0);
  uint8_t buf[4] = {1, 2, 3, 4};
  int32_t n = 0;
  EXPECT_EQ(PrtWriteData(g.h, buf, 4), PRT_ERR_PORT_NOT_OPEN);
  EXPECT_EQ(PrtReadData(g.h, buf, 4, &n), PRT_ERR_PORT_NOT_OPEN);
  EXPECT_EQ(PrtReadDataEOF(g.h, buf, 0, 4, 0, 13, &n), PRT_ERR_PORT_NOT_OPEN);
  EXPECT_EQ(PrtPortClose(g.h), PRT_ERR_PORT_NOT_OPEN);
  fake.script.openResult = -352;
  EXPECT_EQ(PrtPortOpenA(g.h, "NET,10.0.0.1"), -352);
  EXPECT_EQ(PrtWriteData(g.h, buf, 4), PRT_ERR_PORT_NOT_OPEN);
  EXPECT_NE(g.h->port, nullptr);  // a failed port stays attached
}

TEST(Ports, CloseTwiceAndReopenWithoutClose) {
  FakePortScope fake;
  HandleGuard g;
  ASSERT_EQ(PrtPrinterCreatorA(&g.h, "TQM"), 0);
  ASSERT_EQ(PrtPortOpenA(g.h, "A"), 0);
  EXPECT_EQ(PrtPortClose(g.h), 0);
  EXPECT_EQ(PrtPortClose(g.h), PRT_ERR_PORT_NOT_OPEN);
  ASSERT_EQ(PrtPortOpenA(g.h, "B"), 0);
  std::u16string c = u"C";
  ASSERT_EQ(PrtPortOpenW(g.h, W(c)), 0);  // replaces B without closing it
  std::vector<std::string> expected = {"create:A", "open",    "close", "destroy",
                                       "create:B", "open",    "destroy", "create:C", "open"};
  EXPECT_EQ(fake.log.calls, expected);
  PrtPrinterDestroy(g.h);
  g.h = nullptr;
  EXPECT_EQ(fake.log.calls.back(), "destroy");  // destroy without close
}

TEST(Ports, CreatorErrorsPassThroughAndLongWideNamesFail) {
  FakePortScope fake;
  HandleGuard g;
  ASSERT_EQ(PrtPrinterCreatorA(&g.h, "TQM"), 0);
  fake.script.createResult = -301;
  EXPECT_EQ(PrtPortOpenA(g.h, "bogus"), -301);
  EXPECT_EQ(g.h->port, nullptr);
  std::u16string longPort(300, u'x');
  EXPECT_EQ(PrtPortOpenW(g.h, W(longPort)), PRT_ERR_PARAMETER);
  EXPECT_EQ(PrtPortOpenA(g.h, nullptr), PRT_ERR_PARAMETER);
}

TEST(CommandBuffer, FailedWriteKeepsBytesForTheNextCommand) {
  FakePortScope fake;
  HandleGuard g;
  ASSERT_EQ(PrtPrinterCreatorA(&g.h, "TQM"), 0);
  ASSERT_EQ(PrtPortOpenA(g.h, "X"), 0);
  auto &ctx = *g.h->context;
  fake.script.writeResults = {-321, 0};
  ASSERT_EQ(prt::AppendCommand(ctx, "CLS\r\n"), 0);
  EXPECT_EQ(prt::FlushCommandBuffer(*g.h), -321);
  EXPECT_EQ(ctx.used, 5u);
  ASSERT_EQ(prt::AppendCommand(ctx, "PRINT 1\r\n"), 0);
  EXPECT_EQ(prt::FlushCommandBuffer(*g.h), 0);
  EXPECT_EQ(ctx.used, 0u);
  EXPECT_EQ(fake.Delivered(), "CLS\r\nPRINT 1\r\n");
}

TEST(CommandBuffer, AppendRefusesWhatDoesNotFitAndGrowthRoundsUp) {
  prt::PrtCommandContext ctx;
  ctx.buffer.assign(256, 0);
  std::string big(257, 'x');
  EXPECT_EQ(prt::AppendCommand(ctx, big), PRT_ERR_BUFFER_TOO_SMALL);
  EXPECT_EQ(ctx.used, 0u);
  ASSERT_EQ(prt::AppendCommand(ctx, std::string(250, 'a')), 0);
  EXPECT_EQ(prt::GrowCommandBuffer(ctx, 0), 0);
  EXPECT_EQ(ctx.capacity(), 256u);
  EXPECT_EQ(prt::GrowCommandBuffer(ctx, 1), 0);
  EXPECT_EQ(ctx.capacity(), 384u);
  EXPECT_EQ(prt::EnsureRoom(ctx, 300), 0);  // 134 free, 166 more -> 256
  EXPECT_EQ(ctx.capacity(), 640u);
  EXPECT_EQ(ctx.buffer[0], 'a');
  EXPECT_EQ(ctx.buffer[639], 0);
}

TEST(RawData, WriteAndReadPassThroughThePort) {
  FakePortScope fake;
  HandleGuard g;
  ASSERT_EQ(PrtPrinterCreatorA(&g.h, "TQM"), 0);
  ASSERT_EQ(PrtPortOpenA(g.h, "X"), 0);
  const uint8_t cmd[] = {0x1B, 0x21, 0x52};
  EXPECT_EQ(PrtWriteData(g.h, cmd, 3), 0);
  EXPECT_EQ(fake.Delivered(), "\x1B\x21\x52");
  EXPECT_EQ(PrtWriteData(g.h, nullptr, 3), PRT_ERR_PARAMETER);
  fake.script.chunks = {{'O', 'K', '\r'}};
  uint8_t buf[2];
  int32_t n = -1;
  EXPECT_EQ(PrtReadData(g.h, buf, 2, &n), 0);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(buf[0], 'O');
  EXPECT_EQ(PrtReadData(g.h, buf, 2, nullptr), PRT_ERR_PARAMETER);
}

}  // namespace
