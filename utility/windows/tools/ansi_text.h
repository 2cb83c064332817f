// Text for the printer in the system 8-bit code page.
#pragma once

#include <QByteArray>
#include <QString>

namespace ravo::utility {

// The text in the system code page; a character without a mapping becomes
// '?' instead of losing the whole text, as the platform converter does.
QByteArray ToAnsi(const QString &text);

// Edit boxes hold LF line breaks; the printer gets CR LF.
QString WithCrLf(const QString &text);

}  // namespace ravo::utility
