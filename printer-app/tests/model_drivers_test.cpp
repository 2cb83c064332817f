// Drivers from the model table and the media each offers.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "label_media.h"
#include "model_drivers.h"
#include "prt.h"

namespace ravo::app {
namespace {

TEST(ModelDrivers, EveryPrintableModelHasOneDriverInItsLanguage) {
  struct Row {
    const char *model;
    std::optional<Language> language;
  };
  const Row rows[] = {
      {"TQX58", Language::kTspl},  // TSPL and ESC: labels win
      {"TQX58R", Language::kEsc},  // the receipt variant
      {"TGV", Language::kTspl},   {"HMZ-W", Language::kTspl}, {"Q73", Language::kTspl},
      {"LB58", Language::kTspl},  {"MC300", Language::kCpcl}, {"KP330", Language::kEsc},
      {"MP210", Language::kEsc},  {"CB58", Language::kEsc},   {"KT80", Language::kEsc},
      {"DL860", std::nullopt},    // no language the application writes
      {"unknown", std::nullopt},  // no raster width
  };
  for (const Row &row : rows) {
    const prt::ModelRow *model = prt::FindModel(row.model);
    ASSERT_NE(model, nullptr) << row.model;
    EXPECT_EQ(LanguageOf(*model), row.language) << row.model;
  }
  std::set<std::string> names;
  size_t expected = 0;
  for (const prt::ModelRow &model : prt::ModelTable()) {
    if (LanguageOf(model) && prt::FindModel(model.name) == &model) ++expected;
  }
  for (const ModelDriver &driver : ModelDrivers()) {
    EXPECT_TRUE(std::regex_match(driver.name, std::regex("ravo_[a-z0-9_]+"))) << driver.name;
    EXPECT_TRUE(names.insert(driver.name).second) << driver.name;
    EXPECT_EQ(driver.row->dotsPerInch, 203u) << driver.name;
    EXPECT_EQ(FindDriver(driver.name), &driver);
  }
  EXPECT_EQ(ModelDrivers().size(), expected);
  EXPECT_EQ(FindDriver("ravo_hmz_w")->row, prt::FindModel("HMZ-W"));
}

TEST(ModelDrivers, DeviceIdsPickTheDriverOfTheirModel) {
  struct Row {
    const char *deviceId;
    const char *driver;  // nullptr: none
  };
  const Row rows[] = {
      {"MFG:RAVO;MDL:TQX80;CMD:TSPL;", "ravo_tqx80"},
      {"manufacturer:ravo; model:hmz-e;", "ravo_hmz_e"},
      {"MFG:Other;MDL:TQX80;", nullptr},
      {"MFG:RAVO;MDL:TQX81;", nullptr},
      {"MFG:RAVO;", nullptr},
      {"", nullptr},
  };
  for (const Row &row : rows) {
    const ModelDriver *driver = DriverForDeviceId(row.deviceId);
    EXPECT_EQ(driver != nullptr ? driver->name : std::string("(none)"),
              row.driver != nullptr ? row.driver : "(none)")
        << row.deviceId;
  }
}

// The media-name expression of CUPS's IPP/2.0 conformance tests.
const std::regex &PwgMediaName() {
  static const std::regex name(
      "((custom|na|asme|roc|oe|roll)_[a-z0-9][-a-z0-9]*_([1-9][0-9]*(\\.[0-9]*[1-9])?|0\\.[0-9]*[1-"
      "9])"
      "x([1-9][0-9]*(\\.[0-9]*[1-9])?|0\\.[0-9]*[1-9])in)|"
      "((custom|iso|jis|jpn|prc|om|roll)_[a-z0-9][-a-z0-9]*_([1-9][0-9]*(\\.[0-9]*[1-9])?|0\\.[0-"
      "9]*[1-9])x([1-9][0-9]*(\\.[0-9]*[1-9])?|0\\.[0-9]*[1-9])mm)");
  return name;
}

TEST(LabelMedia, NamesAreValidAndSizesFitThePrinter) {
  for (const ModelDriver &driver : ModelDrivers()) {
    const MediaChoice media = MediaFor(*driver.row, driver.language);
    ASSERT_GE(media.names.size(), 3u) << driver.name;
    for (const std::string &name : media.names) {
      EXPECT_TRUE(std::regex_match(name, PwgMediaName())) << driver.name << ": " << name;
    }
    EXPECT_NE(std::find(media.names.begin(), media.names.end(), media.defaultName),
              media.names.end())
        << driver.name;
    EXPECT_TRUE(media.names.back().starts_with("roll_min_")) << driver.name;
    EXPECT_TRUE(media.names[media.names.size() - 2].starts_with("roll_max_")) << driver.name;
    EXPECT_GT(media.defaultWidthHmm, 0);
    EXPECT_LE(media.defaultWidthHmm, PrintWidthHmm(*driver.row) + 1000) << driver.name;
  }
}

TEST(LabelMedia, DefaultsAndRollsPerKindOfPrinter) {
  struct Row {
    const char *model;
    Language language;
    const char *defaultName;
    const char *widest;
  };
  const Row rows[] = {
      {"TGV", Language::kTspl, "oe_4x6-label_4x6in", "roll_max_118x1000mm"},
      {"TQX80", Language::kTspl, "om_70x50-label_70x50mm", "roll_max_82x1000mm"},
      {"TQX58", Language::kTspl, "om_50x30-label_50x30mm", "roll_max_58x1000mm"},
      {"KP330", Language::kEsc, "om_80x200-receipt_80x200mm", "roll_max_80x1000mm"},
      {"MP210", Language::kEsc, "om_58x200-receipt_58x200mm", "roll_max_58x1000mm"},
  };
  for (const Row &row : rows) {
    const MediaChoice media = MediaFor(*prt::FindModel(row.model), row.language);
    EXPECT_EQ(media.defaultName, row.defaultName) << row.model;
    EXPECT_EQ(media.names[media.names.size() - 2], row.widest) << row.model;
  }
}

}  // namespace
}  // namespace ravo::app
