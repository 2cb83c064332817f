// Bar codes and 2-D symbols through libzint, as black-on-white images.
#pragma once

#include <QImage>

#include "label.h"

namespace ravo::sim {

// A null image when libzint cannot encode the data for that symbology.
QImage BarcodeImage(const Element &e);
QImage QrImage(const Element &e);
QImage Pdf417Image(const Element &e);

}  // namespace ravo::sim
