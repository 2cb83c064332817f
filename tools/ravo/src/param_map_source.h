// The byte maps of the parameter families as ravo uses them: one entry per
// shown field with its bytes and its text conversions.  Built from the
// utility core's parameter tables.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue.h"
#include "parameter_exchange.h"

namespace ravo::cli {

struct MapField {
  std::string name;
  int offset = 0;
  int width = 1;
  std::function<std::string(const mdlPrinterLib_TSPL::ParameterBlock &)> decode;
  // Stores a shown value; the reason on refusal.
  std::function<std::optional<std::string>(mdlPrinterLib_TSPL::ParameterBlock &,
                                           const std::string &)>
      encode;
};

// "TQX", "TQM", "HMZ", "Q73" or "TGV".
std::string FamilyName(mdlGlobal::ParameterWindow window);

// The fields of a family in block order; empty while the family has no map.
std::vector<MapField> MapFields(const std::string &family);

}  // namespace ravo::cli
