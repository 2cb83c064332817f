// Small pieces the tool windows share: the window icon and the file dialogs
// (file_dialogs.h, replaceable so tests never block on them).
#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>
#include <functional>

#include "file_dialogs.h"
#include "window_messages.h"

class QWidget;

namespace ravo::utility {

// icons/icon.ico beside the program; a null icon when it is missing.
QIcon ToolWindowIcon();

}  // namespace ravo::utility
