#include "language_locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace ravo::utility {
namespace {

struct LanguageRow {
  const char *id;
  QLocale::Language language;
  QLocale::Script script;
  QLocale::Territory territory;
};

constexpr LanguageRow kLanguages[] = {
    {"2052", QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China},
    {"1028", QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan},
    {"1033", QLocale::English, QLocale::LatinScript, QLocale::UnitedStates},
};

std::unique_ptr<QTranslator> &Installed() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

}  // namespace

QLocale LocaleOfLanguage(const QString &languageId) {
  for (const LanguageRow &row : kLanguages) {
    if (languageId == QLatin1String(row.id)) return {row.language, row.script, row.territory};
  }
  return {QLocale::English, QLocale::UnitedStates};
}

bool InstallQtTranslations(const QString &languageId) {
  const QLocale locale = LocaleOfLanguage(languageId);
  QLocale::setDefault(locale);
  std::unique_ptr<QTranslator> &installed = Installed();
  if (installed) QCoreApplication::removeTranslator(installed.get());
  installed.reset();
  if (locale.language() == QLocale::English) return true;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}

}  // namespace ravo::utility
