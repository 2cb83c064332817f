// The user's locale and language as the environment gives them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace prt {

// First non-empty of the named variables, or "C".
std::string LocaleFromEnvironment(std::initializer_list<const char *> names);

// Desktop-style language identifier (primary id | sublanguage << 10) for a
// locale name: "zh_CN" -> 2052, "en_US" -> 1033, "C" -> 1033.
uint16_t LanguageIdForLocale(std::string_view locale);

// The user's language identifier from LC_ALL, LC_MESSAGES, LANG.
uint16_t UserLanguageId();

// Low 10 bits of a language identifier: 4 = Chinese, 9 = English ...
inline int32_t PrimaryLanguage(uint16_t languageId) { return languageId & 0x3FF; }

}  // namespace prt
