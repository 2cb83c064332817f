#include "unprintable_text.h"

#include "code_page.h"
#include "mdl_global.h"
#include "text_codec.h"

namespace ravo::utility {

QString AnsiCodePageName() {
  return QString::fromStdString(prt::AnsiCharset());
}

QStringList UnprintableCharacters(const QString &text) {
  QByteArray ignored;
  if (QStringToAnsi(text, ignored)) return {};
  QStringList found;
  for (char32_t c : text.toUcs4()) {
    const QString one = QString::fromUcs4(&c, 1);
    if (!found.contains(one) && !QStringToAnsi(one, ignored)) found << one;
  }
  return found;
}

QString CharacterName(const QString &character) {
  const QList<uint> points = character.toUcs4();
  const uint point = points.isEmpty() ? 0 : points.first();
  return QStringLiteral("%1 (U+%2)")
      .arg(character, QString::number(point, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

QString UnprintableWarning(const QString &text, int most) {
  const QStringList characters = UnprintableCharacters(text);
  if (characters.isEmpty()) return {};
  QStringList named;
  for (const QString &character : characters.mid(0, most)) named << CharacterName(character);
  if (characters.size() > most) named << QStringLiteral("…");
  QString warning = mdlGlobal::GetLangString(QStringLiteral("_Warn_Unprintable"));
  warning.replace(QLatin1String("{codepage}"), AnsiCodePageName());
  warning.replace(QLatin1String("{characters}"), named.join(QLatin1String(", ")));
  return warning;
}

}  // namespace ravo::utility
