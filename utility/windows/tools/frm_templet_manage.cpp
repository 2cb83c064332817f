#include "frm_templet_manage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
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
constexpr int kNamesShown = 20;          // a confirmation lists at most this many names

// Failures to reach the printer leave the window waiting for Refresh.
bool Unreachable(const ServiceResult &result) {
  return result.message == ServiceMessage::OpenPort ||
         result.message == ServiceMessage::CreatePrinter;
}

void OpenDownloadWindow(QWidget *parent, Storage storage) {
  T_frmDownloadFile_TSPL window(storage, parent);
  window.exec();
}

QString Filled(QString pattern, std::initializer_list<QString> values) {
  int index = 0;
  for (const QString &value : values) {
    pattern.replace(QStringLiteral("{%1}").arg(index++), value);
  }
  return pattern;
}

// The names, one a line, the list cut short after kNamesShown.
QString NameLines(const QList<QByteArray> &names) {
  QStringList lines;
  for (const QByteArray &name : names.mid(0, kNamesShown)) lines << AnsiToQString(name);
  if (names.size() > kNamesShown) {
    lines << Filled(GetLangString(QStringLiteral("FormTempletManage_More")),
                    {QString::number(names.size() - kNamesShown)});
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

T_frmTempletManage::T_frmTempletManage(QWidget *parent)
    : QDialog(parent), openDownload(OpenDownloadWindow) {
  lblTempletList = new QLabel(QStringLiteral("模板列表："), this);
  lstImagesList = new QListWidget(this);
  lstImagesList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lblSpaceInfo = new QLabel(this);
  lblStatus = new QLabel(this);
  lblStatus->setObjectName(QStringLiteral("statusLine"));
  lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPalette failure = lblStatus->palette();
  failure.setColor(QPalette::WindowText, Qt::darkRed);
  lblStatus->setPalette(failure);
  lblStatus->hide();
  lblTempletSavePosition = new QLabel(QStringLiteral("模板位置："), this);
  cmbTempletSavePosition = new QComboBox(this);
  btnDownload = new QPushButton(QStringLiteral("下载"), this);
  btnPrint = new QPushButton(QStringLiteral("打印"), this);
  btnDelCurrent = new QPushButton(QStringLiteral("删除选定模板"), this);
  btnDelPosiAll = new QPushButton(QStringLiteral("删除当前位置模板"), this);
  btnDelAll = new QPushButton(QStringLiteral("删除所有模板"), this);
  btnRefresh = new QPushButton(QStringLiteral("刷新"), this);
  btnClose = new QPushButton(QStringLiteral("关闭"), this);

  auto *grid = new QGridLayout(this);
  grid->addWidget(lblTempletList, 0, 0);
  grid->addWidget(lstImagesList, 1, 0, 8, 1);
  grid->addWidget(lblSpaceInfo, 9, 0);
  grid->addWidget(lblStatus, 10, 0, 1, 2);
  grid->addWidget(lblTempletSavePosition, 0, 1);
  grid->addWidget(cmbTempletSavePosition, 1, 1);
  int row = 2;
  for (QPushButton *b : {btnDownload, btnPrint, btnDelCurrent, btnDelPosiAll, btnDelAll}) {
    grid->addWidget(b, row++, 1);
  }
  grid->setRowStretch(row++, 1);
  grid->addWidget(btnRefresh, row++, 1);
  grid->addWidget(btnClose, row, 1);
  grid->setColumnStretch(0, 1);
  activity = new PrinterActivity(this);
  activity->Guard({lstImagesList, cmbTempletSavePosition, btnDownload, btnPrint, btnDelCurrent,
                   btnDelPosiAll, btnDelAll, btnRefresh});
  grid->addWidget(activity, 11, 0, 1, 2);
  lstImagesList->setMinimumSize(240, 200);

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
  SetReachable(false);
}

T_frmTempletManage::~T_frmTempletManage() = default;

Storage T_frmTempletManage::SavePosition() const {
  return cmbTempletSavePosition->currentIndex() == 1 ? Storage::Dram : Storage::Flash;
}

QString T_frmTempletManage::StorageName(Storage storage) const {
  return cmbTempletSavePosition->itemText(storage == Storage::Dram ? 1 : 0);
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
        // A printer out of reach is asked nothing more.
        if (refresh && !Unreachable(outcome.action)) {
          outcome.listed = service.ListStoredFiles(storage);
        }
        return outcome;
      },
      [this, afterwards](Outcome outcome) {
        ShowOutcome(outcome.action, outcome.listed);
        if (afterwards && reachable_) afterwards();
      });
}

void T_frmTempletManage::ShowOutcome(const ServiceResult &action,
                                     const std::optional<ServiceAnswer<StoredFiles>> &listed) {
  const ServiceResult &unreachable =
      Unreachable(action) ? action : (listed ? listed->result : action);
  if (Unreachable(unreachable)) {
    SetReachable(false, ServiceErrorText(unreachable));
    return ShowServiceError(unreachable);
  }
  SetReachable(true);
  if (!action.ok()) ShowServiceError(action);
  if (!listed) return;
  if (!listed->ok()) return ShowServiceError(listed->result);
  ShowFiles(listed->value);
  if (!listed->value.room) return ShowError(Msg.Err_ReadData);
  lblSpaceInfo->setText(SpaceText(GetLangString(QStringLiteral("FormTempletManage_lblSpaceInfo")),
                                  *listed->value.room));
}

void T_frmTempletManage::SetReachable(bool reachable, const QString &why) {
  reachable_ = reachable;
  lblStatus->setText(
      reachable ? QString()
                : Filled(GetLangString(QStringLiteral("FormTempletManage_Unreachable")), {why}));
  lblStatus->setVisible(!reachable && !why.isEmpty());
  if (!reachable) {
    // The room line stays, with what is not known now left open.
    lblSpaceInfo->setText(GetLangString(QStringLiteral("FormTempletManage_lblSpaceInfo"))
                              .replace(QLatin1String("{0}"), QStringLiteral("–"))
                              .replace(QLatin1String("{1}"), QStringLiteral("–")));
  }
  const bool any = reachable && lstImagesList->count() > 0;
  lstImagesList->setEnabled(reachable);
  btnDownload->setEnabled(reachable);
  btnPrint->setEnabled(any);
  btnDelCurrent->setEnabled(any);
  btnDelPosiAll->setEnabled(any);
  // The other memory may hold files even when this one holds none.
  btnDelAll->setEnabled(reachable);
}

void T_frmTempletManage::ShowFiles(const StoredFiles &files) {
  lstImagesList->clear();
  for (const QByteArray &name : files.names) {
    auto *item = new QListWidgetItem(AnsiToQString(name), lstImagesList);
    item->setData(kNameRole, name);
  }
  SetReachable(true);
}

QList<QByteArray> T_frmTempletManage::SelectedNames() const {
  QList<QByteArray> names;
  // In list order, whatever order they were picked in.
  for (int row = 0; row < lstImagesList->count(); ++row) {
    const QListWidgetItem *item = lstImagesList->item(row);
    if (item->isSelected()) names << item->data(kNameRole).toByteArray();
  }
  return names;
}

QList<QByteArray> T_frmTempletManage::ListedNames() const {
  QList<QByteArray> names;
  for (int row = 0; row < lstImagesList->count(); ++row) {
    names << lstImagesList->item(row)->data(kNameRole).toByteArray();
  }
  return names;
}

void T_frmTempletManage::ButtonClick(Action action) {
  const QList<QByteArray> selected = SelectedNames();
  const Storage storage = SavePosition();
  const bool needsSelection = action == Action::Print || action == Action::DelCurrent;
  // Said before anything is asked, and nothing is sent.
  if (needsSelection && selected.isEmpty()) {
    return ShowError(GetLangString(QStringLiteral("FormTempletManage_MSGNoSelection")));
  }
  switch (action) {
    case Action::Download:
      openDownload(this, storage);
      return Converse({}, true, [this] {
        if (lstImagesList->count() > 0) lstImagesList->setCurrentRow(0);
      });
    case Action::Print:
      // Printing lists nothing new, so no refresh follows.
      return Converse(
          [selected](const PrinterService &s) {
            for (const QByteArray &name : selected) {
              const ServiceResult result = s.RunStoredFile(name);
              if (!result.ok()) return result;
            }
            return ServiceResult{};
          },
          false);
    case Action::DelCurrent:
      return DeleteSelected(storage, selected);
    case Action::DelPosiAll:
      return DeleteStorage(storage);
    case Action::DelAll:
      return DeleteEverything();
  }
}

void T_frmTempletManage::DeleteSelected(Storage storage, const QList<QByteArray> &names) {
  const QString question =
      names.size() == 1 ? Filled(GetLangString(QStringLiteral("FormTempletManage_DelOneTip")),
                                 {AnsiToQString(names.front()), StorageName(storage)})
                        : Filled(GetLangString(QStringLiteral("FormTempletManage_DelSomeTip")),
                                 {QString::number(names.size()), StorageName(storage)}) +
                              QStringLiteral("\n\n") + NameLines(names);
  if (!Confirm(question)) return RefreshTemplet();
  Converse(
      [storage, names](const PrinterService &s) {
        for (const QByteArray &name : names) {
          const ServiceResult result = s.DeleteStoredFile(storage, name);
          if (!result.ok()) return result;
        }
        return ServiceResult{};
      },
      true);
}

void T_frmTempletManage::DeleteStorage(Storage storage) {
  const QList<QByteArray> names = ListedNames();
  const Storage other = storage == Storage::Flash ? Storage::Dram : Storage::Flash;
  const QString question =
      Filled(GetLangString(QStringLiteral("FormTempletManage_DelStorageTip")),
             {QString::number(names.size()), StorageName(storage), StorageName(other)}) +
      QStringLiteral("\n\n") + NameLines(names);
  if (!Confirm(question)) return RefreshTemplet();
  Converse([storage](const PrinterService &s) { return s.DeleteStoredFiles(storage); }, true);
}

void T_frmTempletManage::DeleteEverything() {
  struct Both {
    ServiceAnswer<StoredFiles> flash;
    ServiceAnswer<StoredFiles> dram;
  };
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  activity->Run<Both>(
      [printer](const TaskControl &control) {
        const PrinterService service(printer, &control);
        Both both;
        both.flash = service.ListStoredFiles(Storage::Flash);
        if (both.flash.ok()) both.dram = service.ListStoredFiles(Storage::Dram);
        return both;
      },
      [this](Both both) {
        const ServiceResult &failed = !both.flash.ok() ? both.flash.result : both.dram.result;
        if (!failed.ok()) return ShowOutcome(failed, std::nullopt);
        const QList<QByteArray> &flash = both.flash.value.names;
        const QList<QByteArray> &dram = both.dram.value.names;
        if (flash.isEmpty() && dram.isEmpty()) {
          ShowInformation(GetLangString(QStringLiteral("FormTempletManage_MSGNothingStored")));
          return RefreshTemplet();
        }
        QString question =
            Filled(GetLangString(QStringLiteral("FormTempletManage_DelEverythingTip")),
                   {QString::number(flash.size()), StorageName(Storage::Flash),
                    QString::number(dram.size()), StorageName(Storage::Dram)});
        if (!flash.isEmpty()) {
          question += QStringLiteral("\n\n") + StorageName(Storage::Flash) + QStringLiteral(":\n") +
                      NameLines(flash);
        }
        if (!dram.isEmpty()) {
          question += QStringLiteral("\n\n") + StorageName(Storage::Dram) + QStringLiteral(":\n") +
                      NameLines(dram);
        }
        if (!Confirm(question)) return RefreshTemplet();
        Converse([](const PrinterService &s) { return s.DeleteAllStoredFiles(); }, true);
      });
}

}  // namespace ravo::utility
