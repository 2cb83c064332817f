// Draws the three kinds of text: label text in the printer's proportional
// font, receipt text in fixed-pitch cells, and TSPL text blocks wrapped
// inside a box.
#pragma once

#include <QPainter>

#include "label.h"

namespace ravo::sim {

void PaintText(QPainter &p, const Element &e);
void PaintMonoText(QPainter &p, const Element &e);
void PaintTextBlock(QPainter &p, const Element &e);

// Where a field `width` dots wide starts along x.  CPCL justification
// moves unturned fields between x and their end; a TSPL anchor puts x at
// the field's left edge, middle or right edge.
int AlignedX(const Element &e, int width);

// Draws with the origin moved to (x, y) and turned clockwise.
template <typename Draw>
void Rotated(QPainter &p, int x, int y, int rotation, Draw &&draw) {
  p.save();
  p.translate(x, y);
  p.rotate(rotation);
  draw();
  p.restore();
}

}  // namespace ravo::sim
