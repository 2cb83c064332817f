#include "frm_templet_manage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>
#include <array>

#include "frm_download_file_tspl.h"
#include "mdl_global.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "text_codec.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

namespace {

constexpr int kNameRole = Qt::UserRole;  // the name's bytes as the printer listed them

// Failures to reach the printer show their code; the rest their text.
void Report(const ServiceResult &result) {
  if (result.ok()) return;
  const bool reaching =
      result.message == ServiceMessage::OpenPort || result.message == ServiceMessage::CreatePrinter;
  if (reaching) return ShowErrorCode(result.Text(), result.code);
  ShowServiceError(result);
}

void OpenDownloadWindow(QWidget *parent, Storage storage) {
  T_frmDownloadFile_TSPL window(storage, parent);
  window.exec();
}

}  // namespace

T_frmTempletManage::T_frmTempletManage(QWidget *parent)
    : QDialog(parent), openDownload(OpenDownloadWindow) {
  lblTempletList = new QLabel(QStringLiteral("模板列表："), this);
  lstImagesList = new QListWidget(this);
  lblTempletSavePosition = new QLabel(QStringLiteral("模板位置："), this);
  cmbTempletSavePosition = new QComboBox(this);
  lblSpaceInfo = new QLabel(this);
  btnDownload = new QPushButton(QStringLiteral("下载"), this);
  btnPrint = new QPushButton(QStringLiteral("打印"), this);
  btnDelCurrent = new QPushButton(QStringLiteral("删除选定模板"), this);
  btnDelPosiAll = new QPushButton(QStringLiteral("删除当前位置模板"), this);
  btnDelAll = new QPushButton(QStringLiteral("删除所有模板"), this);
  btnRefresh = new QPushButton(QStringLiteral("刷新"), this);
  btnClose = new QPushButton(QStringLiteral("关闭"), this);

  auto *grid = new QGridLayout(this);
  grid->addWidget(lblTempletList, 0, 0);
  grid->addWidget(lstImagesList, 1, 0, 7, 1);
  grid->addWidget(lblSpaceInfo, 8, 0);
  grid->addWidget(lblTempletSavePosition, 0, 1);
  grid->addWidget(cmbTempletSavePosition, 1, 1);
  int row = 2;
  for (QPushButton *b :
       {btnDownload, btnPrint, btnDelCurrent, btnDelPosiAll, btnDelAll, btnRefresh, btnClose}) {
    grid->addWidget(b, row++, 1);
  }
  activity = new PrinterActivity(this);
  activity->Guard({lstImagesList, cmbTempletSavePosition, btnDownload, btnPrint, btnDelCurrent,
                   btnDelPosiAll, btnDelAll, btnRefresh});
  grid->addWidget(activity, 9, 0, 1, 2);

  const std::array<std::pair<QPushButton *, Action>, 5> actions{{
      {btnDownload, Action::Download},
      {btnPrint, Action::Print},
      {btnDelCurrent, Action::DelCurrent},
      {btnDelPosiAll, Action::DelPosiAll},
      {btnDelAll, Action::DelAll},
  }};
  for (auto [button, action] : actions) {
    connect(button, &QPushButton::clicked, this, [this, a = action] { ButtonClick(a); });
  }
  connect(btnRefresh, &QPushButton::clicked, this, &T_frmTempletManage::RefreshTemplet);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmbTempletSavePosition, &QComboBox::currentIndexChanged, this,
          &T_frmTempletManage::RefreshTemplet);
}

T_frmTempletManage::~T_frmTempletManage() = default;

Storage T_frmTempletManage::SavePosition() const {
  return cmbTempletSavePosition->currentIndex() == 1 ? Storage::Dram : Storage::Flash;
}

void T_frmTempletManage::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void T_frmTempletManage::done(int result) {
  activity->Cancel();  // closing does not wait for a slow printer
  QDialog::done(result);
}

void T_frmTempletManage::FormShow() {
  InitLanguage();
  // A connection check, then the listing.
  Converse([](const PrinterService &service) { return service.TestConnection(); }, true);
}

void T_frmTempletManage::InitLanguage() {
  setWindowTitle(GetLangString(QStringLiteral("FormTempletManage_Caption")));
  lblTempletList->setText(GetLangString(QStringLiteral("FormTempletManage_lblTempletList")));
  lblTempletSavePosition->setText(
      GetLangString(QStringLiteral("FormTempletManage_lblTempletSavePosition")));
  {
    QSignalBlocker quiet(cmbTempletSavePosition);  // the refresh follows anyway
    cmbTempletSavePosition->clear();
    cmbTempletSavePosition->addItem(
        GetLangString(QStringLiteral("FormTempletManage_cmbTempletSavePosition_Item2")));
    cmbTempletSavePosition->addItem(
        GetLangString(QStringLiteral("FormTempletManage_cmbTempletSavePosition_Item1")));
    cmbTempletSavePosition->setCurrentIndex(0);
  }
  btnDownload->setText(GetLangString(QStringLiteral("FormTempletManage_btnDownload")));
  btnPrint->setText(GetLangString(QStringLiteral("FormTempletManage_btnPrint")));
  btnDelCurrent->setText(GetLangString(QStringLiteral("FormTempletManage_btnDelCurrent")));
  btnDelPosiAll->setText(GetLangString(QStringLiteral("FormTempletManage_btnDelPosiAll")));
  btnDelAll->setText(GetLangString(QStringLiteral("FormTempletManage_btnDelAll")));
  btnRefresh->setText(GetLangString(QStringLiteral("FormTempletManage_btnRefresh")));
  btnClose->setText(Msg.Close);
  delCurrentTip_ = GetLangString(QStringLiteral("FormTempletManage_DelCurrentTip"));
  delAllTip_ = GetLangString(QStringLiteral("FormTempletManage_DelAllTip"));
}

void T_frmTempletManage::RefreshTemplet() {
  Converse({}, true);
}

void T_frmTempletManage::Converse(Conversation action, bool refresh,
                                  std::function<void()> afterwards) {
  struct Outcome {
    ServiceResult action;
    std::optional<ServiceAnswer<StoredFiles>> listed;
  };
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  const Storage storage = SavePosition();
  activity->Run<Outcome>(
      [printer, storage, action, refresh](const TaskControl &control) {
        const PrinterService service(printer, &control);
        Outcome outcome;
        if (action) outcome.action = action(service);
        if (refresh) outcome.listed = service.ListStoredFiles(storage);
        return outcome;
      },
      [this, afterwards](Outcome outcome) {
        Report(outcome.action);
        if (outcome.listed) ShowListing(*outcome.listed);
        if (afterwards) afterwards();
      });
}

void T_frmTempletManage::ShowListing(const ServiceAnswer<StoredFiles> &listed) {
  Report(listed.result);
  ShowFiles(listed.value);
  if (listed.value.room) {
    lblSpaceInfo->setText(SpaceText(GetLangString(QStringLiteral("FormTempletManage_lblSpaceInfo")),
                                    *listed.value.room));
  } else {
    ShowError(Msg.Err_ReadData);
  }
}

void T_frmTempletManage::ShowFiles(const StoredFiles &files) {
  lstImagesList->clear();
  for (const QByteArray &name : files.names) {
    auto *item = new QListWidgetItem(AnsiToQString(name), lstImagesList);
    item->setData(kNameRole, name);
  }
  const bool any = lstImagesList->count() > 0;
  btnDelPosiAll->setEnabled(any);
  btnDelAll->setEnabled(any);
}

QByteArray T_frmTempletManage::SelectedName() const {
  QListWidgetItem *item = lstImagesList->currentItem();
  if (item == nullptr || !item->isSelected()) return {};
  return item->data(kNameRole).toByteArray();
}

void T_frmTempletManage::ButtonClick(Action action) {
  const bool selected =
      lstImagesList->currentItem() != nullptr && lstImagesList->currentItem()->isSelected();
  const QByteArray name = SelectedName();
  const Storage storage = SavePosition();
  switch (action) {
    case Action::Download:
      openDownload(this, storage);
      return Converse({}, true, [this] {
        if (lstImagesList->count() > 0) lstImagesList->setCurrentRow(0);
      });
    case Action::Print:
      // Printing lists nothing new, so no refresh follows.
      if (!selected) return;
      return Converse([name](const PrinterService &s) { return s.RunStoredFile(name); }, false);
    case Action::DelCurrent:
      if (!Confirm(delCurrentTip_)) return RefreshTemplet();
      if (!selected) return ShowError(QStringLiteral("No template is selected."));
      return Converse(
          [storage, name](const PrinterService &s) { return s.DeleteStoredFile(storage, name); },
          true);
    case Action::DelPosiAll:
      if (!Confirm(delAllTip_)) return RefreshTemplet();
      return Converse([storage](const PrinterService &s) { return s.DeleteStoredFiles(storage); },
                      true);
    case Action::DelAll:
      if (!Confirm(delAllTip_)) return RefreshTemplet();
      return Converse([](const PrinterService &s) { return s.DeleteAllStoredFiles(); }, true);
  }
}

}  // namespace ravo::utility
