#include "symbol_painter.h"

#include <QFont>
#include <QImage>

#include <algorithm>

#include "symbol.h"

namespace ravo::sim {
namespace {

// One pixel per module, black on white.
QImage Modules(const Symbol &s) {
  QImage image(s.columns, s.rows, QImage::Format_Grayscale8);
  for (int r = 0; r < s.rows; ++r) {
    uchar *row = image.scanLine(r);
    for (int c = 0; c < s.columns; ++c) row[c] = s.Dark(r, c) ? 0 : 255;
  }
  return image;
}

// The human-readable line in a band `width` dots wide at y, squeezed
// sideways when it is wider than the bars so it stays with them.
void PaintReadable(QPainter &p, const Element &e, const std::string &text, int width, int y) {
  const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QFont font(QStringLiteral("WenQuanYi Zen Hei Mono"));
  font.setPixelSize(ReadableHeight(e));
  p.setFont(font);
  const int natural = p.fontMetrics().horizontalAdvance(line);
  if (natural > width && natural > 0) {
    font.setStretch(std::max(50, 100 * width / natural));
    p.setFont(font);
  }
  const int used = p.fontMetrics().horizontalAdvance(line);
  const int x = e.readable_align == Element::Anchor::kMiddle ? (width - used) / 2
                : e.readable_align == Element::Anchor::kEnd  ? width - used
                                                             : 0;
  p.setPen(Qt::black);
  p.drawText(QPoint(std::max(x, 0), y + p.fontMetrics().ascent()), line);
}

}  // namespace

void PaintSymbol(QPainter &p, const Element &e, const Symbol &symbol) {
  const Extent extent = SymbolExtent(e, symbol);
  const QImage modules = Modules(symbol);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (e.kind != Element::Kind::kBarcode) {
    p.drawImage(QRect(0, 0, extent.width, extent.height), modules);
    return;
  }
  const int line = ReadableHeight(e) + e.readable_gap;
  const int bars_top = e.readable_above ? line : 0;
  p.drawImage(QRect(0, bars_top, extent.width, e.size), modules);
  const std::string &text = symbol.text.empty() ? e.data : symbol.text;
  if (e.readable_above) PaintReadable(p, e, text, extent.width, 0);
  if (e.readable) PaintReadable(p, e, text, extent.width, bars_top + e.size + e.readable_gap);
}

}  // namespace ravo::sim
