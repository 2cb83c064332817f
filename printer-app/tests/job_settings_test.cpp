// PAPPL's print options and the printer's configured values, as the
// command writers get them.
#include <gtest/gtest.h>

#include <cstring>

#include "job_settings.h"

namespace ravo::app {
namespace {

pappl_pr_options_t FourBySixOptions() {
  pappl_pr_options_t options{};
  options.media.size_width = 10160;
  options.media.size_length = 15240;
  options.media.tracking = PAPPL_MEDIA_TRACKING_GAP;
  std::strcpy(options.media.type, "labels");
  options.orientation_requested = IPP_ORIENT_PORTRAIT;
  return options;
}

TEST(JobSettings, MapsMediaTrackingAndTypeToSensing) {
  struct Row {
    pappl_media_tracking_t tracking;
    const char *type;
    prt::MediaSensing sensing;
    int32_t gapHmm;
  };
  const Row rows[] = {
      {PAPPL_MEDIA_TRACKING_GAP, "labels", prt::MediaSensing::kGap, 300},
      {PAPPL_MEDIA_TRACKING_MARK, "labels", prt::MediaSensing::kBlackMark, 300},
      {PAPPL_MEDIA_TRACKING_CONTINUOUS, "labels", prt::MediaSensing::kContinuous, 0},
      {PAPPL_MEDIA_TRACKING_GAP, "continuous", prt::MediaSensing::kContinuous, 0},
      {0, "labels", prt::MediaSensing::kGap, 300},
  };
  for (const Row &row : rows) {
    pappl_pr_options_t options = FourBySixOptions();
    options.media.tracking = row.tracking;
    std::strcpy(options.media.type, row.type);
    const JobSettings s = SettingsFor(options, PrinterSetup{}, 203, 1);
    EXPECT_EQ(s.sensing, row.sensing) << row.tracking << " " << row.type;
    EXPECT_EQ(s.gapHmm, row.gapHmm) << row.tracking << " " << row.type;
  }
}

TEST(JobSettings, DarknessSpeedOrientationOffsetsAndCopies) {
  pappl_pr_options_t options = FourBySixOptions();
  options.print_darkness = -30;
  options.print_speed = 4 * 2540 + 1000;  // nearest whole inch per second
  options.orientation_requested = IPP_ORIENT_REVERSE_LANDSCAPE;
  options.media.top_offset = -125;   // 1.25 mm up: 10 dots at 203 dpi
  options.media.left_offset = 1000;  // 10 mm: 80 dots
  PrinterSetup printer;
  printer.hasDarkness = true;
  printer.darknessConfigured = 50;
  printer.tearOffMode = true;
  printer.tearOffsetHmm = 200;
  const JobSettings s = SettingsFor(options, printer, 203, 4);
  EXPECT_EQ(s.widthHmm, 10160);
  EXPECT_EQ(s.lengthHmm, 15240);
  EXPECT_EQ(s.darkness, 20);
  EXPECT_EQ(s.speedIps, 4);
  EXPECT_TRUE(s.upsideDown);
  EXPECT_EQ(s.topOffsetDots, -10);
  EXPECT_EQ(s.leftOffsetDots, 80);
  EXPECT_TRUE(s.tearOff);
  EXPECT_EQ(s.tearOffsetHmm, 200);
  EXPECT_EQ(s.copies, 4);

  options.print_darkness = 90;  // beyond the configured level's room
  printer.tearOffMode = false;
  const JobSettings clamped = SettingsFor(options, printer, 203, 0);
  EXPECT_EQ(clamped.darkness, 100);
  EXPECT_FALSE(clamped.tearOff);
  EXPECT_EQ(clamped.tearOffsetHmm, 0);
  EXPECT_EQ(clamped.copies, 1);
  EXPECT_EQ(SettingsFor(options, PrinterSetup{}, 203, 1).darkness, -1);  // no darkness control
}

TEST(JobSettings, GapComesFromTheVendorOptionWithinItsRange) {
  struct Row {
    const char *value;
    int32_t gapHmm;
  };
  const Row rows[] = {{"2", 200}, {"0", 0}, {"99", kMaxGapMm * 100}, {"x", 300}, {"", 300}};
  for (const Row &row : rows) {
    pappl_pr_options_t options = FourBySixOptions();
    cups_option_t vendor{const_cast<char *>(kGapOption), const_cast<char *>(row.value)};
    options.num_vendor = 1;
    options.vendor = &vendor;
    EXPECT_EQ(SettingsFor(options, PrinterSetup{}, 203, 1).gapHmm, row.gapHmm) << row.value;
  }
}

}  // namespace
}  // namespace ravo::app
