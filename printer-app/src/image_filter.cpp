#include "image_filter.h"

#include <cstdio>
#include <limits>
#include <memory>

#include "image/grey_image.h"
#include "job_claim.h"
#include "job_order.h"
#include "printer_extension.h"
#include "raster_job.h"

namespace ravo::app {
namespace {

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};

uint64_t MaxPixels(pappl_job_t *job) {
  int maxWidth = 0;
  int maxHeight = 0;
  const size_t maxBytes = papplSystemGetMaxImageSize(papplPrinterGetSystem(papplJobGetPrinter(job)),
                                                     &maxWidth, &maxHeight);
  const uint64_t byArea = uint64_t(std::max(maxWidth, 0)) * uint64_t(std::max(maxHeight, 0));
  return std::min<uint64_t>(maxBytes, byArea == 0 ? maxBytes : byArea);
}

// The half-turn is left to the printer (TSPL DIRECTION); PAPPL places the
// image for the orientation without it.
ipp_orient_t WithoutHalfTurn(ipp_orient_t orientation) {
  if (orientation == IPP_ORIENT_REVERSE_PORTRAIT) return IPP_ORIENT_PORTRAIT;
  if (orientation == IPP_ORIENT_REVERSE_LANDSCAPE) return IPP_ORIENT_LANDSCAPE;
  return orientation;
}

bool Fail(pappl_job_t *job, const char *why, int32_t rc) {
  papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "%s (result %d).", why, rc);
  papplJobSetReasons(job, PAPPL_JREASON_DOCUMENT_FORMAT_ERROR, PAPPL_JREASON_NONE);
  return false;
}

}  // namespace

bool FilterImage(pappl_job_t *job, pappl_device_t *device, void *) {
  const JobClaim claim(job);
  if (!claim.Ours()) return true;
  const JobTurn turn(job);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(papplJobGetFilename(job), "rb"));
  if (!file) return Fail(job, "The document cannot be opened", errno);
  prt::GreyImage image;
  const int32_t rc = prt::ReadGreyImage(file.get(), MaxPixels(job), image);
  if (rc != PRT_SUCCESS) return Fail(job, "The image cannot be read or is too large", rc);
  if (image.width > std::numeric_limits<int>::max() / 2 ||
      image.height > std::numeric_limits<int>::max() / 2) {
    return Fail(job, "The image is too large", PRT_ERR_IMAGE_SIZE);
  }

  PrinterExtension *extension = ExtensionOf(papplJobGetPrinter(job));
  if (extension == nullptr) return Fail(job, "The printer has no driver of this application", 0);
  pappl_pr_options_t *options = papplJobCreatePrintOptions(job, 1, false);
  if (options == nullptr) return Fail(job, "No print options", PRT_ERR_OUT_OF_MEMORY);
  RasterJob *state = RasterJobOf(job);
  state->prepared = true;
  state->copies = options->copies;
  options->copies = 1;
  state->upsideDown =
      options->orientation_requested != WithoutHalfTurn(options->orientation_requested);
  options->orientation_requested = WithoutHalfTurn(options->orientation_requested);
  const auto dpi = static_cast<int>(extension->driver->row->dotsPerInch);
  const bool printed =
      papplJobFilterImage(job, device, options, image.pixels.data(), static_cast<int>(image.width),
                          static_cast<int>(image.height), 1, dpi, false);
  papplJobDeletePrintOptions(options);
  ForgetRasterJob(job);  // in case PAPPL stopped before the end callback
  return printed;
}

}  // namespace ravo::app
