// Whole-label CPCL for the printer application: header and settings,
// graphics block, label end, and what is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_test_support.h"
#include "cpcl_page.h"
#include "model_table.h"
#include "printer.h"

using prt::testing::Hex;

namespace {

std::unique_ptr<prt::PrtCommandContext> Context(const char *model) {
  return prt::MakeCommandContext(*prt::FindModel(model));
}

std::string Pending(const prt::PrtCommandContext &ctx) {
  return std::string(ctx.buffer.begin(), ctx.buffer.begin() + ctx.used);
}

TEST(CpclPage, WritesHeaderSettingsGraphicsAndEndPerSensing) {
  struct Row {
    const char *name;
    prt::MediaSensing sensing;
    int32_t contrast;
    int32_t speed;
    std::string start;
    std::string end;
  };
  const Row rows[] = {
      {"gap labels", prt::MediaSensing::kGap, 2, 3,
       "! 0 200 200 240 2\r\nPAGE-WIDTH 576\r\nCONTRAST 2\r\nSPEED 3\r\nGAP-SENSE\r\n",
       "\r\nFORM\r\nPRINT\r\n"},
      {"black mark, printer's own settings", prt::MediaSensing::kBlackMark, -1, -1,
       "! 0 200 200 240 2\r\nPAGE-WIDTH 576\r\nBAR-SENSE\r\n", "\r\nFORM\r\nPRINT\r\n"},
      {"continuous paper", prt::MediaSensing::kContinuous, -1, -1,
       "! 0 200 200 240 2\r\nPAGE-WIDTH 576\r\n", "\r\nPRINT\r\n"},
  };
  const std::vector<uint8_t> raster = {0x0F, 0xF0, 0x00, 0xFF};
  for (const Row &row : rows) {
    auto ctx = Context("MC300");
    pelican::LabelSetup setup;
    setup.heightDots = 240;
    setup.copies = 2;
    setup.pageWidthDots = 576;
    setup.sensing = row.sensing;
    setup.contrast = row.contrast;
    setup.speed = row.speed;
    ASSERT_EQ(pelican::AppendLabelStart(*ctx, setup), PRT_SUCCESS) << row.name;
    pelican::GraphicsBlock block;
    block.widthBytes = 2;
    block.height = 2;
    block.x = 4;
    block.y = 9;
    block.raster = raster.data();
    ASSERT_EQ(pelican::AppendGraphics(*ctx, block), PRT_SUCCESS) << row.name;
    ASSERT_EQ(pelican::AppendLabelEnd(*ctx, row.sensing), PRT_SUCCESS) << row.name;
    const std::string expected = row.start + "COMPRESSED-GRAPHICS 2 2 4 9 " +
                                 std::string(raster.begin(), raster.end()) + row.end;
    EXPECT_EQ(Hex(Pending(*ctx)), Hex(expected)) << row.name;
  }
}

TEST(CpclPage, RefusesWhatTheHeaderCannotCarryAndOtherLanguages) {
  struct Row {
    const char *name;
    const char *model;
    int32_t height;
    int32_t copies;
    int32_t contrast;
    int32_t result;
  };
  const Row rows[] = {
      {"no height", "MC300", 0, 1, -1, PRT_ERR_PARAMETER},
      {"no copies", "MC300", 100, 0, -1, PRT_ERR_PARAMETER},
      {"contrast 4", "MC300", 100, 1, 4, PRT_ERR_PARAMETER},
      {"TSPL model", "TQM", 100, 1, -1, PRT_ERR_WRONG_PRINTER_TYPE},
  };
  for (const Row &row : rows) {
    auto ctx = Context(row.model);
    pelican::LabelSetup setup;
    setup.heightDots = row.height;
    setup.copies = row.copies;
    setup.contrast = row.contrast;
    EXPECT_EQ(pelican::AppendLabelStart(*ctx, setup), row.result) << row.name;
    EXPECT_EQ(ctx->used, 0u) << row.name;
  }
}

TEST(CpclPage, TakesTheHeaderBackWhenAFixedBufferFills) {
  auto ctx = Context("MC300");
  ctx->growable = false;
  ctx->buffer.assign(30, 0);
  pelican::LabelSetup setup;
  setup.heightDots = 240;
  setup.pageWidthDots = 576;
  EXPECT_EQ(pelican::AppendLabelStart(*ctx, setup), PRT_ERR_BUFFER_TOO_SMALL);
  EXPECT_EQ(ctx->used, 0u);
}

TEST(CpclPage, GraphicsWiderThanTheHeadAreRefused) {
  auto ctx = Context("MC300");  // 576 dots: 72 bytes a row
  std::vector<uint8_t> raster(73, 0);
  pelican::GraphicsBlock block;
  block.widthBytes = 73;
  block.height = 1;
  block.raster = raster.data();
  EXPECT_EQ(pelican::AppendGraphics(*ctx, block), PRT_ERR_IMAGE_SIZE);
  EXPECT_EQ(ctx->used, 0u);
}

}  // namespace
