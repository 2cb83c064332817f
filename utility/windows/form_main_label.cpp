#include "form_main_label.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QUrl>

#include "form_printer_information.h"
#include "form_printer_manage_label.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_selected_printer.h"
#include "mdl_global_user_data.h"
#include "printer_activity.h"
#include "printer_row_delegate.h"
#include "printer_service.h"
#include "window_launchers.h"
#include "window_messages.h"

namespace ravo::utility {
namespace {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

const QString kFirmwareTool = QStringLiteral("FWUpdate/Dfu Update Tool.exe");

// Sizes and places that differ between the two variants.
struct VariantLayout {
  QSize client;
  int groupHeight;
  int rowY[3];
  QPoint quit;
};

VariantLayout LayoutOf(T_frmMain_Label::Variant variant) {
  if (variant == T_frmMain_Label::Variant::Dealer)
    return {{503, 502}, 265, {31, 85, 143}, {372, 456}};
  return {{503, 444}, 209, {27, 85, 145}, {376, 399}};
}

// The language text of a failed conversation with its code, as every
// button of this window reports it.
void Report(const ServiceResult &result) {
  if (!result.ok()) ShowErrorCode(result.Text(), result.code);
}

}  // namespace

T_frmMain_Label::T_frmMain_Label(Variant variant, const mdlGlobal::StartupOptions &options,
                                 QWidget *parent)
    : QWidget(parent), variant_(variant) {
  mdlGlobal::SetDefaultFileNames();
  mdlGlobal::InitGlobals(options);
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
  };
  for (const auto &[widget, name] : names) widget->setObjectName(QLatin1String(name));
}

void T_frmMain_Label::PlaceControls() {
  const VariantLayout layout = LayoutOf(variant_);
  setFixedSize(layout.client);
  lblPrinterList->move(8, 6);
  lvPrinterList->setGeometry(8, 24, 345, 145);
  const int managementY[] = {26, 60, 95, 130};
  QPushButton *management[] = {btnAddPrinter, btnModifyPrinter, btnDeletePrinter, btnConnectTest};
  for (int i = 0; i < 4; ++i) management[i]->setGeometry(360, managementY[i], 129, 30);

  gpbFunction->setGeometry(8, 176, 481, layout.groupHeight);
  QPushButton *rows[3][2] = {{btnPrinterInformation, btnPrintText},
                             {btnPrintConfigInfo, btnStartLearn},
                             {btnParameterSetting, btnFactorySetting}};
  for (int r = 0; r < 3; ++r) {
    rows[r][0]->setGeometry(32, layout.rowY[r], 192, 41);
    rows[r][1]->setGeometry(257, layout.rowY[r], 192, 41);
  }
  btnQuit->setGeometry(QRect(layout.quit, QSize(81, 33)));

  const bool dealer = variant_ == Variant::Dealer;
  btnCommandTest->setGeometry(257, 199, 192, 41);
  btnDFU->setGeometry(40, 376, 193, 40);
  btnTempletManage->setGeometry(40, 456, 193, 33);
  btnCommandTest->setVisible(dealer);
  btnDFU->setVisible(dealer);
  btnTempletManage->setVisible(dealer);

  // Above the function buttons, beside the list's caption.
  activity_->setGeometry(160, 1, 329, 22);
  activity_->Guard({lvPrinterList, btnAddPrinter, btnModifyPrinter, btnDeletePrinter,
                    btnConnectTest, btnPrinterInformation, btnPrintText, btnPrintConfigInfo,
                    btnStartLearn, btnParameterSetting, btnFactorySetting, btnCommandTest, btnDFU,
                    btnTempletManage});

  if (QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void T_frmMain_Label::ConnectActions() {
  connect(lvPrinterList, &QTreeWidget::itemSelectionChanged, this,
          [this] { lvPrinterListClick(); });
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
  noFirmwareTool_ = GetLangString(QStringLiteral("FormMain_Label_MSGNoFirmwareTool"));
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
        if (!result.ok()) return Report(result);
        if (onSuccess) onSuccess();
      });
}

void T_frmMain_Label::NotAvailable() {
  ShowInformation(notAvailable_);
}

void T_frmMain_Label::btnConnectTestClick() {
  Converse([](const PrinterService &service) { return service.TestConnection(); },
           [] { ShowInformation(Msg.ConnectOK); });
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
  Converse([command, commandSet](const PrinterService &service) {
    switch (command) {
      case DeviceCommand::ConfigurationPrint:
        return service.ConfigurationPrint(commandSet);
      case DeviceCommand::AutoLearn:
        return service.AutoLearn();
      case DeviceCommand::FactoryReset:
        return service.FactoryReset();
    }
    return ServiceResult{};
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
  // tool to feed it would stay there until it is switched off.
  const QString tool = mdlGlobal::AppPath + kFirmwareTool;
  if (!QFileInfo(tool).isFile()) {
    ShowError(noFirmwareTool_ + QLatin1Char(':') + tool);
    return;
  }
  Converse([](const PrinterService &service) { return service.EnterFirmwareMode(); },
           [this, tool] {
             if (!QDesktopServices::openUrl(QUrl::fromLocalFile(tool)))
               ShowError(noFirmwareTool_ + QLatin1Char(':') + tool);
           });
}

void T_frmMain_Label::btnQuitClick() {
  activity_->Cancel();
  QApplication::quit();
}

}  // namespace ravo::utility
