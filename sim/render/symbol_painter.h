// Draws bar codes and 2-D symbols from libzint's module grid, scaled to
// printer dots, with the human-readable line of a linear code.
#pragma once

#include <QPainter>

#include "label.h"
#include "symbol.h"

namespace ravo::sim {

// Draws e's symbol with its top-left corner at the painter's origin (the
// caller has moved and turned the painter).
void PaintSymbol(QPainter &p, const Element &e, const Symbol &symbol);

}  // namespace ravo::sim
