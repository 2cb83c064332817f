// The byte maps of the printer families, one table per parameter window,
// rows in the order the window writes them back.
#pragma once

#include <QString>
#include <optional>
#include <span>

#include "param_family.h"
#include "param_field.h"

namespace ravo::utility::param {

// The family's fields; bytes of no row pass through unchanged.
std::span<const FieldSpec> FieldTable(Family family);

// The row with the plain name, null when none.
const FieldSpec *FindField(Family family, const QString &name);

}  // namespace ravo::utility::param
