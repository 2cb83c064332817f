#include "frm_download_file_tspl.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

#include "mdl_global.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

namespace {

constexpr int kSizeRole = Qt::UserRole;  // bytes, for the total
constexpr int kListMinimumWidth = 360;

QString SizeText(qint64 bytes) {
  return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

}  // namespace

T_frmDownloadFile_TSPL::T_frmDownloadFile_TSPL(Storage storage, QWidget *parent)
    : QDialog(parent), storage(storage) {
  lblImagesList = new QLabel(this);
  lstTempletsList = new QTreeWidget(this);
  lstTempletsList->setColumnCount(2);
  lstTempletsList->setRootIsDecorated(false);
  lstTempletsList->setMinimumWidth(kListMinimumWidth);
  lstTempletsList->header()->setStretchLastSection(false);
  lstTempletsList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  lstTempletsList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  lblTotal = new QLabel(this);
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
  grid->addWidget(lblTotal, 6, 0);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(0, 1);
  // Shows the bytes sent while a download runs, with its Cancel button.
  activity = new PrinterActivity(this);
  activity->Guard({lstTempletsList, btnAdd, btnDel, btnDownload});
  grid->addWidget(activity, 7, 0, 1, 2);

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
  lstTempletsList->setHeaderLabels(
      {GetLangString(QStringLiteral("FormDownloadFile_TSPL_colFile")),
       GetLangString(QStringLiteral("FormDownloadFile_TSPL_colSize"))});
  ShowTotal();
}

void T_frmDownloadFile_TSPL::done(int result) {
  activity->Cancel();  // the download stops before its next piece
  QDialog::done(result);
}

void T_frmDownloadFile_TSPL::btnAddClick() {
  const QString path = ChooseFileToOpen(this);
  if (!path.isEmpty()) AddFile(path);
}

void T_frmDownloadFile_TSPL::AddFile(const QString &path) {
  const QFileInfo file(path);
  auto *item = new QTreeWidgetItem(lstTempletsList, {path, SizeText(file.size())});
  item->setData(1, kSizeRole, file.size());
  item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  item->setToolTip(0, path);
  lstTempletsList->setCurrentItem(item);
  ShowTotal();
}

QStringList T_frmDownloadFile_TSPL::Files() const {
  QStringList paths;
  for (int i = 0; i < lstTempletsList->topLevelItemCount(); ++i) {
    paths += lstTempletsList->topLevelItem(i)->text(0);
  }
  return paths;
}

void T_frmDownloadFile_TSPL::ShowTotal() {
  qint64 total = 0;
  const int count = lstTempletsList->topLevelItemCount();
  for (int i = 0; i < count; ++i) {
    total += lstTempletsList->topLevelItem(i)->data(1, kSizeRole).toLongLong();
  }
  lblTotal->setText(GetLangString(QStringLiteral("FormDownloadFile_TSPL_lblTotal"))
                        .replace(QLatin1String("{0}"), QString::number(count))
                        .replace(QLatin1String("{1}"), SizeText(total)));
}

void T_frmDownloadFile_TSPL::btnDelClick() {
  QTreeWidgetItem *item = lstTempletsList->currentItem();
  if (item != nullptr && item->isSelected()) delete item;
  ShowTotal();
}

void T_frmDownloadFile_TSPL::btnDownloadClick() {
  const QStringList paths = Files();
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
