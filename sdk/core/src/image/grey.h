// Colour to grey: red × 0.29891 + green × 0.58661 + blue × 0.11448 in
// double precision, truncated, low 8 bits.
#pragma once

#include <cstdint>

#include "image/image_decoder.h"

namespace prt {

// Whether a set bit of a one-bit image is a dark dot: it is unless the
// colour table's entry 1 is white (blue 255).
inline bool OneBitSetIsDark(const ImageHeader &header) {
  return header.palette[1].blue != 255;
}

// Grey of one colour, computed the long way; the row functions agree with
// it on every colour.
uint8_t GreyOf(uint8_t red, uint8_t green, uint8_t blue);

// `width` RGB triples → `width` grey values.
void RgbRowToGrey(const uint8_t *rgb, uint32_t width, uint8_t *grey);

// `width` grey pixels (red = green = blue) → grey values.  The weights do
// not always give back the same value, so this is a table, not a copy.
void GreyRowToGrey(const uint8_t *in, uint32_t width, uint8_t *grey);

}  // namespace prt
