// Start-up as the program runs it, so that tests can run it too: the
// language file is checked first, then the main window (one of the two
// variants) and the printer dialog are built.
#pragma once

#include <QStringList>
#include <memory>

#include "form_main_label.h"
#include "form_printer_manage_label.h"

namespace ravo::utility {

struct UtilityWindows {
  std::unique_ptr<T_frmMain_Label> main;  // the printer dialog is its child
  std::unique_ptr<T_frmPrinterManage_Label> manage;
};

// Builds the windows for the command line (--files, --language, --dealer).
// When the language file cannot give the texts, says so in a box (built-in
// English, since no texts can be read) and on the error stream, builds
// nothing and returns false; the program then exits non-zero.
bool StartUtility(const QStringList &arguments, UtilityWindows &windows);

}  // namespace ravo::utility
