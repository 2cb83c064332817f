// File download window: sends whole files, exactly as they are on disk,
// behind the TSPL word DOWNLOAD into the printer's flash or DRAM.  The list
// shows each file's size and the total.
#pragma once

#include <QDialog>

#include "service_result.h"
#include "stored_files.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace ravo::utility {

class PrinterActivity;

class T_frmDownloadFile_TSPL : public QDialog {
  Q_OBJECT

 public:
  explicit T_frmDownloadFile_TSPL(Storage storage, QWidget *parent = nullptr);

  Storage storage;

  QLabel *lblImagesList;
  // One row a file: its path and size.
  QTreeWidget *lstTempletsList;
  QLabel *lblTotal;
  QPushButton *btnAdd;
  QPushButton *btnDel;
  QPushButton *btnDownload;
  QPushButton *btnClose;
  PrinterActivity *activity;

  // Appends a file to the list and selects it.
  void AddFile(const QString &path);
  QStringList Files() const;

  // Closing cancels a running download before its next piece.
  void done(int result) override;

 private:
  void InitLanguage();
  void btnAddClick();
  void btnDelClick();
  void btnDownloadClick();
  void ShowTotal();
  static void ReportDownload(const ServiceResult &result);
};

}  // namespace ravo::utility
