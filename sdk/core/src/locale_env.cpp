#include "locale_env.h"

#include <array>
#include <cstdlib>

namespace prt {
namespace {

struct LocaleId {
  std::string_view name;
  uint16_t id;
};

// Full identifiers first; a bare language falls back to its primary id
// with the default sublanguage (0x400).
constexpr std::array<LocaleId, 20> kFull = {{
    {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004},
    {"zh_MO", 0x1404}, {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09},
    {"en_CA", 0x1009}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"es_ES", 0x0C0A},
    {"es_MX", 0x080A}, {"fr_CA", 0x0C0C}, {"de_AT", 0x0C07}, {"de_CH", 0x0807},
    {"fr_CH", 0x100C}, {"fr_BE", 0x080C}, {"nl_BE", 0x0813}, {"sr_RS", 0x241A},
}};

constexpr std::array<LocaleId, 33> kPrimary = {{
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06},
    {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C},
    {"he", 0x0D}, {"hu", 0x0E}, {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12},
    {"nl", 0x13}, {"nb", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18}, {"ru", 0x19},
    {"hr", 0x1A}, {"sk", 0x1B}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"uk", 0x22},
    {"vi", 0x2A}, {"lt", 0x27}, {"lv", 0x26},
}};

}  // namespace

std::string LocaleFromEnvironment(std::initializer_list<const char *> names) {
  for (const char *name : names) {
    const char *value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

uint16_t LanguageIdForLocale(std::string_view locale) {
  std::string_view base = locale.substr(0, locale.find_first_of(".@"));
  for (const LocaleId &entry : kFull) {
    if (base == entry.name) return entry.id;
  }
  std::string_view language = base.substr(0, base.find('_'));
  for (const LocaleId &entry : kPrimary) {
    if (language == entry.name) return static_cast<uint16_t>(entry.id | 0x400);
  }
  return 0x0409;  // C, POSIX and anything unknown read as US English
}

uint16_t UserLanguageId() {
  return LanguageIdForLocale(LocaleFromEnvironment({"LC_ALL", "LC_MESSAGES", "LANG"}));
}

}  // namespace prt
