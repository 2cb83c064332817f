// The media a printer offers: common label sizes that fit its print
// width, or receipt rolls of its paper width, as PWG media names, plus the
// range of custom sizes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model_drivers.h"

namespace ravo::app {

struct MediaChoice {
  std::vector<std::string> names;  // fixed sizes, then roll_max_… and roll_min_…
  std::string defaultName;
  int32_t defaultWidthHmm = 0;
  int32_t defaultLengthHmm = 0;
  // Paper beside the head on each side (receipts: the head is centred).
  int32_t sideMarginHmm = 0;
};

// Print width of a model in hundredths of a millimetre.
int32_t PrintWidthHmm(const prt::ModelRow &row);

// Labels are offered when they are at most 10 mm wider than the print
// width (the head prints their left part); receipt printers get rolls of
// the narrowest common paper width at least 3 mm wider than the print.
MediaChoice MediaFor(const prt::ModelRow &row, Language language);

}  // namespace ravo::app
