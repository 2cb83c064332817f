// Text decoding for the data files: the 8-bit system code page, UTF-8 and
// UTF-16 with a byte-order mark.
#pragma once

#include <QByteArray>
#include <QString>

namespace ravo::utility {

// 8-bit text in the system code page to Unicode; bytes that do not convert
// come out as U+FFFD rather than losing the rest of the text.
QString AnsiToQString(const QByteArray &bytes);

// Unicode to the system code page; false when a character has no mapping.
bool QStringToAnsi(const QString &text, QByteArray &out);

// The text in the system code page; a character without a mapping becomes
// '?' instead of losing the whole text, as the platform converter does.
QByteArray ToAnsi(const QString &text);

// Edit boxes hold LF line breaks; printers get CR LF.
QString WithCrLf(const QString &text);

// A whole text file as Unicode: UTF-16 (LE/BE) or UTF-8 when a byte-order
// mark says so, UTF-8 when the bytes are valid UTF-8, else the code page.
QString DecodeTextFile(const QByteArray &bytes);

}  // namespace ravo::utility
