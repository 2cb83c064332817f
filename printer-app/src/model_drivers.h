// One printer driver per row of the SDK's model table that speaks a
// language the application can print raster labels in.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model_table.h"

namespace ravo::app {

enum class Language { kTspl, kCpcl, kEsc };

struct ModelDriver {
  std::string name;         // PAPPL driver name: "ravo_tqx58_e" for TQX58-E
  std::string description;  // "RAVO TQX58-E (TSPL label)"
  std::string deviceId;     // IEEE-1284 id: "MFG:RAVO;MDL:TQX58-E;CMD:TSPL;"
  const prt::ModelRow *row = nullptr;
  Language language = Language::kTspl;
};

// TSPL wins for models that speak it, then CPCL, then ESC; nothing for a
// model without any of them or without a raster width.
std::optional<Language> LanguageOf(const prt::ModelRow &row);

// The drivers in model-table order, built once.
std::span<const ModelDriver> ModelDrivers();

const ModelDriver *FindDriver(std::string_view name);

// The driver whose model name an IEEE-1284 device id carries (MDL or
// MODEL, compared without regard to case), if the maker is ours.
const ModelDriver *DriverForDeviceId(std::string_view deviceId);

// The MIME type of a language's print-ready data, for raw jobs.
const char *NativeFormat(Language language);

}  // namespace ravo::app
