// The parameter families: each has its own byte map of the parameter block
// and its own parameter window.
#pragma once

#include <QString>
#include <optional>

namespace ravo::utility::param {

enum class Family { TQX, TQM, HMZ, Q73, TGV };

// "TQX", "TQM", "TGV", "HMZ", "Q73".
QString FamilyName(Family family);
// The family of a name as FamilyName writes it, in any case.
std::optional<Family> FamilyByName(const QString &name);

}  // namespace ravo::utility::param
