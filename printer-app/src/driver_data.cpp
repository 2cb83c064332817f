#include "driver_data.h"

#include <map>
#include <mutex>
#include <string>

#include "job_settings.h"
#include "label_media.h"

namespace ravo::app {
namespace {

constexpr int kLabelsPerMinute = 30;
constexpr const char *kRollSource = "main-roll";

// Media lists are built once per driver and kept, since PAPPL keeps the
// pointers.
const MediaChoice &MediaOf(const ModelDriver &driver) {
  static std::mutex mutex;
  static std::map<std::string, MediaChoice> choices;
  std::lock_guard lock(mutex);
  auto it = choices.find(driver.name);
  if (it == choices.end()) {
    it = choices.emplace(driver.name, MediaFor(*driver.row, driver.language)).first;
  }
  return it->second;
}

void Copy(char *to, size_t size, const std::string &text) {
  papplCopyString(to, text.c_str(), size);
}

void DescribeMedia(const ModelDriver &driver, pappl_pr_driver_data_t &data) {
  const MediaChoice &media = MediaOf(driver);
  const bool labels = driver.language != Language::kEsc;
  data.num_media = 0;
  for (const std::string &name : media.names) {
    if (data.num_media == PAPPL_MAX_MEDIA) break;
    data.media[data.num_media++] = name.c_str();
  }
  data.num_source = 1;
  data.source[0] = kRollSource;
  data.num_type = labels ? 2 : 1;
  data.type[0] = labels ? "labels" : "continuous";
  data.type[1] = "continuous";
  data.tracking_supported = labels ? PAPPL_MEDIA_TRACKING_GAP | PAPPL_MEDIA_TRACKING_MARK |
                                         PAPPL_MEDIA_TRACKING_CONTINUOUS
                                   : PAPPL_MEDIA_TRACKING_CONTINUOUS;
  pappl_media_col_t &ready = data.media_ready[0];
  Copy(ready.size_name, sizeof ready.size_name, media.defaultName);
  ready.size_width = media.defaultWidthHmm;
  ready.size_length = media.defaultLengthHmm;
  Copy(ready.source, sizeof ready.source, kRollSource);
  Copy(ready.type, sizeof ready.type, data.type[0]);
  ready.tracking = labels ? PAPPL_MEDIA_TRACKING_GAP : PAPPL_MEDIA_TRACKING_CONTINUOUS;
  ready.left_margin = ready.right_margin = media.sideMarginHmm;
  data.media_default = ready;
  // PAPPL fits pictures between the margins.
  data.left_right = media.sideMarginHmm;
  data.bottom_top = 0;
  data.left_offset_supported[0] = -kOffsetRangeHmm;
  data.left_offset_supported[1] = kOffsetRangeHmm;
  if (labels) {
    data.top_offset_supported[0] = -kOffsetRangeHmm;
    data.top_offset_supported[1] = kOffsetRangeHmm;
  }
}

void DescribeLabelControls(const ModelDriver &driver, pappl_pr_driver_data_t &data) {
  switch (driver.language) {
    case Language::kTspl:
      data.darkness_supported = kTsplDarknessLevels;
      data.speed_supported[0] = 1 * kHmmPerSecondPerIps;
      data.speed_supported[1] = 12 * kHmmPerSecondPerIps;
      data.mode_supported = PAPPL_LABEL_MODE_TEAR_OFF;
      data.mode_configured = PAPPL_LABEL_MODE_TEAR_OFF;
      data.tear_offset_supported[0] = -kOffsetRangeHmm;
      data.tear_offset_supported[1] = kOffsetRangeHmm;
      data.identify_supported = PAPPL_IDENTIFY_ACTIONS_SOUND;
      data.identify_default = PAPPL_IDENTIFY_ACTIONS_SOUND;
      break;
    case Language::kCpcl:
      data.darkness_supported = kCpclDarknessLevels;
      data.speed_supported[0] = 1 * kHmmPerSecondPerIps;
      data.speed_supported[1] = 5 * kHmmPerSecondPerIps;
      break;
    case Language::kEsc:
      break;
  }
  data.darkness_configured = data.darkness_supported > 0 ? 50 : 0;
  data.darkness_default = 0;
  data.speed_default = 0;
}

}  // namespace

void DescribeDriver(const ModelDriver &driver, pappl_pr_driver_data_t &data) {
  const prt::ModelRow &row = *driver.row;
  const bool labels = driver.language != Language::kEsc;
  Copy(data.make_and_model, sizeof data.make_and_model, row.displayName);
  data.format = NativeFormat(driver.language);
  data.ppm = kLabelsPerMinute;
  data.kind = labels ? PAPPL_KIND_LABEL | PAPPL_KIND_ROLL : PAPPL_KIND_RECEIPT | PAPPL_KIND_ROLL;
  data.has_supplies = true;
  data.orient_default = IPP_ORIENT_PORTRAIT;
  data.color_supported = PAPPL_COLOR_MODE_AUTO | PAPPL_COLOR_MODE_MONOCHROME;
  data.color_default = PAPPL_COLOR_MODE_MONOCHROME;
  data.content_default = PAPPL_CONTENT_AUTO;
  data.quality_default = IPP_QUALITY_NORMAL;
  data.scaling_default = PAPPL_SCALING_AUTO_FIT;
  // PAPPL hands raster lines over as the client sent them but describes
  // them with the printer's header, so only the one type the header has is
  // offered (the one IPP Everywhere asks of every printer).
  data.raster_types = PAPPL_PWG_RASTER_TYPE_SGRAY_8;
  data.duplex = PAPPL_DUPLEX_NONE;
  data.sides_supported = PAPPL_SIDES_ONE_SIDED;
  data.sides_default = PAPPL_SIDES_ONE_SIDED;
  data.finishings = PAPPL_FINISHINGS_NONE;
  data.num_resolution = 1;
  data.x_resolution[0] = data.y_resolution[0] = static_cast<int>(row.dotsPerInch);
  data.x_default = data.y_default = static_cast<int>(row.dotsPerInch);
  DescribeMedia(driver, data);
  DescribeLabelControls(driver, data);
  if (labels) {
    data.num_vendor = 1;
    data.vendor[0] = kGapOption;
  }
}

ipp_t *DriverAttributes(const ModelDriver &driver) {
  ipp_t *attrs = ippNew();
  // IPP Everywhere asks for these; PAPPL leaves them to the driver.  There
  // is no colour management (one rendering intent) and no back side.
  ippAddString(attrs, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "print-rendering-intent-supported", nullptr,
               "auto");
  ippAddString(attrs, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "print-rendering-intent-default", nullptr,
               "auto");
  ippAddString(attrs, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "pwg-raster-document-sheet-back", nullptr,
               "normal");
  ippAddBoolean(attrs, IPP_TAG_PRINTER, "preferred-attributes-supported", 0);
  if (driver.language != Language::kEsc) {
    ippAddRange(attrs, IPP_TAG_PRINTER, (std::string(kGapOption) + "-supported").c_str(), 0,
                kMaxGapMm);
    ippAddInteger(attrs, IPP_TAG_PRINTER, IPP_TAG_INTEGER,
                  (std::string(kGapOption) + "-default").c_str(), kDefaultGapMm);
  }
  return attrs;
}

}  // namespace ravo::app
