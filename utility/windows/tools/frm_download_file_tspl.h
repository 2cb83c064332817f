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

class T_frmDownloadFile_TSPL : public QDialog {
  Q_OBJECT

 public:
  explicit T_frmDownloadFile_TSPL(Storage storage, QWidget *parent = nullptr);

  Storage storage;

  QLabel *lblImagesList;
  QListWidget *lstTempletsList;
  QProgressBar *prgDownload;
  QPushButton *btnAdd;
  QPushButton *btnDel;
  QPushButton *btnDownload;
  QPushButton *btnClose;

  bool Downloading() const { return downloading_; }

 public slots:
  void reject() override;

 private:
  void InitLanguage();
  void btnAddClick();
  void btnDelClick();
  void btnDownloadClick();
  void ReportDownload(const ServiceResult &result);
  void SetBusy(bool busy);
  void ShowProgress(qint64 sent, qint64 total);

  bool downloading_ = false;
};

}  // namespace ravo::utility
