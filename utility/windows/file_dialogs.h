// The file dialogs of the windows, replaceable so that tests never block on
// one: each chooser returns a path, or an empty one when the user cancels.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ravo::utility {

// filter: a QFileDialog name filter ("Parameter blocks (*.bin)"), or empty
// for every file.
using FileChooser = std::function<QString(QWidget *parent, const QString &filter)>;
// suggested: the file name the dialog starts with.
using SaveFileChooser =
    std::function<QString(QWidget *parent, const QString &suggested, const QString &filter)>;

// The choosers in use (file dialogs unless replaced).
FileChooser &CurrentFileChooser();
SaveFileChooser &CurrentSaveFileChooser();

QString ChooseFileToOpen(QWidget *parent, const QString &filter = {});
QString ChooseFileToSave(QWidget *parent, const QString &suggested, const QString &filter = {});

}  // namespace ravo::utility
