#include "raster_job.h"

#include <span>

#include "delivery.h"
#include "job_claim.h"
#include "job_order.h"
#include "page_writer.h"
#include "printer_extension.h"

namespace ravo::app {
namespace {

const ModelDriver *DriverOf(pappl_job_t *job) {
  PrinterExtension *extension = ExtensionOf(papplJobGetPrinter(job));
  return extension != nullptr ? extension->driver : nullptr;
}

PrinterSetup PrinterSetupOf(pappl_job_t *job) {
  pappl_pr_driver_data_t data;
  papplPrinterGetDriverData(papplJobGetPrinter(job), &data);
  return SetupOf(data);
}

}  // namespace

void ForgetRasterJob(pappl_job_t *job) {
  std::unique_ptr<RasterJob> owned(static_cast<RasterJob *>(papplJobGetData(job)));
  papplJobSetData(job, nullptr);
}

RasterJob *RasterJobOf(pappl_job_t *job) {
  auto *state = static_cast<RasterJob *>(papplJobGetData(job));
  if (state == nullptr) {
    state = new RasterJob;
    papplJobSetData(job, state);
  }
  return state;
}

// A job's second thread reads its raster through and leaves it alone.
bool StartRasterJob(pappl_job_t *job, pappl_pr_options_t *options, pappl_device_t *) {
  if (!ClaimJob(job)) return true;
  JobStarting(job);
  RasterJob *state = RasterJobOf(job);
  state->driver = DriverOf(job);
  if (state->driver == nullptr) {
    papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "The printer has no driver of this application.");
    ReleaseJob(job);  // PAPPL ends the job here
    return false;
  }
  state->commands = prt::MakeCommandContext(*state->driver->row);
  if (!state->copies) state->copies = options->copies;
  return true;
}

bool StartRasterPage(pappl_job_t *job, pappl_pr_options_t *options, pappl_device_t *, unsigned) {
  if (IsSecondThread()) return true;
  RasterJob *state = RasterJobOf(job);
  const cups_page_header2_t &header = options->header;
  const auto format = LineFormatOf(header, state->prepared);
  if (state->commands == nullptr || !format) {
    state->failed = true;
    papplLogJob(job, PAPPL_LOGLEVEL_ERROR,
                "Unsupported raster: %u bits per pixel, colour space %d.", header.cupsBitsPerPixel,
                static_cast<int>(header.cupsColorSpace));
    JobEnding(job);  // the job ends here
    return false;
  }
  papplLogJob(job, PAPPL_LOGLEVEL_DEBUG,
              "Page of %ux%u, %u bits per pixel, %u bytes a line, colour space %d.",
              header.cupsWidth, header.cupsHeight, header.cupsBitsPerPixel, header.cupsBytesPerLine,
              static_cast<int>(header.cupsColorSpace));
  const auto dpi = static_cast<int32_t>(state->driver->row->dotsPerInch);
  state->settings = SettingsFor(*options, PrinterSetupOf(job), dpi, state->copies.value_or(1));
  if (state->upsideDown) state->settings.upsideDown = true;
  const uint32_t headWidth = state->commands->rasterWidth();
  state->page.emplace(header.cupsWidth, header.cupsHeight, *format, headWidth,
                      FirstHeadColumn(state->driver->language, header.cupsWidth, headWidth));
  return true;
}

bool WriteRasterLine(pappl_job_t *job, pappl_pr_options_t *, pappl_device_t *, unsigned,
                     const unsigned char *line) {
  if (IsSecondThread()) return true;
  RasterJob *state = RasterJobOf(job);
  if (!state->page) return false;
  state->page->AddLine(line);
  return true;
}

bool EndRasterPage(pappl_job_t *job, pappl_pr_options_t *, pappl_device_t *, unsigned page) {
  if (IsSecondThread()) return true;
  RasterJob *state = RasterJobOf(job);
  if (!state->page || state->commands == nullptr) return false;
  const PageRaster raster = state->page->Take();
  state->page.reset();
  const int32_t rc = AppendPage(*state->commands, state->driver->language, state->settings, raster);
  if (rc != PRT_SUCCESS) {
    state->failed = true;
    papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "Page %u cannot be printed: result %d.", page, rc);
    JobEnding(job);
    return false;
  }
  return true;
}

bool EndRasterJob(pappl_job_t *job, pappl_pr_options_t *, pappl_device_t *device) {
  if (IsSecondThread()) return true;
  RasterJob *state = RasterJobOf(job);
  bool sent = false;
  if (state->commands != nullptr && !state->failed) {
    sent =
        DeliverJob(job, device, std::span(state->commands->buffer.data(), state->commands->used));
  }
  ForgetRasterJob(job);
  JobEnding(job);
  ReleaseJob(job);
  return sent;
}

}  // namespace ravo::app
