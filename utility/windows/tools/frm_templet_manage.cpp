#include "frm_templet_manage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QThread>
#include <algorithm>
#include <array>
#include <exception>

#include "frm_download_file_tspl.h"
#include "mdl_global.h"
#include "mdl_printer_lib_tspl.h"
#include "template_files.h"
#include "text_codec.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;
using namespace mdlPrinterLib_TSPL;

namespace {

constexpr int kAnswerPauseMs = 300;
constexpr int kListBufferSize = 1024;
constexpr int kNameRole = Qt::UserRole;  // the name's bytes as the printer listed them

void Write(const QByteArray &bytes) {
  if (bytes.isEmpty()) return;
  TsplWriteData(reinterpret_cast<const uint8_t *>(bytes.constData()),
                static_cast<int32_t>(bytes.size()));
}

void OpenPortReporting() {
  int32_t result = TsplOpenPort(mdlGlobal::SelectedPort);
  mdlGlobal::PrinterResult = result;
  if (result != 0) ShowErrorCode(Msg.Err_OpenPort, result);
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

void T_frmTempletManage::hideEvent(QHideEvent *event) {
  if (!event->spontaneous()) TsplClosePort();  // FormClose
  QDialog::hideEvent(event);
}

void T_frmTempletManage::FormShow() {
  int32_t result = TsplCreatePrinter(mdlGlobal::SelectedModel);
  mdlGlobal::PrinterResult = result;
  if (result != 0) {
    ShowErrorCode(Msg.Err_CreatePrinter, result);
  } else {
    OpenPortReporting();
    TsplClosePort();
  }
  InitLanguage();
  RefreshTemplet();
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
  try {
    OpenPortReporting();
    ListFiles();
    ShowSpace();
  } catch (const std::exception &error) {
    ShowError(QString::fromLocal8Bit(error.what()));
  }
}

void T_frmTempletManage::ListFiles() {
  Write(ListFilesCommand(SavePosition()));
  QThread::msleep(kAnswerPauseMs);
  std::array<uint8_t, kListBufferSize> answer{};
  int32_t stored = 0;
  TsplReadDataEOF(answer.data(), 0, kListBufferSize, 0, kListEnd, stored);
  lstImagesList->clear();
  for (const QByteArray &name :
       ParseFileList(answer.data(), std::clamp(stored, 0, kListBufferSize))) {
    auto *item = new QListWidgetItem(ravo::utility::AnsiToQString(name), lstImagesList);
    item->setData(kNameRole, name);
  }
  bool any = lstImagesList->count() > 0;
  btnDelPosiAll->setEnabled(any);
  btnDelAll->setEnabled(any);
}

void T_frmTempletManage::ShowSpace() {
  Write(kFilesSizeCommand);
  QThread::msleep(kAnswerPauseMs);
  std::array<uint8_t, kFilesSizeAnswerLength> answer{};
  int32_t count = 0;
  TsplReadRetry(answer.data(), kFilesSizeAnswerLength, count, 100, 2);
  std::optional<QString> text =
      SpaceText(GetLangString(QStringLiteral("FormTempletManage_lblSpaceInfo")), answer.data(),
                count, SavePosition());
  if (text) {
    lblSpaceInfo->setText(*text);
  } else {
    ShowError(Msg.Err_ReadData);
  }
}

QByteArray T_frmTempletManage::SelectedName() const {
  QListWidgetItem *item = lstImagesList->currentItem();
  if (item == nullptr || !item->isSelected()) return {};
  return item->data(kNameRole).toByteArray();
}

void T_frmTempletManage::ButtonClick(Action action) {
  try {
    RunButton(action);
  } catch (const std::exception &error) {
    ShowError(QString::fromLocal8Bit(error.what()));
  }
}

void T_frmTempletManage::RunButton(Action action) {
  OpenPortReporting();
  bool selected =
      lstImagesList->currentItem() != nullptr && lstImagesList->currentItem()->isSelected();
  QByteArray command;
  switch (action) {
    case Action::Download:
      openDownload(this, SavePosition());
      break;
    case Action::Print:
      if (selected) command = RunFileCommand(SelectedName());
      break;
    case Action::DelCurrent:
      if (!Confirm(delCurrentTip_)) break;
      if (!selected) return ShowError(QStringLiteral("No template is selected."));
      command = KillFileCommand(SavePosition(), SelectedName());
      break;
    case Action::DelPosiAll:
      if (Confirm(delAllTip_)) command = KillStorageCommand(SavePosition());
      break;
    case Action::DelAll:
      if (Confirm(delAllTip_)) command = KillEverythingCommand();
      break;
  }
  Write(command);
  if (action == Action::Print) return;
  RefreshTemplet();
  if (action == Action::Download && lstImagesList->count() > 0) lstImagesList->setCurrentRow(0);
}

}  // namespace ravo::utility
