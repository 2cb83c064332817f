#include "printer_row_delegate.h"

#include <QPainter>

namespace ravo::utility {

QColor PrinterRowDelegate::TextColor(bool selected) {
  return selected ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

QColor PrinterRowDelegate::BackgroundColor(bool selected) {
  return selected ? QColor(0, 0, 128) : QColor(255, 255, 255);
}

void PrinterRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  // The view hands each cell its own rectangle; the fill runs on to the
  // right end of the row, as the columns are painted left to right.
  const QWidget *view = option.widget;
  const int rowRight = view != nullptr ? view->width() : option.rect.right();
  QRect cell(option.rect.left(), option.rect.top(), rowRight - option.rect.left() + 1,
             option.rect.height());
  if (index.column() == 0) cell.setRight(std::max(cell.right(), option.rect.right() + 2));

  painter->save();
  painter->setClipping(false);
  painter->fillRect(cell, BackgroundColor(selected));
  painter->setPen(TextColor(selected));
  painter->setFont(option.font);
  painter->drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  painter->restore();
}

}  // namespace ravo::utility
