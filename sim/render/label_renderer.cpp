#include "label_renderer.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "symbol_painter.h"
#include "text_painter.h"

namespace ravo::sim {
namespace {

constexpr int kMaxSide = 16000;  // keeps a hostile label's image small enough

// The raster as a one-bit image over the element's own bits: dark dots
// black; light dots white when the bitmap overwrites, see-through when it
// is ORed.  For XOR, dark dots are white and light ones black, so that
// XOR-drawing inverts under the dark dots only.
QImage BitmapImage(const Element &e, int rows) {
  QImage image(e.bits.data(), e.width_bytes * 8, rows, e.width_bytes, QImage::Format_Mono);
  const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
  switch (e.mode) {
    case Element::BitmapMode::kOverwrite:
      image.setColorTable({white, black});
      break;
    case Element::BitmapMode::kOr:
      image.setColorTable({qRgba(0, 0, 0, 0), black});
      break;
    case Element::BitmapMode::kXor:
      image.setColorTable({black, white});
      break;
  }
  return image;
}

// Draws only the part of the raster that falls on the page, so that a
// huge raster costs no more than the page it lands on.
void DrawBitmap(QPainter &p, const Element &e) {
  if (e.width_bytes <= 0 || e.size <= 0) return;
  const int rows = std::min<int>(e.size, static_cast<int>(e.bits.size() / e.width_bytes));
  if (rows <= 0) return;
  const QImage image = BitmapImage(e, rows);
  const QRectF page(0, 0, p.device()->width(), p.device()->height());
  Rotated(p, e.x, e.y, e.rotation, [&] {
    const QRectF local = p.transform().inverted().mapRect(page);
    const QRect source = QRect(static_cast<int>(local.left() / e.mul_x) - 1,
                               static_cast<int>(local.top() / e.mul_y) - 1,
                               static_cast<int>(local.width() / e.mul_x) + 3,
                               static_cast<int>(local.height() / e.mul_y) + 3)
                             .intersected(image.rect());
    if (source.isEmpty()) return;
    if (e.mode == Element::BitmapMode::kXor)
      p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QRect target(source.x() * e.mul_x, source.y() * e.mul_y, source.width() * e.mul_x,
                       source.height() * e.mul_y);
    p.drawImage(target, image.copy(source));
  });
}

void DrawSymbol(QPainter &p, const Element &e) {
  const auto symbol = EncodeSymbol({e.symbology, e.data, e.option_1, e.option_2, e.option_3});
  if (!symbol) {
    // Data the symbology cannot carry: mark the spot so it is noticed.
    p.setPen(QPen(Qt::black, 2, Qt::DashLine));
    p.drawRect(e.x, e.y, std::max(40, e.size), std::max(40, e.size));
    return;
  }
  const int width = SymbolExtent(e, *symbol).width;
  Rotated(p, AlignedX(e, width), e.y, e.rotation, [&] {
    p.translate(-(e.anchor == Element::Anchor::kMiddle ? width / 2
                  : e.anchor == Element::Anchor::kEnd  ? width
                                                       : 0),
                0);
    PaintSymbol(p, e, *symbol);
  });
}

void DrawBox(QPainter &p, const Element &e) {
  const QRect outer = QRect(QPoint(e.x, e.y), QPoint(e.x1 - 1, e.y1 - 1)).normalized();
  const int t = e.thickness;
  if (e.radius > 0) {
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    ring.addRoundedRect(outer, e.radius, e.radius);
    const int inner_radius = std::max(0, e.radius - t);
    ring.addRoundedRect(outer.adjusted(t, t, -t, -t), inner_radius, inner_radius);
    p.fillPath(ring, Qt::black);
    return;
  }
  p.fillRect(QRect(outer.left(), outer.top(), outer.width(), t), Qt::black);
  p.fillRect(QRect(outer.left(), outer.bottom() - t + 1, outer.width(), t), Qt::black);
  p.fillRect(QRect(outer.left(), outer.top(), t, outer.height()), Qt::black);
  p.fillRect(QRect(outer.right() - t + 1, outer.top(), t, outer.height()), Qt::black);
}

void DrawEllipse(QPainter &p, const Element &e) {
  QPainterPath ring;
  ring.setFillRule(Qt::OddEvenFill);
  ring.addEllipse(QRectF(e.x, e.y, e.x1, e.y1));
  const int t = e.thickness;
  if (2 * t < e.x1 && 2 * t < e.y1)
    ring.addEllipse(QRectF(e.x + t, e.y + t, e.x1 - 2 * t, e.y1 - 2 * t));
  p.fillPath(ring, Qt::black);
}

void DrawLine(QPainter &p, const Element &e) {
  if (e.x == e.x1 || e.y == e.y1) {
    // Straight lines grow right and down by their thickness.
    const int w = e.x == e.x1 ? e.thickness : std::abs(e.x1 - e.x);
    const int h = e.y == e.y1 ? e.thickness : std::abs(e.y1 - e.y);
    p.fillRect(QRect(std::min(e.x, e.x1), std::min(e.y, e.y1), w, h), Qt::black);
  } else {
    p.setPen(QPen(Qt::black, e.thickness, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(e.x, e.y, e.x1, e.y1);
  }
}

void DrawElement(QPainter &p, const Element &e) {
  switch (e.kind) {
    case Element::Kind::kText:
      return e.mono ? PaintMonoText(p, e) : PaintText(p, e);
    case Element::Kind::kTextBlock:
      return PaintTextBlock(p, e);
    case Element::Kind::kBox:
      return DrawBox(p, e);
    case Element::Kind::kBar:
      return p.fillRect(QRect(e.x, e.y, e.x1, e.y1), Qt::black);
    case Element::Kind::kLine:
      return DrawLine(p, e);
    case Element::Kind::kEllipse:
      return DrawEllipse(p, e);
    case Element::Kind::kReverse:
      p.save();
      p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      p.fillRect(QRect(e.x, e.y, e.x1, e.y1), Qt::white);
      p.restore();
      return;
    case Element::Kind::kErase:
      return p.fillRect(QRect(e.x, e.y, e.x1, e.y1), Qt::white);
    case Element::Kind::kBarcode:
    case Element::Kind::kQrCode:
    case Element::Kind::kPdf417:
    case Element::Kind::kDataMatrix:
      return DrawSymbol(p, e);
    case Element::Kind::kBitmap:
      return DrawBitmap(p, e);
  }
}

// Origin first, then the mirror and the half turn within the label's
// width, then the shift on the paper.
void PlaceOnPaper(QPainter &p, const Label &label, int height) {
  const int area = label.area_width > 0 ? label.area_width : label.width;
  p.translate(label.shift_x, label.shift_y);
  if (label.turned) {
    p.translate(area, height);
    p.rotate(180);
  }
  if (label.mirrored) {
    p.translate(area, 0);
    p.scale(-1, 1);
  }
  p.translate(label.origin_x, label.origin_y);
}

}  // namespace

QImage RenderLabel(const Label &label) {
  const int w = std::clamp(label.width, 1, kMaxSide);
  const int h = std::clamp(label.height, 1, kMaxSide);
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    PlaceOnPaper(p, label, h);
    for (const Element &e : label.elements) {
      p.save();
      DrawElement(p, e);
      p.restore();
    }
  }
  // Thermal dots are dark or not: one bit a dot, which also makes the PNG
  // quick to write and small.
  return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

bool SaveLabelPng(const Label &label, const QString &path) {
  return RenderLabel(label).save(path, "PNG");
}

}  // namespace ravo::sim
