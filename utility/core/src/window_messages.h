// The kinds of boxes the windows show, with the titles and icons every
// window uses.  They go through message_box.h, so tests see them.
#pragma once

#include <QString>
#include <cstdint>

#include "printer_service.h"
#include "service_result.h"

namespace ravo::utility {

// The one form of a failure with a result code, in every window:
//   <text>:<code>
//   <what it concerned, when given: a file, a port string, a character>
//   <the printer library's message for the code>
// The library's message follows the chosen language (Chinese for both
// Chinese sections, else English); code 0 adds neither code nor message.
QString ErrorCodeText(const QString &text, int32_t code, const QString &subject = {});
// The library's message for a result code in the chosen language.
QString LibraryMessage(int32_t code);

// ErrorCodeText under the error title with the error icon.
void ShowErrorCode(const QString &text, int32_t code, const QString &subject = {});
// A failed conversation in the same form, with what it concerned (a file,
// a character) on the line after the code where that helps.
QString ServiceErrorText(const ServiceResult &result);
void ShowServiceError(const ServiceResult &result);
// The text alone under the error title with the error icon.
void ShowError(const QString &text);
// The text under the information title with the information icon.
void ShowInformation(const QString &text);
// The text under the warning title with the warning icon: something worked
// only in part.
void ShowWarning(const QString &text);
// A box with no title of its own, for texts that come from the system.
void ShowPlain(const QString &text);
// The outcome of a connection test: the port failed to open (error), the
// printer answered (information), was silent (warning), or sits on a
// parallel port that cannot answer (information).
void ShowConnectionCheck(const ServiceResult &opened, ConnectionCheck check);
// OK/Cancel question under the warning title, Cancel the default; true on OK.
bool Confirm(const QString &text);
// The same with the warning icon: going on has a cost the text names.
bool ConfirmWarning(const QString &text);

}  // namespace ravo::utility
