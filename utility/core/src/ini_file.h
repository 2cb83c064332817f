// INI files read through SimpleIni: sections and keys match without regard
// to case, values are trimmed.  Parsed files are kept and reparsed when the
// file's modification time or size changes.
#pragma once

#include <QString>

namespace ravo::utility {

// Value of key in section of the INI file at path; empty when the file,
// section or key is missing.
QString IniValue(const QString &path, const QString &section, const QString &key);

// True when the INI file at path can be read and has the section.
bool IniHasSection(const QString &path, const QString &section);

// Forgets every parsed file (tests that rewrite a file within one clock tick).
void ClearIniCache();

}  // namespace ravo::utility
