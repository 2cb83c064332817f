// Template manager: lists the files a TSPL printer keeps in flash or DRAM
// with the room of that memory, runs stored templates, deletes files (the
// selected ones, those of one memory, or all) after a confirmation that
// names what goes, and opens the download window to add some.  A printer
// that cannot be reached leaves the window as it is, with the failure in
// its status line and Refresh to try again.
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
  QLabel *lblStatus;
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
  // True once the printer answered the last conversation.
  bool Reachable() const { return reachable_; }
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
  // The one message of a conversation: a printer out of reach is reported
  // once, and the window waits for Refresh.
  void ShowOutcome(const ServiceResult &action,
                   const std::optional<ServiceAnswer<StoredFiles>> &listed);
  void ShowFiles(const StoredFiles &files);
  void SetReachable(bool reachable, const QString &why = {});
  void ButtonClick(Action action);
  void DeleteSelected(Storage storage, const QList<QByteArray> &names);
  void DeleteStorage(Storage storage);
  // Lists both memories, then asks with what each holds.
  void DeleteEverything();
  QList<QByteArray> SelectedNames() const;
  QList<QByteArray> ListedNames() const;
  QString StorageName(Storage storage) const;

  bool reachable_ = false;
};

}  // namespace ravo::utility
