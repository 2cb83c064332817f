// Draws bar codes and 2-D symbols from libzint's module grid, scaled to
// printer dots, with the human-readable line of a linear code.
#pragma once

#include <QPainter>

#include "label.h"

namespace ravo::sim {

// Draws e with its top-left corner at the painter's origin (the caller
// has moved and turned the painter).  Returns the width drawn, or -1 when
// the data cannot be encoded.
int PaintSymbol(QPainter &p, const Element &e);

// The width e will take, or -1 when the data cannot be encoded.
int SymbolWidth(const Element &e);

}  // namespace ravo::sim
