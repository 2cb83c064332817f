// Template manager: lists the files a TSPL printer keeps in flash or DRAM
// with the room of that memory, runs a stored template, deletes files and
// opens the download window to add some.
#pragma once

#include <QDialog>
#include <functional>

#include "printer_service.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace ravo::utility {

class PrinterActivity;

class T_frmTempletManage : public QDialog {
  Q_OBJECT

 public:
  explicit T_frmTempletManage(QWidget *parent = nullptr);
  ~T_frmTempletManage() override;

  QLabel *lblTempletList;
  QListWidget *lstImagesList;
  QLabel *lblTempletSavePosition;
  QComboBox *cmbTempletSavePosition;
  QLabel *lblSpaceInfo;
  QPushButton *btnDownload;
  QPushButton *btnPrint;
  QPushButton *btnDelCurrent;
  QPushButton *btnDelPosiAll;
  QPushButton *btnDelAll;
  QPushButton *btnRefresh;
  QPushButton *btnClose;
  PrinterActivity *activity;

  // Shows the download window for a storage; replaced by tests.
  std::function<void(QWidget *parent, Storage storage)> openDownload;

  Storage SavePosition() const;
  // Lists the files and room of the chosen storage, off the window thread.
  void RefreshTemplet();
  // Closing cancels a conversation that still waits for the printer.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  enum class Action { Download, Print, DelCurrent, DelPosiAll, DelAll };

  void FormShow();
  void InitLanguage();
  using Conversation = std::function<ServiceResult(const PrinterService &)>;
  // Runs action (when given) and then, with refresh, the listing, in one
  // task; shows the outcome and runs afterwards.
  void Converse(Conversation action, bool refresh, std::function<void()> afterwards = {});
  void ButtonClick(Action action);
  void ShowListing(const ServiceAnswer<StoredFiles> &listed);
  void ShowFiles(const StoredFiles &files);
  QByteArray SelectedName() const;

  QString delCurrentTip_;
  QString delAllTip_;
};

}  // namespace ravo::utility
