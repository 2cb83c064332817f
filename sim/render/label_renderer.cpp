#include "label_renderer.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

#include "barcode_symbol.h"

namespace ravo::sim {
namespace {

constexpr int kMaxSide = 16000;  // keeps a hostile label's image small enough

// Draws with the origin moved to (x, y) and turned clockwise.
void Rotated(QPainter &p, int x, int y, int rotation, auto &&draw) {
  p.save();
  p.translate(x, y);
  p.rotate(rotation);
  draw();
  p.restore();
}

// Where a field `width` dots wide starts.  Justification moves fields
// along the print line only, so turned fields stay where they were asked.
int AlignedX(const Element &e, int width) {
  if (e.rotation != 0) return e.x;
  switch (e.align) {
    case Element::Align::kCenter:
      return e.x + (e.align_end - e.x - width) / 2;
    case Element::Align::kRight:
      return e.align_end - width;
    case Element::Align::kLeft:
      break;
  }
  return e.x;
}

void DrawText(QPainter &p, const Element &e) {
  QFont font(QStringLiteral("WenQuanYi Zen Hei"));
  font.setPixelSize(std::max(1, e.size * e.mul_y));
  font.setStretch(std::clamp(100 * e.mul_x / std::max(1, e.mul_y), 1, 4000));
  p.setFont(font);
  p.setPen(Qt::black);
  const QString text = QString::fromUtf8(e.data.data(), static_cast<qsizetype>(e.data.size()));
  const int x = AlignedX(e, p.fontMetrics().horizontalAdvance(text));
  Rotated(p, x, e.y, e.rotation, [&] { p.drawText(QPoint(0, p.fontMetrics().ascent()), text); });
}

void DrawBitmap(QPainter &p, const Element &e) {
  if (e.width_bytes <= 0 || e.size <= 0) return;
  const int w = e.width_bytes * 8;
  const int h = std::min<int>(e.size, static_cast<int>(e.bits.size() / e.width_bytes));
  QImage image(w, std::max(h, 1), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < h; ++y) {
    auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const bool dark = (e.bits[static_cast<size_t>(y) * e.width_bytes + x / 8] >> (7 - x % 8)) & 1;
      if (dark)
        row[x] = qRgb(0, 0, 0);
      else if (e.opaque)
        row[x] = qRgb(255, 255, 255);
    }
  }
  Rotated(p, e.x, e.y, e.rotation, [&] { p.drawImage(0, 0, image); });
}

void DrawSymbol(QPainter &p, const Element &e, const QImage &symbol) {
  if (symbol.isNull()) {
    // Data the symbology cannot carry: mark the spot so it is noticed.
    p.setPen(QPen(Qt::black, 2, Qt::DashLine));
    p.drawRect(e.x, e.y, std::max(40, e.size), std::max(40, e.size));
    return;
  }
  Rotated(p, AlignedX(e, symbol.width()), e.y, e.rotation, [&] { p.drawImage(0, 0, symbol); });
}

void DrawElement(QPainter &p, const Element &e) {
  switch (e.kind) {
    case Element::Kind::kText:
      DrawText(p, e);
      break;
    case Element::Kind::kBox: {
      const int t = e.thickness;
      const QRect outer = QRect(QPoint(e.x, e.y), QPoint(e.x1 - 1, e.y1 - 1)).normalized();
      p.fillRect(QRect(outer.left(), outer.top(), outer.width(), t), Qt::black);
      p.fillRect(QRect(outer.left(), outer.bottom() - t + 1, outer.width(), t), Qt::black);
      p.fillRect(QRect(outer.left(), outer.top(), t, outer.height()), Qt::black);
      p.fillRect(QRect(outer.right() - t + 1, outer.top(), t, outer.height()), Qt::black);
      break;
    }
    case Element::Kind::kBar:
      p.fillRect(QRect(e.x, e.y, e.x1, e.y1), Qt::black);
      break;
    case Element::Kind::kLine:
      if (e.x == e.x1 || e.y == e.y1) {
        // Straight CPCL lines grow right and down by their thickness.
        const int w = e.x == e.x1 ? e.thickness : std::abs(e.x1 - e.x);
        const int h = e.y == e.y1 ? e.thickness : std::abs(e.y1 - e.y);
        p.fillRect(QRect(std::min(e.x, e.x1), std::min(e.y, e.y1), w, h), Qt::black);
      } else {
        p.setPen(QPen(Qt::black, e.thickness, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(e.x, e.y, e.x1, e.y1);
      }
      break;
    case Element::Kind::kBarcode:
      DrawSymbol(p, e, BarcodeImage(e));
      break;
    case Element::Kind::kQrCode:
      DrawSymbol(p, e, QrImage(e));
      break;
    case Element::Kind::kPdf417:
      DrawSymbol(p, e, Pdf417Image(e));
      break;
    case Element::Kind::kBitmap:
      DrawBitmap(p, e);
      break;
  }
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
    for (const Element &e : label.elements) DrawElement(p, e);
  }
  return image.convertToFormat(QImage::Format_Grayscale8);
}

bool SaveLabelPng(const Label &label, const QString &path) {
  return RenderLabel(label).save(path, "PNG");
}

}  // namespace ravo::sim
