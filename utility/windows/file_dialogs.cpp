#include "file_dialogs.h"

#include <QFileDialog>

namespace ravo::utility {

FileChooser &CurrentFileChooser() {
  static FileChooser chooser = [](QWidget *parent, const QString &filter) {
    return QFileDialog::getOpenFileName(parent, {}, {}, filter);
  };
  return chooser;
}

SaveFileChooser &CurrentSaveFileChooser() {
  static SaveFileChooser chooser = [](QWidget *parent, const QString &suggested,
                                      const QString &filter) {
    return QFileDialog::getSaveFileName(parent, {}, suggested, filter);
  };
  return chooser;
}

QString ChooseFileToOpen(QWidget *parent, const QString &filter) {
  return CurrentFileChooser()(parent, filter);
}

QString ChooseFileToSave(QWidget *parent, const QString &suggested, const QString &filter) {
  return CurrentSaveFileChooser()(parent, suggested, filter);
}

}  // namespace ravo::utility
