#include "param_map_source.h"

namespace ravo::cli {

std::string FamilyName(mdlGlobal::ParameterWindow window) {
  switch (window) {
    case mdlGlobal::ParameterWindow::TQX:
      return "TQX";
    case mdlGlobal::ParameterWindow::TQM:
      return "TQM";
    case mdlGlobal::ParameterWindow::HMZ:
      return "HMZ";
    case mdlGlobal::ParameterWindow::Q73:
      return "Q73";
    case mdlGlobal::ParameterWindow::TGV:
      return "TGV";
  }
  return "TQX";
}

std::vector<MapField> MapFields(const std::string &) {
  return {};
}

}  // namespace ravo::cli
