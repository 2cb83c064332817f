// Whole-page TSPL for the printer application: exact setup lines, the
// BITMAP block and PRINT, and what is refused without touching the buffer.
#include <gtest/gtest.h>

#include <string>

#include "command_buffer.h"
#include "command_test_support.h"
#include "model_table.h"
#include "printer.h"
#include "tspl_page.h"

using prt::testing::Hex;

namespace {

std::unique_ptr<prt::PrtCommandContext> Context(const char *model) {
  return prt::MakeCommandContext(*prt::FindModel(model));
}

std::string Pending(const prt::PrtCommandContext &ctx) {
  return std::string(ctx.buffer.begin(), ctx.buffer.begin() + ctx.used);
}

heron::PageSetup FourBySix() {
  heron::PageSetup s;
  s.widthHmm = 10160;
  s.lengthHmm = 15240;
  s.gapHmm = 300;
  return s;
}

TEST(TsplPageSetup, WritesTheLinesTheSetupAsksFor) {
  struct Row {
    const char *name;
    heron::PageSetup setup;
    std::string lines;
  };
  heron::PageSetup mark = FourBySix();
  mark.sensing = prt::MediaSensing::kBlackMark;
  mark.gapHmm = 250;
  heron::PageSetup continuous = FourBySix();
  continuous.sensing = prt::MediaSensing::kContinuous;
  heron::PageSetup everything = FourBySix();
  everything.widthHmm = 5000;
  everything.lengthHmm = 3005;
  everything.density = 15;
  everything.speed = 4;
  everything.direction = 1;
  everything.shiftDots = -24;
  everything.tearOff = true;
  everything.offsetHmm = -150;
  const Row rows[] = {
      {"gap labels, printer's own darkness and speed", FourBySix(),
       "SIZE 101.6mm,152.4mm\r\nGAP 3mm,0mm\r\nDIRECTION 0\r\nSET TEAR OFF\r\nCLS\r\n"},
      {"black mark", mark,
       "SIZE 101.6mm,152.4mm\r\nBLINE 2.5mm,0mm\r\nDIRECTION 0\r\nSET TEAR OFF\r\nCLS\r\n"},
      {"continuous", continuous,
       "SIZE 101.6mm,152.4mm\r\nGAP 0,0\r\nDIRECTION 0\r\nSET TEAR OFF\r\nCLS\r\n"},
      {"every option", everything,
       "SIZE 50mm,30.05mm\r\nGAP 3mm,0mm\r\nDIRECTION 1\r\nDENSITY 15\r\nSPEED 4\r\n"
       "SHIFT -24\r\nSET TEAR ON\r\nOFFSET -1.5mm\r\nCLS\r\n"},
  };
  for (const Row &row : rows) {
    auto ctx = Context("TQM");
    EXPECT_EQ(heron::AppendPageSetup(*ctx, row.setup), PRT_SUCCESS) << row.name;
    EXPECT_EQ(Pending(*ctx), row.lines) << row.name;
  }
}

TEST(TsplPageSetup, RefusesValuesOutsideTheirRangesAndOtherLanguages) {
  struct Row {
    const char *name;
    void (*change)(heron::PageSetup &);
    const char *model;
    int32_t result;
  };
  const Row rows[] = {
      {"zero width", [](heron::PageSetup &s) { s.widthHmm = 0; }, "TQM", PRT_ERR_PARAMETER},
      {"density 16", [](heron::PageSetup &s) { s.density = 16; }, "TQM", PRT_ERR_PARAMETER},
      {"speed 13", [](heron::PageSetup &s) { s.speed = 13; }, "TQM", PRT_ERR_PARAMETER},
      {"direction 2", [](heron::PageSetup &s) { s.direction = 2; }, "TQM", PRT_ERR_PARAMETER},
      {"shift", [](heron::PageSetup &s) { s.shiftDots = 1001; }, "TQM", PRT_ERR_PARAMETER},
      {"CPCL model", [](heron::PageSetup &) {}, "MC300", PRT_ERR_WRONG_PRINTER_TYPE},
  };
  for (const Row &row : rows) {
    auto ctx = Context(row.model);
    heron::PageSetup setup = FourBySix();
    row.change(setup);
    EXPECT_EQ(heron::AppendPageSetup(*ctx, setup), row.result) << row.name;
    EXPECT_EQ(ctx->used, 0u) << row.name;
  }
}

TEST(TsplPageSetup, TakesEveryLineBackWhenAFixedBufferFills) {
  auto ctx = Context("TQM");
  ctx->growable = false;
  ctx->buffer.assign(40, 0);
  EXPECT_EQ(heron::AppendPageSetup(*ctx, FourBySix()), PRT_ERR_BUFFER_TOO_SMALL);
  EXPECT_EQ(ctx->used, 0u);
}

TEST(TsplPageBitmap, GrowsTheBufferAndSendsHeaderRasterAndPrint) {
  auto ctx = Context("TQX58");
  prt::PrinterRaster raster;
  raster.rowBytes = 2;
  raster.height = 300;  // more than the initial 256-byte buffer holds
  raster.bytes.assign(600, 0x5A);
  ASSERT_EQ(heron::AppendBitmap(*ctx, 8, 16, 7, raster), PRT_SUCCESS);
  ASSERT_EQ(prt::EnsureRoom(*ctx, 32), PRT_SUCCESS);
  ASSERT_EQ(heron::AppendPrint(*ctx, 1, 3), PRT_SUCCESS);
  const std::string expected =
      "BITMAP 8,16,2,300,0\r\n" + std::string(600, '\x5A') + "PRINT 1,3\r\n";
  EXPECT_EQ(Hex(Pending(*ctx)), Hex(expected));
}

}  // namespace
