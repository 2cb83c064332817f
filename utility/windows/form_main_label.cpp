#include "form_main_label.h"

#include <QApplication>
#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

#include "firmware_update.h"
#include "form_firmware_update.h"
#include "form_printer_information.h"
#include "form_printer_manage_label.h"
#include "language_locale.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_selected_printer.h"
#include "mdl_global_user_data.h"
#include "printer_activity.h"
#include "printer_row_delegate.h"
#include "printer_service.h"
#include "sent_status.h"
#include "window_launchers.h"
#include "window_messages.h"

namespace ravo::utility {
namespace {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

// The client area the window starts with: the layout of the design.
QSize StartSize(T_frmMain_Label::Variant variant) {
  return variant == T_frmMain_Label::Variant::Dealer ? QSize(503, 502) : QSize(503, 444);
}

}  // namespace

T_frmMain_Label::T_frmMain_Label(Variant variant, const mdlGlobal::StartupOptions &options,
                                 QWidget *parent)
    : QWidget(parent), variant_(variant) {
  mdlGlobal::SetDefaultFileNames();
  mdlGlobal::InitGlobals(options);
  InstallQtTranslations(mdlGlobal::LanguageId);
  QIcon icon(mdlGlobal::AppPath + QStringLiteral("icons/icon.ico"));
  if (icon.isNull()) icon = QIcon(mdlGlobal::AppPath + QStringLiteral("icons/icon.png"));
  setWindowIcon(icon);
  mdlGlobal::CommandModeFlag = 1;
  BuildControls();
  activity_ = new PrinterActivity(this);
  PlaceControls();
  ConnectActions();
  LanguageStep();
  LoadPrinterList();
}

void T_frmMain_Label::BuildControls() {
  lblPrinterList = new QLabel(this);
  lvPrinterList = new QTreeWidget(this);
  lvPrinterList->setColumnCount(3);
  lvPrinterList->setHeaderHidden(true);
  lvPrinterList->setRootIsDecorated(false);
  lvPrinterList->setIndentation(0);
  lvPrinterList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvPrinterList->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvPrinterList->setSelectionMode(QAbstractItemView::SingleSelection);
  lvPrinterList->setItemDelegate(new PrinterRowDelegate(lvPrinterList));
  lvPrinterList->setColumnWidth(0, 100);
  lvPrinterList->setColumnWidth(1, 80);
  lvPrinterList->setColumnWidth(2, 161);

  auto button = [](QWidget *parent) { return new QPushButton(parent); };
  btnAddPrinter = button(this);
  btnModifyPrinter = button(this);
  btnDeletePrinter = button(this);
  btnConnectTest = button(this);
  gpbFunction = new QGroupBox(this);
  btnPrinterInformation = button(gpbFunction);
  btnPrintText = button(gpbFunction);
  btnPrintConfigInfo = button(gpbFunction);
  btnStartLearn = button(gpbFunction);
  btnParameterSetting = button(gpbFunction);
  btnFactorySetting = button(gpbFunction);
  btnCommandTest = button(gpbFunction);
  btnDFU = button(this);
  btnTempletManage = button(this);
  btnQuit = button(this);
  lblStatus = new QLabel(this);
  lblStatus->setWordWrap(true);
  lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // Named like the members, for accessibility tools and tests.
  const std::pair<QWidget *, const char *> names[] = {
      {lblPrinterList, "lblPrinterList"},
      {lvPrinterList, "lvPrinterList"},
      {btnAddPrinter, "btnAddPrinter"},
      {btnModifyPrinter, "btnModifyPrinter"},
      {btnDeletePrinter, "btnDeletePrinter"},
      {btnConnectTest, "btnConnectTest"},
      {gpbFunction, "gpbFunction"},
      {btnPrinterInformation, "btnPrinterInformation"},
      {btnPrintText, "btnPrintText"},
      {btnPrintConfigInfo, "btnPrintConfigInfo"},
      {btnStartLearn, "btnStartLearn"},
      {btnParameterSetting, "btnParameterSetting"},
      {btnFactorySetting, "btnFactorySetting"},
      {btnCommandTest, "btnCommandTest"},
      {btnDFU, "btnDFU"},
      {btnTempletManage, "btnTempletManage"},
      {btnQuit, "btnQuit"},
      {lblStatus, "lblStatus"},
  };
  for (const auto &[widget, name] : names) widget->setObjectName(QLatin1String(name));
}

void T_frmMain_Label::PlaceControls() {
  // The list beside the management buttons, the function buttons in two
  // columns below, then the dealer's extra buttons and Quit, the status
  // line and the busy bar.  The list takes what the window grows by.
  lvPrinterList->setMinimumSize(345, 145);
  lvPrinterList->header()->setStretchLastSection(true);
  auto *management = new QVBoxLayout;
  management->addSpacing(18);
  for (QPushButton *b : {btnAddPrinter, btnModifyPrinter, btnDeletePrinter, btnConnectTest}) {
    b->setMinimumSize(129, 30);
    management->addWidget(b);
  }
  management->addStretch();
  auto *list = new QVBoxLayout;
  list->addWidget(lblPrinterList);
  list->addWidget(lvPrinterList, 1);
  auto *top = new QHBoxLayout;
  top->addLayout(list, 1);
  top->addLayout(management);

  auto *functions = new QGridLayout(gpbFunction);
  functions->setHorizontalSpacing(32);
  QPushButton *rows[4][2] = {{btnPrinterInformation, btnPrintText},
                             {btnPrintConfigInfo, btnStartLearn},
                             {btnParameterSetting, btnFactorySetting},
                             {nullptr, btnCommandTest}};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 2; ++c) {
      if (rows[r][c] == nullptr) continue;
      rows[r][c]->setMinimumSize(192, 41);
      functions->addWidget(rows[r][c], r, c);
    }
  }

  auto *bottom = new QHBoxLayout;
  for (QPushButton *b : {btnDFU, btnTempletManage}) {
    b->setMinimumSize(193, 33);
    bottom->addWidget(b);
  }
  bottom->addStretch();
  btnQuit->setMinimumSize(81, 33);
  bottom->addWidget(btnQuit);

  auto *root = new QVBoxLayout(this);
  root->addLayout(top, 1);
  root->addWidget(gpbFunction);
  root->addLayout(bottom);
  root->addWidget(lblStatus);
  root->addWidget(activity_);

  const bool dealer = variant_ == Variant::Dealer;
  btnCommandTest->setVisible(dealer);
  btnDFU->setVisible(dealer);
  btnTempletManage->setVisible(dealer);
  activity_->Guard({lvPrinterList, btnAddPrinter, btnModifyPrinter, btnDeletePrinter,
                    btnConnectTest, btnPrinterInformation, btnPrintText, btnPrintConfigInfo,
                    btnStartLearn, btnParameterSetting, btnFactorySetting, btnCommandTest, btnDFU,
                    btnTempletManage});
  SetTabOrder();
}

void T_frmMain_Label::SetTabOrder() {
  QWidget *order[] = {lvPrinterList,
                      btnAddPrinter,
                      btnModifyPrinter,
                      btnDeletePrinter,
                      btnConnectTest,
                      btnPrinterInformation,
                      btnPrintText,
                      btnPrintConfigInfo,
                      btnStartLearn,
                      btnParameterSetting,
                      btnFactorySetting,
                      btnCommandTest,
                      btnDFU,
                      btnTempletManage,
                      btnQuit};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void T_frmMain_Label::showEvent(QShowEvent *event) {
  if (!placed_) {
    // Once, at the first showing: the design's size unless the captions
    // of the chosen language need more, centred on the screen.
    placed_ = true;
    resize(StartSize(variant_).expandedTo(minimumSizeHint()));
    if (QScreen *screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
  }
  QWidget::showEvent(event);
}

void T_frmMain_Label::ConnectActions() {
  connect(lvPrinterList, &QTreeWidget::itemSelectionChanged, this, [this] {
    ++selectionChanges_;
    lvPrinterListClick();
  });
  connect(lvPrinterList, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem *item) { lvPrinterListItemClicked(item); });
  lvPrinterList->viewport()->installEventFilter(this);
  const std::pair<QPushButton *, void (T_frmMain_Label::*)()> actions[] = {
      {btnAddPrinter, &T_frmMain_Label::btnAddPrinterClick},
      {btnModifyPrinter, &T_frmMain_Label::btnModifyPrinterClick},
      {btnDeletePrinter, &T_frmMain_Label::btnDeletePrinterClick},
      {btnConnectTest, &T_frmMain_Label::btnConnectTestClick},
      {btnPrinterInformation, &T_frmMain_Label::btnPrinterInformationClick},
      {btnPrintText, &T_frmMain_Label::btnPrintTextClick},
      {btnParameterSetting, &T_frmMain_Label::btnParameterSettingClick},
      {btnPrintConfigInfo, &T_frmMain_Label::btnPrintConfigInfoClick},
      {btnStartLearn, &T_frmMain_Label::btnStartLearnClick},
      {btnFactorySetting, &T_frmMain_Label::btnFactorySettingClick},
      {btnCommandTest, &T_frmMain_Label::btnCommandTestClick},
      {btnDFU, &T_frmMain_Label::btnDFUClick},
      {btnTempletManage, &T_frmMain_Label::btnTempletManageClick},
      {btnQuit, &T_frmMain_Label::btnQuitClick},
  };
  for (const auto &[button, action] : actions)
    connect(button, &QPushButton::clicked, this, [this, action = action] { (this->*action)(); });
}

void T_frmMain_Label::LanguageStep() {
  setWindowTitle(GetLangString(QStringLiteral("FormMain_Label_Caption")) + QStringLiteral("  ") +
                 mdlGlobal::ReadIniString(mdlGlobal::LanguageFileName, QStringLiteral("Global"),
                                          QStringLiteral("_Version")));
  lblPrinterList->setText(GetLangString(QStringLiteral("FormMain_Label_lblPrinterList")));
  lblPrinterList->adjustSize();
  gpbFunction->setTitle(GetLangString(QStringLiteral("FormMain_Label_gpbFunction")));
  const std::pair<QPushButton *, const char *> captions[] = {
      {btnAddPrinter, "FormMain_Label_btnAddPrinter"},
      {btnModifyPrinter, "FormMain_Label_btnModifyPrinter"},
      {btnDeletePrinter, "FormMain_Label_btnDeletePrinter"},
      {btnConnectTest, "FormMain_Label_btnConnectTest"},
      {btnPrinterInformation, "FormMain_Label_btnPrinterInformation"},
      {btnPrintText, "FormMain_Label_btnPrintText"},
      {btnPrintConfigInfo, "FormMain_Label_btnPrintConfigInfo"},
      {btnStartLearn, "FormMain_Label_btnStartLearn"},
      {btnParameterSetting, "FormMain_Label_btnParameterSetting"},
      {btnFactorySetting, "FormMain_Label_btnFactorySetting"},
      {btnCommandTest, "FormMain_Label_btnCommandTest"},
      {btnDFU, "FormMain_Label_btnDFU"},
      {btnTempletManage, "FormMain_Label_btnTempletManage"},
      {btnQuit, "FormMain_Label_btnQuit"},
  };
  for (const auto &[button, key] : captions) button->setText(GetLangString(QLatin1String(key)));
  deleteQuestion_ = GetLangString(QStringLiteral("FormMain_Label_MSGDeletePrinter"));
  restoreQuestion_ = GetLangString(QStringLiteral("FormMain_Label_MSGRestore"));
  notAvailable_ = GetLangString(QStringLiteral("FormMain_Label_MSGNotAvailable"));
  listNotSaved_ = GetLangString(QStringLiteral("FormMain_Label_MSGListNotSaved"));
  listUnreadable_ = GetLangString(QStringLiteral("FormMain_Label_MSGListUnreadable"));
  listLongLines_ = GetLangString(QStringLiteral("FormMain_Label_MSGListLongLines"));
  noDfuUtil_ = GetLangString(QStringLiteral("FormMain_Label_MSGNoDfuUtil"));
}

// ---- The printer list ------------------------------------------------------

std::vector<mdlGlobal::PrinterListEntry> T_frmMain_Label::Rows() const {
  std::vector<mdlGlobal::PrinterListEntry> rows;
  for (int i = 0; i < lvPrinterList->topLevelItemCount(); ++i) {
    const QTreeWidgetItem *item = lvPrinterList->topLevelItem(i);
    rows.push_back({item->text(0), item->text(1), item->text(2)});
  }
  return rows;
}

void T_frmMain_Label::LoadPrinterList() {
  const mdlGlobal::PrinterListLoad load = mdlGlobal::ReadPrinterList();
  const QString path = mdlGlobal::PrinterListPath();
  using Issue = mdlGlobal::PrinterListLoad::Issue;
  if (load.issue == Issue::NotCreated) ShowError(listNotSaved_ + QLatin1Char(':') + path);
  if (load.issue == Issue::Unreadable || load.issue == Issue::NotText)
    ShowError(listUnreadable_ + QLatin1Char(':') + path + QLatin1Char('\n') + load.reason);
  if (!load.longLines.empty()) {
    QStringList numbers;
    for (qsizetype line : load.longLines) numbers << QString::number(line);
    ShowError(listLongLines_ + QLatin1Char(':') + path + QLatin1Char('\n') +
              numbers.join(QLatin1String(", ")));
  }
  for (const auto &row : load.rows)
    lvPrinterList->addTopLevelItem(new QTreeWidgetItem({row.printerType, row.portType, row.port}));
  SelectRow(0);
}

void T_frmMain_Label::ReloadAndSelect(int row) {
  lvPrinterList->clear();
  LoadPrinterList();
  SelectRow(row);
}

void T_frmMain_Label::SelectRow(int row) {
  QTreeWidgetItem *item = lvPrinterList->topLevelItem(row);
  {
    const QSignalBlocker blocker(lvPrinterList);
    lvPrinterList->clearSelection();
    if (item != nullptr) {
      lvPrinterList->setCurrentItem(item);
      item->setSelected(true);
    }
  }
  lvPrinterList->viewport()->update();
  lvPrinterListClick();
}

bool T_frmMain_Label::eventFilter(QObject *watched, QEvent *event) {
  if (watched == lvPrinterList->viewport() && event->type() == QEvent::MouseButtonPress)
    selectionChangesAtPress_ = selectionChanges_;
  return QWidget::eventFilter(watched, event);
}

void T_frmMain_Label::lvPrinterListItemClicked(QTreeWidgetItem *item) {
  // Runs again on the selected row, so that a click puts back whatever
  // another window changed of the selection state.
  if (item != nullptr && item->isSelected() && selectionChanges_ == selectionChangesAtPress_)
    lvPrinterListClick();
}

void T_frmMain_Label::lvPrinterListClick() {
  const QList<QTreeWidgetItem *> selected = lvPrinterList->selectedItems();
  if (selected.isEmpty()) return;
  const int row = lvPrinterList->indexOfTopLevelItem(selected.first());
  const mdlGlobal::SelectionResult result = mdlGlobal::SelectPrinterEntry(Rows(), row);
  btnStartLearn->setEnabled(result.learnEnabled);
  if (result.createResult != 0) ShowErrorCode(Msg.Err_CreatePrinter, result.createResult);
}

void T_frmMain_Label::btnAddPrinterClick() {
  if (manage_ == nullptr) return NotAvailable();
  manage_->PrepareAdd();
  manage_->exec();
  if (manage_->Saved()) ReloadAndSelect(lvPrinterList->topLevelItemCount());
}

void T_frmMain_Label::btnModifyPrinterClick() {
  const QList<QTreeWidgetItem *> selected = lvPrinterList->selectedItems();
  if (selected.isEmpty()) return;
  if (manage_ == nullptr) return NotAvailable();
  const int row = mdlGlobal::SelectedRowIndex;
  const QTreeWidgetItem *item = selected.first();
  manage_->PrepareModify(row, item->text(0), item->text(1), item->text(2));
  manage_->exec();
  if (manage_->Saved()) ReloadAndSelect(row);
}

void T_frmMain_Label::btnDeletePrinterClick() {
  const QList<QTreeWidgetItem *> selected = lvPrinterList->selectedItems();
  if (selected.isEmpty() || !Confirm(deleteQuestion_)) return;
  const int row = lvPrinterList->indexOfTopLevelItem(selected.first());
  delete lvPrinterList->takeTopLevelItem(row);
  if (!mdlGlobal::SavePrinterList(Rows()))
    ShowError(listNotSaved_ + QLatin1Char(':') + mdlGlobal::PrinterListPath());
  const int count = lvPrinterList->topLevelItemCount();
  SelectRow(row == count ? row - 1 : row);
}

// ---- Printer actions --------------------------------------------------------

void T_frmMain_Label::Converse(Conversation conversation, std::function<void()> onSuccess) {
  // The selection is read here, on the window thread, before the work goes.
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  activity_->Run<ServiceResult>(
      [printer, conversation](const TaskControl &control) {
        return conversation(PrinterService(printer, &control));
      },
      [onSuccess](ServiceResult result) {
        if (!result.ok()) return ShowServiceError(result);
        if (onSuccess) onSuccess();
      });
}

void T_frmMain_Label::NotAvailable() {
  ShowInformation(notAvailable_);
}

void T_frmMain_Label::btnConnectTestClick() {
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  activity_->Run<ServiceAnswer<ConnectionCheck>>(
      [printer](const TaskControl &control) {
        return PrinterService(printer, &control).CheckConnection();
      },
      [](ServiceAnswer<ConnectionCheck> check) { ShowConnectionCheck(check.result, check.value); });
}

void T_frmMain_Label::btnPrinterInformationClick() {
  T_frmPrinterInformation form(this);
  form.exec();
}

void T_frmMain_Label::btnPrintTextClick() {
  // The label form takes its paper width from GetPaperWidth itself.
  const auto &launch =
      mdlGlobal::CommandModeFlag != 0 ? Launchers().printTextLabel : Launchers().printText;
  if (launch)
    launch(this);
  else
    NotAvailable();
}

void T_frmMain_Label::btnParameterSettingClick() {
  // The window opens only for a printer that can be reached.
  Converse([](const PrinterService &service) { return service.TestConnection(); },
           [this] {
             const auto &launch = Launchers().parameterSetting;
             if (!launch) return NotAvailable();
             launch(this, mdlGlobal::ParameterFamilyOf(mdlGlobal::SelectedModel));
           });
}

void T_frmMain_Label::btnPrintConfigInfoClick() {
  RunDeviceCommand(DeviceCommand::ConfigurationPrint);
}

void T_frmMain_Label::btnStartLearnClick() {
  RunDeviceCommand(DeviceCommand::AutoLearn);
}

void T_frmMain_Label::btnFactorySettingClick() {
  RunDeviceCommand(DeviceCommand::FactoryReset);
}

void T_frmMain_Label::RunDeviceCommand(DeviceCommand command) {
  // Asked before the printer is touched: a cancelled reset sends nothing.
  if (command == DeviceCommand::FactoryReset && !Confirm(restoreQuestion_)) return;
  const CommandSet commandSet = CommandSetOf(mdlGlobal::CommandModeFlag);
  const SentAction action = command == DeviceCommand::ConfigurationPrint
                                ? SentAction::ConfigurationPrint
                            : command == DeviceCommand::AutoLearn ? SentAction::AutoLearn
                                                                  : SentAction::FactoryReset;
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  lblStatus->clear();
  Converse(
      [command, commandSet](const PrinterService &service) {
        switch (command) {
          case DeviceCommand::ConfigurationPrint:
            return service.ConfigurationPrint(commandSet);
          case DeviceCommand::AutoLearn:
            return service.AutoLearn();
          case DeviceCommand::FactoryReset:
            return service.FactoryReset();
        }
        return ServiceResult{};
      },
      // The printer does not answer these: say what went where.
      [this, action, commandSet, printer] {
        lblStatus->setText(SentStatus(action, DeviceCommandShown(action, commandSet), printer));
      });
}

void T_frmMain_Label::btnCommandTestClick() {
  const auto &launch = Launchers().commandTest;
  if (!launch) {
    NotAvailable();
    return;
  }
  launch(this);
}

void T_frmMain_Label::btnTempletManageClick() {
  const auto &launch = Launchers().templateManager;
  if (launch)
    launch(this);
  else
    NotAvailable();
}

void T_frmMain_Label::btnDFUClick() {
  // Checked first: a printer switched to firmware-download mode with no
  // program to feed it stays there until it is switched off.
  if (FindDfuUtil().isEmpty()) return ShowError(noDfuUtil_);
  T_frmFirmwareUpdate form(this);
  form.exec();
}

void T_frmMain_Label::btnQuitClick() {
  activity_->Cancel();
  QApplication::quit();
}

}  // namespace ravo::utility
