// Small pieces the tool windows share: their message boxes, the window
// icon and the open-file dialog (replaceable, so tests never block on it).
#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace ravo::utility {

// "text:code" with the error title and icon.
void ShowCodeError(const QString &text, int32_t code);
// The text alone with the error title and icon.
void ShowError(const QString &text);
// The text with the message title and the information icon.
void ShowInformation(const QString &text);
// A box with no title of its own, for texts that come from the system.
void ShowPlain(const QString &text);
// OK/Cancel with the warning title, Cancel the default; true on OK.
bool Confirm(const QString &text);

// icons/icon.ico beside the program; a null icon when it is missing.
QIcon ToolWindowIcon();

// Asks for a file to open; an empty path when the user cancels.
using FileChooser = std::function<QString(QWidget *parent)>;
// The chooser in use (a file dialog unless replaced).
FileChooser &CurrentFileChooser();
QString ChooseFileToOpen(QWidget *parent);

}  // namespace ravo::utility
