#include "tool_support.h"

#include <QFileDialog>

#include "mdl_global.h"

namespace ravo::utility {

QIcon ToolWindowIcon() {
  return QIcon(mdlGlobal::AppPath + QStringLiteral("icons/icon.ico"));
}

FileChooser &CurrentFileChooser() {
  static FileChooser chooser = [](QWidget *parent) { return QFileDialog::getOpenFileName(parent); };
  return chooser;
}

QString ChooseFileToOpen(QWidget *parent) {
  return CurrentFileChooser()(parent);
}

}  // namespace ravo::utility
