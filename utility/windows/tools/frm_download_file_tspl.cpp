#include "frm_download_file_tspl.h"

#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "mdl_global.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

T_frmDownloadFile_TSPL::T_frmDownloadFile_TSPL(Storage storage, QWidget *parent)
    : QDialog(parent), storage(storage) {
  lblImagesList = new QLabel(this);
  lstTempletsList = new QListWidget(this);
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
  // Shows the bytes sent while a download runs, with its Cancel button.
  activity = new PrinterActivity(this);
  activity->Guard({lstTempletsList, btnAdd, btnDel, btnDownload});
  grid->addWidget(activity, 6, 0, 1, 2);

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

void T_frmDownloadFile_TSPL::done(int result) {
  activity->Cancel();  // the download stops before its next piece
  QDialog::done(result);
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

void T_frmDownloadFile_TSPL::btnDownloadClick() {
  QStringList paths;
  for (int i = 0; i < lstTempletsList->count(); ++i) paths += lstTempletsList->item(i)->text();
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  const Storage target = storage;
  activity->Run<ServiceResult>(
      [printer, paths, target](const TaskControl &control) {
        return PrinterService(printer, &control).DownloadFiles(paths, target).result;
      },
      [](ServiceResult result) { ReportDownload(result); });
}

void T_frmDownloadFile_TSPL::ReportDownload(const ServiceResult &result) {
  switch (result.message) {
    case ServiceMessage::Ok:
      return ShowInformation(Msg.DownloadSuccess);
    case ServiceMessage::OpenPort:
      return ShowError(Msg.Err_OpenPort);  // this window shows the text alone
    case ServiceMessage::FileRead:
      // The system's own words for what is wrong with the file.
      return ShowError(result.subject + QStringLiteral(": ") + qt_error_string(result.code));
    default:
      return ShowServiceError(result);
  }
}

}  // namespace ravo::utility
