// File download window: sends whole files, exactly as they are on disk,
// behind the TSPL word DOWNLOAD into the printer's flash or DRAM.
#pragma once

#include <QDialog>

#include "service_result.h"
#include "stored_files.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace ravo::utility {

class PrinterActivity;

class T_frmDownloadFile_TSPL : public QDialog {
  Q_OBJECT

 public:
  explicit T_frmDownloadFile_TSPL(Storage storage, QWidget *parent = nullptr);

  Storage storage;

  QLabel *lblImagesList;
  QListWidget *lstTempletsList;
  QPushButton *btnAdd;
  QPushButton *btnDel;
  QPushButton *btnDownload;
  QPushButton *btnClose;
  PrinterActivity *activity;

  // Closing cancels a running download before its next piece.
  void done(int result) override;

 private:
  void InitLanguage();
  void btnAddClick();
  void btnDelClick();
  void btnDownloadClick();
  static void ReportDownload(const ServiceResult &result);
};

}  // namespace ravo::utility
