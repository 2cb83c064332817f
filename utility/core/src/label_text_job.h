// The test label of a typed text, as the print-text-label window and
// `ravo print-text` send it, and the rules of the window's size boxes.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

#include "service_result.h"
#include "unprintable_text.h"

namespace ravo::utility {

inline constexpr int kLowestLabelSize = 10;  // millimetres
inline constexpr int kHighestLabelHeight = 210;

// The printer font the lines are set in, and its cell height in dots: the
// lines are that far apart, so they never overlap.
inline constexpr char kLabelTextFont[] = "5";
inline constexpr int kLabelTextFontHeight = 48;
inline constexpr int kLabelTextTop = 10;

// A box's text after leaving it: above highest becomes highest, then below
// the lowest size (or empty, or not a number) becomes the lowest size.
QString ClampSizeText(const QString &text, int highest);

// A double quote in a TSPL string, written the way TSPL reads it back.
QString EscapeTsplString(const QString &text);

// The job's command lines in the system code page, without line ends:
// CLS, SIZE, one TEXT per line of text (10 dots from the left, one font
// height apart from y 10 on), PRINT 1.  Width and height are the boxes'
// texts in millimetres (an empty box counts as the lowest size).  Refused:
// a blank text (EmptyText), a control character other than a line break
// (TextControl, the character as "U+000D"), and unless `unprintable` says
// Replace, a character the code page cannot carry (TextCodePage, the
// character).
ServiceAnswer<QList<QByteArray>> LabelTextJob(const QString &width, const QString &height,
                                              const QString &text,
                                              Unprintable unprintable = Unprintable::Refuse);

}  // namespace ravo::utility
