#include "text_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <algorithm>

#include "text_decode.h"

namespace ravo::sim {
namespace {

const QString &Family() {
  static const QString family = QStringLiteral("WenQuanYi Zen Hei");
  return family;
}

const QString &MonoFamily() {
  static const QString family = QStringLiteral("WenQuanYi Zen Hei Mono");
  return family;
}

QString ToQString(const std::string &s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont FontOf(const Element &e, const QString &family, int height) {
  QFont font(family);
  font.setPixelSize(std::max(1, height * e.mul_y));
  font.setStretch(std::clamp(100 * e.mul_x / std::max(1, e.mul_y), 1, 4000));
  font.setBold(e.bold);
  if (e.letter_gap > 0 && !e.mono) font.setLetterSpacing(QFont::AbsoluteSpacing, e.letter_gap);
  return font;
}

int AnchorShift(Element::Anchor anchor, int width) {
  return anchor == Element::Anchor::kMiddle ? width / 2
         : anchor == Element::Anchor::kEnd  ? width
                                            : 0;
}

// Lines no wider than width: broken at blanks where there are any, at a
// character otherwise.
std::vector<QString> Wrap(const QString &text, const QFontMetrics &fm, int width) {
  std::vector<QString> lines;
  for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
    QString line;
    qsizetype last_blank = -1;
    for (QChar c : paragraph) {
      line.append(c);
      if (c == QLatin1Char(' ')) last_blank = line.size() - 1;
      if (fm.horizontalAdvance(line) <= width || line.size() == 1) continue;
      if (last_blank > 0) {
        lines.push_back(line.left(last_blank));
        line = line.mid(last_blank + 1);
      } else {
        lines.push_back(line.left(line.size() - 1));
        line = QString(c);
      }
      last_blank = -1;
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

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

void PaintText(QPainter &p, const Element &e) {
  p.setFont(FontOf(e, Family(), e.size));
  p.setPen(Qt::black);
  const QString text = ToQString(e.data);
  const QFontMetrics fm = p.fontMetrics();
  const int width = fm.horizontalAdvance(text);
  Rotated(p, AlignedX(e, width), e.y, e.rotation, [&] {
    const int x = -AnchorShift(e.anchor, width);
    p.drawText(QPoint(x, fm.ascent()), text);
    if (e.underline > 0) p.fillRect(QRect(x, fm.ascent() + 2, width, e.underline), Qt::black);
  });
}

// Every character in its own cell: pitch dots (two cells for wide ones)
// plus the letter gap, times the width multiplier.
void PaintMonoText(QPainter &p, const Element &e) {
  const std::u32string chars = CodePoints(e.data);
  const int column = (e.pitch + e.letter_gap) * e.mul_x;
  int width = 0;
  bool any_wide = false;
  for (char32_t c : chars) {
    any_wide = any_wide || IsWide(c);
    width += IsWide(c) ? (2 * e.pitch + e.letter_gap) * e.mul_x : column;
  }
  const int height = e.size * e.mul_y;
  QFont font = FontOf(e, MonoFamily(), e.size);
  p.setFont(font);
  const QFontMetrics fm = p.fontMetrics();
  Rotated(p, e.x + (e.rotation ? width : 0), e.y + (e.rotation ? height : 0), e.rotation, [&] {
    if (e.inverse) p.fillRect(QRect(0, 0, width, height), Qt::black);
    p.setPen(e.inverse ? Qt::white : Qt::black);
    const int baseline = std::min(fm.ascent(), height - 1);
    const QString text = ToQString(e.data);
    const qreal natural = fm.horizontalAdvance(QLatin1Char('0'));
    const bool even = !any_wide && std::abs(fm.horizontalAdvance(text) -
                                            natural * static_cast<qreal>(chars.size())) < 1;
    if (even) {
      // One run: the font's own advance made exactly one column.
      font.setLetterSpacing(QFont::AbsoluteSpacing, column - natural);
      p.setFont(font);
      p.drawText(QPoint(0, baseline), text);
    } else {
      // Glyph by glyph, each squeezed or widened into its cells.
      int x = 0;
      for (char32_t c : chars) {
        const QString glyph = QString::fromUcs4(&c, 1);
        const int cells = IsWide(c) ? 2 : 1;
        const qreal fits = cells * e.pitch * e.mul_x;
        const qreal advance = fm.horizontalAdvance(glyph);
        p.save();
        p.translate(x, baseline);
        if (advance > 0 && std::abs(advance - fits) >= 1) p.scale(fits / advance, 1);
        p.drawText(QPoint(0, 0), glyph);
        p.restore();
        x += (cells * e.pitch + e.letter_gap) * e.mul_x;
      }
    }
    if (e.underline > 0)
      p.fillRect(QRect(0, height - e.underline, width, e.underline), p.pen().color());
  });
}

// BLOCK: wrapped inside x1 by y1 dots, lines justified by the anchor; a
// fitting block shrinks its font until every line is inside.
void PaintTextBlock(QPainter &p, const Element &e) {
  const QString text = ToQString(e.data);
  int height = e.size;
  std::vector<QString> lines;
  for (;;) {
    p.setFont(FontOf(e, Family(), height));
    lines = Wrap(text, p.fontMetrics(), e.x1);
    const int needed = static_cast<int>(lines.size()) * (p.fontMetrics().height() + e.line_gap);
    if (!e.fit || needed <= e.y1 || height <= 4) break;
    height = height * 9 / 10;
  }
  const QFontMetrics fm = p.fontMetrics();
  p.setPen(Qt::black);
  Rotated(p, e.x, e.y, e.rotation, [&] {
    p.setClipRect(QRect(0, 0, e.x1, e.y1));
    int y = 0;
    for (const QString &line : lines) {
      const int free = e.x1 - fm.horizontalAdvance(line);
      const int x = e.anchor == Element::Anchor::kMiddle ? free / 2
                    : e.anchor == Element::Anchor::kEnd  ? free
                                                         : 0;
      p.drawText(QPoint(x, y + fm.ascent()), line);
      y += fm.height() + e.line_gap;
      if (y >= e.y1) break;
    }
  });
}

}  // namespace ravo::sim
