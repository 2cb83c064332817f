// The TSPL job of the print-text-label window and the rules of its width
// and height boxes.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace ravo::utility {

inline constexpr int kLowestLabelSize = 10;  // millimetres
inline constexpr int kHighestLabelHeight = 210;

// Keys the number boxes accept: digits, backspace, Enter and delete.
bool IsNumberBoxKey(QChar key);

// A box's text after leaving it: above highest becomes highest, then below
// the lowest size (or empty, or not a number) becomes the lowest size.
QString ClampSizeText(const QString &text, int highest);

// The job's command lines, without line ends: CLS, SIZE, one TEXT per line
// of text (10 dots from the left, 30 dots apart from y 10 on), PRINT 1.
// Empty width or height boxes count as the lowest size.
QStringList LabelJobCommands(const QString &width, const QString &height, const QString &text);

}  // namespace ravo::utility
