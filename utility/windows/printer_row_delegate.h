// Paints the rows of the main window's printer list: each cell's text at
// the cell's left edge and the row's top, its background filled from there
// to the row's right end, so a later column covers an earlier one's
// overflow.  Selected rows are white on navy, the others black on white.
#pragma once

#include <QStyledItemDelegate>

namespace ravo::utility {

class PrinterRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter *painter, const QStyleOptionViewItem &option,
             const QModelIndex &index) const override;

  static QColor TextColor(bool selected);
  static QColor BackgroundColor(bool selected);
};

}  // namespace ravo::utility
