// Field readings shared by the TSPL drawing and symbol commands.
#pragma once

#include <algorithm>
#include <string_view>

#include "fields.h"
#include "label.h"

namespace ravo::sim {

inline constexpr int kTsplMaxCoordinate = 32000;

// 0, 90, 180 or 270; anything else reads as 0.
inline int TsplRotation(std::string_view field) {
  const int r = ToIntOr(field, 0);
  return (r == 90 || r == 180 || r == 270) ? r : 0;
}

// TSPL alignment 0 (default) and 1 are left, 2 centre, 3 right.
inline Element::Anchor TsplAnchor(int alignment) {
  if (alignment == 2) return Element::Anchor::kMiddle;
  if (alignment == 3) return Element::Anchor::kEnd;
  return Element::Anchor::kStart;
}

inline int TsplCoordinate(std::string_view field) {
  return std::clamp(ToIntOr(field, 0), -kTsplMaxCoordinate, kTsplMaxCoordinate);
}

}  // namespace ravo::sim
