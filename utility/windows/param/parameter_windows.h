// Creating the parameter window of a family; RegisterParameterWindows
// (window_launchers.h) hands the main window a launcher built on it.
#pragma once

#include <memory>

#include "param_form.h"

namespace ravo::utility {

std::unique_ptr<ParamForm> CreateParameterWindow(param::Family family, QWidget *parent);

}  // namespace ravo::utility
