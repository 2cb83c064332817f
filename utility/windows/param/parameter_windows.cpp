#include "parameter_windows.h"

#include "form_para_set_hmz.h"
#include "form_para_set_q73.h"
#include "form_para_set_tgv.h"
#include "form_para_set_tqm.h"
#include "form_para_set_tqx.h"
#include "window_launchers.h"

namespace ravo::utility {
namespace {

template <typename Window>
std::unique_ptr<ParamForm> Make(QWidget *parent) {
  return std::make_unique<Window>(parent);
}

struct WindowRow {
  param::Family family;
  std::unique_ptr<ParamForm> (*create)(QWidget *);
};

constexpr WindowRow kWindows[] = {
    {param::Family::TQX, Make<T_frmParaSet_TQX>}, {param::Family::TQM, Make<T_frmParaSet_TQM>},
    {param::Family::TGV, Make<T_frmParaSet_TGV>}, {param::Family::HMZ, Make<T_frmParaSet_HMZ>},
    {param::Family::Q73, Make<T_frmParaSet_Q73>},
};

}  // namespace

std::unique_ptr<ParamForm> CreateParameterWindow(param::Family family, QWidget *parent) {
  for (const WindowRow &row : kWindows) {
    if (row.family == family) return row.create(parent);
  }
  return Make<T_frmParaSet_TQX>(parent);
}

void RegisterParameterWindows() {
  Launchers().parameterSetting = [](QWidget *parent, param::Family which) {
    // One modal showing; the window is destroyed when it closes.
    const std::unique_ptr<ParamForm> window = CreateParameterWindow(which, parent);
    window->exec();
  };
}

}  // namespace ravo::utility
