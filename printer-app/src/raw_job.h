// Print-ready documents in the printer's own language (TSPL, CPCL, ESC/POS)
// go to the printer unchanged, once per copy.
#pragma once

#include <pappl/pappl.h>

#include <cstddef>

namespace ravo::app {

// Raw documents larger than this are refused rather than held in memory.
inline constexpr size_t kMaxRawBytes = 64u << 20;

// The driver's printfile callback.
bool PrintRawFile(pappl_job_t *job, pappl_pr_options_t *options, pappl_device_t *device);

// A papplSystemSetMIMECallback callback: names the format of a document
// sent as application/octet-stream from its first bytes (images, PWG and
// Apple raster, TSPL, CPCL, ESC/POS).  Never nothing: unknown data is
// "application/octet-stream", which no printer accepts.
const char *DetectFormat(const unsigned char *header, size_t size, void *data);

}  // namespace ravo::app
