// Qt's side of the chosen language: the locale of a language section and
// Qt's own translations (standard buttons, file dialogs, validation
// messages), which Debian ships in qt6-translations-l10n.
#pragma once

#include <QLocale>
#include <QString>

namespace ravo::utility {

// 2052 Chinese (China), 1028 Chinese (Taiwan), 1033 and anything else
// English (United States).
QLocale LocaleOfLanguage(const QString &languageId);

// Makes the language's locale the default (dates, numbers) and loads Qt's
// translations for it into the application, replacing any loaded before.
// False when they are not installed for a language that has them (Qt's
// texts then stay English); English needs none and gives true.
bool InstallQtTranslations(const QString &languageId);

}  // namespace ravo::utility
