// What a printer driver tells PAPPL about a model: media, resolution,
// darkness and speed ranges, label modes, and the callbacks that print.
#pragma once

#include <pappl/pappl.h>

#include "model_drivers.h"

namespace ravo::app {

inline constexpr int kTsplDarknessLevels = 16;  // DENSITY 0..15
inline constexpr int kCpclDarknessLevels = 4;   // CONTRAST 0..3
inline constexpr int kHmmPerSecondPerIps = 2540;
inline constexpr int kOffsetRangeHmm = 1000;  // offsets up to 10 mm either way

// Fills `data` for the driver (everything but the callbacks and the
// extension).  Strings point into storage that lives as long as the process.
void DescribeDriver(const ModelDriver &driver, pappl_pr_driver_data_t &data);

// The driver's own printer attributes: the gap between labels (a vendor
// attribute of label printers) and the IPP Everywhere attributes PAPPL
// does not fill.
ipp_t *DriverAttributes(const ModelDriver &driver);

}  // namespace ravo::app
