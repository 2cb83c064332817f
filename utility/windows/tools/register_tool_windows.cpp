// Each tool window is made for one modal showing and destroyed afterwards.
#include "frm_command_test.h"
#include "frm_download_file_tspl.h"
#include "frm_print_text.h"
#include "frm_templet_manage.h"
#include "mdl_global_catalogue.h"
#include "window_launchers.h"

namespace ravo::utility {

void RegisterToolWindows() {
  WindowLaunchers &launchers = Launchers();
  launchers.printTextLabel = [](QWidget *parent) {
    T_frmPrintTextLabel window(parent);
    window.paperWidth = mdlGlobal::GetPaperWidth();
    window.exec();
  };
  launchers.printText = [](QWidget *parent) {
    T_frmPrintText window(parent);
    window.exec();
  };
  launchers.commandTest = [](QWidget *parent) {
    T_frmCommandTest window(parent);
    window.exec();
  };
  launchers.downloadFile = [](QWidget *parent) {
    T_frmDownloadFile_TSPL window(Storage::Flash, parent);
    window.exec();
  };
  launchers.templateManager = [](QWidget *parent) {
    T_frmTempletManage window(parent);
    window.exec();
  };
}

}  // namespace ravo::utility
