// The raster callbacks of the drivers: PAPPL hands over pages line by line
// (from PWG or Apple raster, or from the image filter); each page becomes
// dots, then commands in the printer's language, and the whole job goes to
// the printer when it ends.
#pragma once

#include <pappl/pappl.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "job_settings.h"
#include "model_drivers.h"
#include "page_raster.h"
#include "printer.h"

namespace ravo::app {

struct RasterJob {
  const ModelDriver *driver = nullptr;
  std::unique_ptr<prt::PrtCommandContext> commands;
  std::optional<PageAssembler> page;
  JobSettings settings;
  // Set by the image filter before it runs the callbacks: its lines are
  // already weighted grey, PAPPL must make one copy (the copies go to the
  // printer's own copy count), and a half-turn is the printer's job.
  bool prepared = false;
  std::optional<int32_t> copies;
  bool upsideDown = false;
  bool failed = false;  // a page could not be made: nothing is sent
};

// The job's raster state, made on first use and owned by the job until
// its end callback.
RasterJob *RasterJobOf(pappl_job_t *job);

// Drops the job's raster state (the end callback does it when it runs).
void ForgetRasterJob(pappl_job_t *job);

bool StartRasterJob(pappl_job_t *job, pappl_pr_options_t *options, pappl_device_t *device);
bool StartRasterPage(pappl_job_t *job, pappl_pr_options_t *options, pappl_device_t *device,
                     unsigned page);
bool WriteRasterLine(pappl_job_t *job, pappl_pr_options_t *options, pappl_device_t *device,
                     unsigned y, const unsigned char *line);
bool EndRasterPage(pappl_job_t *job, pappl_pr_options_t *options, pappl_device_t *device,
                   unsigned page);
bool EndRasterJob(pappl_job_t *job, pappl_pr_options_t *options, pappl_device_t *device);

}  // namespace ravo::app
