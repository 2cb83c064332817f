// How the main window reaches windows that live in other units.  Each
// group of windows provides a Register… function that fills its entries;
// the program calls them at start-up.  An empty entry means the function
// is not available in this build, and the main window says so.
#pragma once

#include <functional>

#include "mdl_global_catalogue.h"

class QWidget;

namespace ravo::utility {

struct WindowLaunchers {
  // Parameter window for the selected printer, chosen by the model lists.
  std::function<void(QWidget *parent, param::Family which)> parameterSetting;
  // Print test text: the label form (TSPL) or the text form (ESC mode).
  std::function<void(QWidget *parent)> printTextLabel;
  std::function<void(QWidget *parent)> printText;
  std::function<void(QWidget *parent)> commandTest;
  std::function<void(QWidget *parent)> downloadFile;
  std::function<void(QWidget *parent)> templateManager;
};

// The process-wide table (one window thread).
inline WindowLaunchers &Launchers() {
  static WindowLaunchers launchers;
  return launchers;
}

// Provided by the parameter windows and by the test-and-file tools.
void RegisterParameterWindows();
void RegisterToolWindows();

}  // namespace ravo::utility
