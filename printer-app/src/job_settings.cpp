#include "job_settings.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

namespace ravo::app {
namespace {

constexpr int32_t kHmmPerInch = 2540;

prt::MediaSensing SensingOf(const pappl_media_col_t &media) {
  if ((media.tracking & PAPPL_MEDIA_TRACKING_MARK) != 0) return prt::MediaSensing::kBlackMark;
  if ((media.tracking & PAPPL_MEDIA_TRACKING_CONTINUOUS) != 0 ||
      std::strcmp(media.type, "continuous") == 0) {
    return prt::MediaSensing::kContinuous;
  }
  return prt::MediaSensing::kGap;
}

int32_t GapHmm(const pappl_pr_options_t &options) {
  const char *value = cupsGetOption(kGapOption, options.num_vendor, options.vendor);
  if (value == nullptr) return kDefaultGapMm * 100;
  std::string_view text(value);
  int32_t mm = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), mm);
  if (ec != std::errc() || end != text.data() + text.size()) return kDefaultGapMm * 100;
  return std::clamp(mm, 0, kMaxGapMm) * 100;
}

bool UpsideDown(ipp_orient_t orientation) {
  return orientation == IPP_ORIENT_REVERSE_PORTRAIT || orientation == IPP_ORIENT_REVERSE_LANDSCAPE;
}

}  // namespace

int32_t HmmToDots(int32_t hmm, int32_t dpi) {
  const int64_t scaled = static_cast<int64_t>(hmm) * dpi;
  const int64_t half = kHmmPerInch / 2;
  return static_cast<int32_t>(scaled >= 0 ? (scaled + half) / kHmmPerInch
                                          : -((-scaled + half) / kHmmPerInch));
}

PrinterSetup SetupOf(const pappl_pr_driver_data_t &driver) {
  PrinterSetup setup;
  setup.hasDarkness = driver.darkness_supported > 0;
  setup.darknessConfigured = driver.darkness_configured;
  setup.tearOffMode = (driver.mode_configured & PAPPL_LABEL_MODE_TEAR_OFF) != 0;
  setup.tearOffsetHmm = driver.tear_offset_configured;
  return setup;
}

JobSettings SettingsFor(const pappl_pr_options_t &options, const PrinterSetup &printer, int32_t dpi,
                        int32_t copies) {
  JobSettings s;
  s.widthHmm = options.media.size_width;
  s.lengthHmm = options.media.size_length;
  s.sensing = SensingOf(options.media);
  s.gapHmm = s.sensing == prt::MediaSensing::kContinuous ? 0 : GapHmm(options);
  if (printer.hasDarkness) {
    s.darkness = std::clamp(printer.darknessConfigured + options.print_darkness, 0, 100);
  }
  s.speedIps = std::max(0, (options.print_speed + kHmmPerInch / 2) / kHmmPerInch);
  s.upsideDown = UpsideDown(options.orientation_requested);
  s.topOffsetDots = HmmToDots(options.media.top_offset, dpi);
  s.leftOffsetDots = HmmToDots(options.media.left_offset, dpi);
  s.tearOff = printer.tearOffMode;
  s.tearOffsetHmm = printer.tearOffMode ? printer.tearOffsetHmm : 0;
  s.copies = std::max(1, copies);
  return s;
}

}  // namespace ravo::app
