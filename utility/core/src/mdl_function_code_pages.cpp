// The printer code pages and national character sets shown in the
// parameter windows; the printer stores their numbers.
#include <array>

#include "mdl_function.h"

namespace mdlFunction {
namespace {

constexpr std::array<CodePageRow, 46> kCodePages = {{
    {"Default", 0},
    {"PC437(USA:Standard Europe)", 0},
    {"Katakana", 1},
    {"PC850(Multilingual)", 2},
    {"PC860(Portuguese)", 3},
    {"PC863(Canadian-French)", 4},
    {"PC865(Nordic)", 5},
    {"PC857(Turkish)", 13},
    {"PC737(Greek)", 14},
    {"ISO8859-7(Greek)", 15},
    {"WPC1252", 16},
    {"PC866(Cyrillic #2)", 17},
    {"PC852(Latin 2)", 18},
    {"PC858(Euro)", 19},
    {"KU42", 20},
    {"TIS11(Thai)", 21},
    {"TIS18(Thai)", 26},
    {"PC720", 32},
    {"WPC775", 33},
    {"PC855(Cyrillic)", 34},
    {"PC862(Hebrew)", 36},
    {"PC864(Arabic)", 37},
    {"ISO8859-2(Latin2)", 39},
    {"ISO8859-15(Latin9)", 40},
    {"WPC1250", 45},
    {"WPC1251(Cyrillic)", 46},
    {"WPC1253", 47},
    {"WPC1254", 48},
    {"WPC1255", 49},
    {"WPC1256", 50},
    {"WPC1257", 51},
    {"WPC1258", 52},
    {"MIK(Cyrillic/Bulgarian)", 54},
    {"CP755(East Europe,Latvian 2)", 55},
    {"Iran", 56},
    {"Iran II", 57},
    {"Latvian", 58},
    {"ISO-8859-1(West Europe)", 59},
    {"ISO-8859-3(Latin 3)", 60},
    {"ISO-8859-4(Baltic)", 61},
    {"ISO-8859-5(Cyrillic)", 62},
    {"ISO-8859-6(Arabic)", 63},
    {"ISO-8859-8(Hebrew)", 64},
    {"ISO-8859-9(Turkish)", 65},
    {"PC856", 66},
    {"ABICOMP", 67},
}};

}  // namespace

std::span<const CodePageRow> CodePageTable() {
  return kCodePages;
}

QStringList FillCodePageList() {
  QStringList names;
  for (const CodePageRow &row : kCodePages) names << QString::fromLatin1(row.name);
  return names;
}

QString ConvertCodePage(const QString &name, const QString &number) {
  for (const CodePageRow &row : kCodePages) {
    if (!name.isEmpty() && name == QLatin1String(row.name)) return QString::number(row.number);
    if (name.isEmpty() && number == QString::number(row.number)) {
      return QString::fromLatin1(row.name);
    }
  }
  return QStringLiteral("0");
}

QStringList InternationalCharacterList() {
  // U+2160 and U+2161 are the single-character Roman numerals I and II.
  return {QStringLiteral("U.S.A."),
          QStringLiteral("France"),
          QStringLiteral("Germany"),
          QStringLiteral("U.K."),
          QStringLiteral("Denmark \u2160"),
          QStringLiteral("Sweden"),
          QStringLiteral("Italy"),
          QStringLiteral("Spain \u2160"),
          QStringLiteral("Japan"),
          QStringLiteral("Norway"),
          QStringLiteral("Denmark \u2161"),
          QStringLiteral("Spain \u2161"),
          QStringLiteral("Latin"),
          QStringLiteral("Korea"),
          QStringLiteral("Slovenia/Croatia"),
          QStringLiteral("China")};
}

int GetInternationalCharIndex(const QString &name) {
  const qsizetype index = InternationalCharacterList().indexOf(name);
  return index < 0 ? 0 : static_cast<int>(index);
}

}  // namespace mdlFunction
