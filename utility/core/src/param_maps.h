// The byte maps of the printer families, one table per parameter window,
// rows in the order the window writes them back.
#pragma once

#include <QString>
#include <optional>
#include <span>

#include "catalogue.h"
#include "param_field.h"

namespace ravo::param {

using Family = mdlGlobal::ParameterWindow;

// The family's fields; bytes of no row pass through unchanged.
std::span<const FieldSpec> FieldTable(Family family);

// "tqx", "tqm", "tgv", "hmz", "q73" (any case) and back.
std::optional<Family> FamilyByName(const QString &name);
QString FamilyName(Family family);

// The row with the plain name, null when none.
const FieldSpec *FindField(Family family, const QString &name);

}  // namespace ravo::param
