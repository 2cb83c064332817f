#include "startup.h"

#include <cstdio>

#include "message_box.h"

namespace ravo::utility {

bool StartUtility(const QStringList &arguments, UtilityWindows &windows) {
  const mdlGlobal::StartupOptions options = mdlGlobal::ParseStartupOptions(arguments);
  mdlGlobal::SetDefaultFileNames();
  mdlGlobal::InitGlobals(options);
  if (const QString problem = mdlGlobal::LanguageFileProblem(); !problem.isEmpty()) {
    std::fprintf(stderr, "RavoUtilityLabel: %s\n", qPrintable(problem));
    ShowMessage(
        {MessageIcon::Error, QStringLiteral("RavoUtilityLabel"), problem, MessageButtons::Ok});
    return false;
  }
  // One main window: its creation runs the start-up steps (and their
  // messages) that every later window relies on.
  if (arguments.contains(QStringLiteral("--dealer"))) {
    windows.main = std::make_unique<T_frmMain_Label_Dealer>(options);
  } else {
    windows.main = std::make_unique<T_frmMain_Label>(options);
  }
  windows.manage = std::make_unique<T_frmPrinterManage_Label>(windows.main.get());
  windows.main->SetPrinterDialog(windows.manage.get());
  return true;
}

}  // namespace ravo::utility
