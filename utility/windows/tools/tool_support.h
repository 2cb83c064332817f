// Small pieces the tool windows share: the window icon and the open-file dialog (replaceable, so
// tests never block on it).
#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>
#include <functional>

#include "window_messages.h"

class QWidget;

namespace ravo::utility {

// icons/icon.ico beside the program; a null icon when it is missing.
QIcon ToolWindowIcon();

// Asks for a file to open; an empty path when the user cancels.
using FileChooser = std::function<QString(QWidget *parent)>;
// The chooser in use (a file dialog unless replaced).
FileChooser &CurrentFileChooser();
QString ChooseFileToOpen(QWidget *parent);

}  // namespace ravo::utility
