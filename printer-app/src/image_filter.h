// Image documents (PNG, JPEG, GIF, BMP) are decoded by the SDK's decoders
// into the grey the SDK's rasterizer would dither; PAPPL scales the grey to
// the label and hands it to the raster callbacks, which dither it with the
// SDK's Floyd–Steinberg.  So an image the size of the label prints dot for
// dot as TSPL_BitMapA prints it.
#pragma once

#include <pappl/pappl.h>

namespace ravo::app {

// The image formats the filter reads.
inline constexpr const char *kImageFormats[] = {"image/png", "image/jpeg", "image/gif",
                                                "image/bmp"};

// A papplSystemAddMIMEFilter callback.
bool FilterImage(pappl_job_t *job, pappl_device_t *device, void *data);

}  // namespace ravo::app
