#include "frm_download_file_tspl.h"

#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "download_framing.h"
#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_printer_lib_tspl.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;
using namespace mdlPrinterLib_TSPL;

namespace {

constexpr int kProgressSteps = 1000;

int32_t Write(QByteArrayView bytes) {
  return TsplWriteData(reinterpret_cast<const uint8_t *>(bytes.data()),
                       static_cast<int32_t>(bytes.size()));
}

}  // namespace

T_frmDownloadFile_TSPL::T_frmDownloadFile_TSPL(Storage storage, QWidget *parent)
    : QDialog(parent), storage(storage) {
  lblImagesList = new QLabel(this);
  lstTempletsList = new QListWidget(this);
  prgDownload = new QProgressBar(this);
  prgDownload->setRange(0, kProgressSteps);
  prgDownload->setValue(0);
  btnAdd = new QPushButton(this);
  btnDel = new QPushButton(this);
  btnDownload = new QPushButton(this);
  btnClose = new QPushButton(this);

  auto *grid = new QGridLayout(this);
  grid->addWidget(lblImagesList, 0, 0);
  grid->addWidget(lstTempletsList, 1, 0, 5, 1);
  grid->addWidget(btnAdd, 1, 1);
  grid->addWidget(btnDel, 2, 1);
  grid->addWidget(btnDownload, 3, 1);
  grid->addWidget(btnClose, 5, 1);
  grid->addWidget(prgDownload, 6, 0, 1, 2);

  connect(btnAdd, &QPushButton::clicked, this, &T_frmDownloadFile_TSPL::btnAddClick);
  connect(btnDel, &QPushButton::clicked, this, &T_frmDownloadFile_TSPL::btnDelClick);
  connect(btnDownload, &QPushButton::clicked, this, &T_frmDownloadFile_TSPL::btnDownloadClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
  InitLanguage();
}

void T_frmDownloadFile_TSPL::InitLanguage() {
  setWindowTitle(GetLangString(QStringLiteral("FormDownloadFile_TSPL_Cpation")));
  lblImagesList->setText(GetLangString(QStringLiteral("FormDownloadFile_TSPL_lblImagesList")));
  btnAdd->setText(GetLangString(QStringLiteral("FormDownloadFile_TSPL_btnAdd")));
  btnDel->setText(GetLangString(QStringLiteral("FormDownloadFile_TSPL_btnDel")));
  btnDownload->setText(GetLangString(QStringLiteral("FormDownloadFile_TSPL_btnDownload")));
  btnClose->setText(Msg.Close);
}

void T_frmDownloadFile_TSPL::reject() {
  // The window closes only between downloads.
  if (!downloading_) QDialog::reject();
}

void T_frmDownloadFile_TSPL::btnAddClick() {
  QString path = ChooseFileToOpen(this);
  if (path.isEmpty()) return;
  lstTempletsList->addItem(path);
  lstTempletsList->setCurrentRow(lstTempletsList->count() - 1);
}

void T_frmDownloadFile_TSPL::btnDelClick() {
  QListWidgetItem *item = lstTempletsList->currentItem();
  if (item != nullptr && item->isSelected()) delete item;
}

void T_frmDownloadFile_TSPL::SetBusy(bool busy) {
  downloading_ = busy;
  for (QPushButton *b : {btnAdd, btnDel, btnDownload, btnClose}) b->setEnabled(!busy);
}

void T_frmDownloadFile_TSPL::ShowProgress(qint64 sent, qint64 total) {
  prgDownload->setValue(total > 0 ? static_cast<int>(sent * kProgressSteps / total)
                                  : kProgressSteps);
}

void T_frmDownloadFile_TSPL::btnDownloadClick() {
  int32_t result = TsplOpenPort(mdlGlobal::SelectedPort);
  mdlGlobal::PrinterResult = result;
  if (result != 0) return ShowError(Msg.Err_OpenPort);
  QStringList paths;
  qint64 total = 0;
  for (int i = 0; i < lstTempletsList->count(); ++i) {
    paths += lstTempletsList->item(i)->text();
    total += std::max<qint64>(0, mdlFunction::GetFileSizeOf(paths.back()));
  }
  SetBusy(true);
  qint64 sent = 0;
  ShowProgress(sent, total);
  bool complete = true;
  for (const QString &path : paths) {
    if (!SendFile(path, sent, total)) {
      complete = false;
      break;
    }
  }
  SetBusy(false);
  // The port stays open; the template manager closes it.
  if (complete) {
    ShowProgress(total, total);
    ShowInformation(Msg.DownloadSuccess);
  }
}

bool T_frmDownloadFile_TSPL::SendFile(const QString &path, qint64 &sent, qint64 total) {
  QFile file(path);
  QByteArray bytes;
  if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
  if (file.error() != QFile::NoError) {
    ShowError(file.errorString());
    return false;
  }
  QCoreApplication::processEvents();
  int32_t result = Write(DownloadPrefix(storage));
  for (QByteArrayView piece : DownloadPieces(bytes)) {
    if (result != 0) break;
    result = Write(piece);
    sent += piece.size();
    ShowProgress(std::min(sent, total), total);
    QCoreApplication::processEvents();
  }
  mdlGlobal::PrinterResult = result;
  // A printer that stopped taking data has not stored the file.
  if (result != 0) ShowCodeError(Msg.Err_WriteData, result);
  return result == 0;
}

}  // namespace ravo::utility
