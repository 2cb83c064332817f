// The three kinds of boxes the windows show, with the titles and icons
// every window uses.  They go through message_box.h, so tests see them.
#pragma once

#include <QString>
#include <cstdint>

#include "service_result.h"

namespace ravo::utility {

// "<text>:<code>" under the error title with the error icon.
void ShowErrorCode(const QString &text, int32_t code);
// A failed conversation: its language text, ":" and the code when there is
// one, and what it concerned (a file, a character) where that helps.
QString ServiceErrorText(const ServiceResult &result);
void ShowServiceError(const ServiceResult &result);
// The text alone under the error title with the error icon.
void ShowError(const QString &text);
// The text under the information title with the information icon.
void ShowInformation(const QString &text);
// A box with no title of its own, for texts that come from the system.
void ShowPlain(const QString &text);
// OK/Cancel question under the warning title, Cancel the default; true on OK.
bool Confirm(const QString &text);

}  // namespace ravo::utility
