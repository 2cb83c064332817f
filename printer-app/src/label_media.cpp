#include "label_media.h"

#include <array>

namespace ravo::app {
namespace {

struct LabelSize {
  const char *name;
  int32_t widthHmm;
  int32_t lengthHmm;
};

// Sizes label stock is commonly sold in, narrowest first.  Fractional inch
// sizes go by their metric names: a PWG name's middle part cannot hold a
// decimal point.
constexpr std::array<LabelSize, 20> kLabelSizes = {{
    {"om_25x15-label_25x15mm", 2500, 1500},       {"om_30x20-label_30x20mm", 3000, 2000},
    {"om_38x25-label_38x25mm", 3800, 2500},       {"om_40x20-label_40x20mm", 4000, 2000},
    {"om_40x30-label_40x30mm", 4000, 3000},       {"om_50x25-label_50x25mm", 5000, 2500},
    {"om_50x30-label_50x30mm", 5000, 3000},       {"oe_2x1-label_2x1in", 5080, 2540},
    {"om_57x32-label_57x32mm", 5700, 3200},       {"om_60x40-label_60x40mm", 6000, 4000},
    {"om_70x50-label_70x50mm", 7000, 5000},       {"oe_3x1-label_3x1in", 7620, 2540},
    {"oe_3x2-label_3x2in", 7620, 5080},           {"om_100x50-label_100x50mm", 10000, 5000},
    {"om_100x100-label_100x100mm", 10000, 10000}, {"om_100x150-label_100x150mm", 10000, 15000},
    {"oe_4x2-label_4x2in", 10160, 5080},          {"oe_4x3-label_4x3in", 10160, 7620},
    {"oe_4x4-label_4x4in", 10160, 10160},         {"oe_4x6-label_4x6in", 10160, 15240},
}};

constexpr std::array<int32_t, 5> kPaperWidthsMm = {58, 80, 112, 216, 300};
constexpr std::array<int32_t, 4> kReceiptLengthsMm = {100, 150, 200, 300};
constexpr int32_t kLabelOverhangHmm = 1000;
constexpr int32_t kPaperMarginHmm = 300;
constexpr int32_t kMinWidthMm = 20;
constexpr int32_t kMinLengthMm = 10;
constexpr int32_t kMaxLengthMm = 1000;

std::string Mm(int32_t mm) {
  return std::to_string(mm);
}

// The default label: the largest of a few favourites that fits.
const LabelSize &DefaultLabel(int32_t maxWidthHmm) {
  constexpr std::array<const char *, 4> kFavourites = {
      "oe_4x6-label_4x6in", "om_70x50-label_70x50mm", "om_50x30-label_50x30mm",
      "om_40x30-label_40x30mm"};
  for (const char *favourite : kFavourites) {
    for (const LabelSize &size : kLabelSizes) {
      if (std::string_view(size.name) == favourite && size.widthHmm <= maxWidthHmm) return size;
    }
  }
  return kLabelSizes.front();
}

MediaChoice LabelMedia(int32_t printWidthHmm) {
  MediaChoice choice;
  const int32_t maxWidthHmm = printWidthHmm + kLabelOverhangHmm;
  for (const LabelSize &size : kLabelSizes) {
    if (size.widthHmm <= maxWidthHmm) choice.names.emplace_back(size.name);
  }
  const int32_t maxWidthMm = maxWidthHmm / 100;
  choice.names.push_back("roll_max_" + Mm(maxWidthMm) + "x" + Mm(kMaxLengthMm) + "mm");
  choice.names.push_back("roll_min_" + Mm(kMinWidthMm) + "x" + Mm(kMinLengthMm) + "mm");
  const LabelSize &fallback = DefaultLabel(maxWidthHmm);
  choice.defaultName = fallback.name;
  choice.defaultWidthHmm = fallback.widthHmm;
  choice.defaultLengthHmm = fallback.lengthHmm;
  return choice;
}

MediaChoice ReceiptMedia(int32_t printWidthHmm) {
  int32_t paperMm = kPaperWidthsMm.back();
  for (int32_t width : kPaperWidthsMm) {
    if (width * 100 >= printWidthHmm + kPaperMarginHmm) {
      paperMm = width;
      break;
    }
  }
  MediaChoice choice;
  for (int32_t length : kReceiptLengthsMm) {
    const std::string size = Mm(paperMm) + "x" + Mm(length);
    choice.names.push_back("om_" + size + "-receipt_" + size + "mm");
  }
  choice.names.push_back("roll_max_" + Mm(paperMm) + "x" + Mm(kMaxLengthMm) + "mm");
  choice.names.push_back("roll_min_" + Mm(paperMm) + "x" + Mm(kMinLengthMm) + "mm");
  choice.defaultName = choice.names[2];
  choice.defaultWidthHmm = paperMm * 100;
  choice.defaultLengthHmm = kReceiptLengthsMm[2] * 100;
  choice.sideMarginHmm = (paperMm * 100 - printWidthHmm + 1) / 2;
  return choice;
}

}  // namespace

int32_t PrintWidthHmm(const prt::ModelRow &row) {
  if (row.dotsPerInch == 0) return 0;
  return static_cast<int32_t>(static_cast<int64_t>(row.widthDots) * 2540 / row.dotsPerInch);
}

MediaChoice MediaFor(const prt::ModelRow &row, Language language) {
  const int32_t printWidth = PrintWidthHmm(row);
  return language == Language::kEsc ? ReceiptMedia(printWidth) : LabelMedia(printWidth);
}

}  // namespace ravo::app
