// Draws a Label into a one-bit image (white and black) at one pixel per
// printer dot.
#pragma once

#include <QImage>
#include <QString>

#include "label.h"

namespace ravo::sim {

QImage RenderLabel(const Label &label);
bool SaveLabelPng(const Label &label, const QString &path);

}  // namespace ravo::sim
