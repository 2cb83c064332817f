// The message boxes of the parameter windows, shown through message_box.h
// with the language file's titles.
#pragma once

#include <QString>

namespace ravo::utility {

// The text under the error title with the error icon.
void ShowParamError(const QString &text);
// The text under the information title with the information icon.
void ShowParamInformation(const QString &text);

}  // namespace ravo::utility
