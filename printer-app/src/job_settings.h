// What one job asks of the printer, taken from PAPPL's print options and
// the printer's configured values, in the units the command writers use.
#pragma once

#include <pappl/pappl.h>

#include <cstdint>

#include "media_sensing.h"

namespace ravo::app {

// The vendor option giving the gap (or black mark) between labels in mm.
inline constexpr const char *kGapOption = "ravo-label-gap";
inline constexpr int32_t kDefaultGapMm = 3;
inline constexpr int32_t kMaxGapMm = 25;

struct JobSettings {
  int32_t widthHmm = 0;  // media size in hundredths of a millimetre
  int32_t lengthHmm = 0;
  prt::MediaSensing sensing = prt::MediaSensing::kGap;
  int32_t gapHmm = kDefaultGapMm * 100;
  int32_t darkness = -1;  // 0..100; -1 when the printer has no darkness setting
  int32_t speedIps = 0;   // inches per second; 0 keeps the printer's own speed
  bool upsideDown = false;
  int32_t topOffsetDots = 0;  // moves the print down the label
  int32_t leftOffsetDots = 0;
  bool tearOff = false;
  int32_t tearOffsetHmm = 0;
  int32_t copies = 1;
};

// The printer-level values a job does not carry.
struct PrinterSetup {
  bool hasDarkness = false;
  int32_t darknessConfigured = 50;  // 0..100
  bool tearOffMode = false;
  int32_t tearOffsetHmm = 0;
};

PrinterSetup SetupOf(const pappl_pr_driver_data_t &driver);

JobSettings SettingsFor(const pappl_pr_options_t &options, const PrinterSetup &printer, int32_t dpi,
                        int32_t copies);

// Hundredths of a millimetre to dots, rounded to the nearest dot.
int32_t HmmToDots(int32_t hmm, int32_t dpi);

}  // namespace ravo::app
