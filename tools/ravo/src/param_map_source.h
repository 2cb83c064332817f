// The byte maps of the parameter families as ravo uses them: one entry per
// field with its bytes and its text conversions, taken from the utility
// core's parameter tables (param_maps.h, param_values.h).
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mdl_global_catalogue.h"
#include "parameter_exchange.h"

namespace ravo::cli {

struct MapField {
  std::string name;
  int offset = 0;
  int width = 1;
  // A byte the printer derives from another field (the paper kind follows
  // the paper type): not shown, and changes are reported under `name`.
  bool derived = false;
  std::function<std::string(const mdlPrinterLib_TSPL::ParameterBlock &)> decode;
  // Stores a shown value; the reason on refusal.
  std::function<std::optional<std::string>(mdlPrinterLib_TSPL::ParameterBlock &,
                                           const std::string &)>
      encode;
};

// The fields of a family.  lookupName picks the speed list: the printer
// type (the model for Q73), as the parameter windows do.
std::vector<MapField> MapFields(ravo::utility::param::Family family, const QString &lookupName);

}  // namespace ravo::cli
