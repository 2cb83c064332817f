// Characters a printer cannot print because the 8-bit code page the text
// is sent in has no byte for them (Chinese under a Western code page).
// Windows warn before sending, naming them, and may then send the text with
// each one replaced by '?'.
#pragma once

#include <QString>
#include <QStringList>

namespace ravo::utility {

// What a conversation does with such characters.
enum class Unprintable {
  Refuse,   // TextCodePage, nothing is sent
  Replace,  // each becomes '?', as the platform converter does
};

// The iconv name of the code page text is sent in ("CP1252", "GBK").
QString AnsiCodePageName();

// The characters of text the code page cannot carry, each once, in the
// order they first occur (a surrogate pair is one character).
QStringList UnprintableCharacters(const QString &text);

// A character for a message: itself and its code point, "中 (U+4E2D)".
QString CharacterName(const QString &character);

// The warning before sending: the language text of "_Warn_Unprintable"
// with {codepage} and {characters} filled in (at most `most` characters
// named, then "…"); empty when every character can be printed.
QString UnprintableWarning(const QString &text, int most = 12);

}  // namespace ravo::utility
