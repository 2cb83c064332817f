// The constant table of printer models a handle can be created for.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace prt {

struct ModelRow {
  int32_t id;  // model family; several rows share one id
  const char *brand;
  const char *name;         // lookup key, exact and case-sensitive
  const char *displayName;  // brand, blank, model name
  const char *description;  // display name, blank, kind of printer
  uint32_t capabilities;    // PRT_CAP_* and the other language bits
  uint32_t widthDots;       // widest raster the model prints
  uint32_t featureMask1;    // informative; no builder reads them
  uint32_t featureMask2;
  uint32_t dotsPerInch;  // print resolution; 0 for the generic row
};

std::span<const ModelRow> ModelTable();

// First row whose name equals `name`, or nullptr.
const ModelRow *FindModel(std::string_view name);

// First row with this model id, or nullptr.
const ModelRow *FindModelById(int32_t id);

}  // namespace prt
