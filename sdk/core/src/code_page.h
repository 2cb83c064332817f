// The process-wide 8-bit code page (the "ANSI code page") and conversions
// between it, UTF-16 and UTF-8.  RAVO_ACP names an iconv character set and
// wins; otherwise the locale's language decides, as a desktop system does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "prt.h"

namespace prt {

// iconv name of the 8-bit code page in force, e.g. "GBK" or "CP1252".
std::string AnsiCharset();

// The code page a locale name ("zh_CN.UTF-8", "de_DE", "C") implies.
std::string CharsetForLocale(std::string_view locale);

// Converts between character sets.  Returns 0, or the errno of the failed
// conversion (EILSEQ for a character the target cannot hold, EINVAL for an
// incomplete sequence or an unknown character set).
int32_t ConvertCharset(const char *from, const char *to, std::string_view in, std::string &out);

int32_t Utf16ToAnsi(std::u16string_view in, std::string &out);
int32_t AnsiToUtf16(std::string_view in, std::u16string &out);
int32_t Utf8ToUtf16(std::string_view in, std::u16string &out);
int32_t Utf8ToCharset(std::string_view in, const char *charset, std::string &out);

// Length of a NUL-terminated UTF-16 string; a null pointer has length 0.
std::u16string_view WideView(const PrtWChar *text);

}  // namespace prt
