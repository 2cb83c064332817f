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

#include "catalogue.h"
#include "form_printer_information.h"
#include "form_printer_manage_label.h"
#include "mdl_printer_lib_tspl.h"
#include "printer_row_delegate.h"
#include "window_launchers.h"
#include "window_messages.h"

namespace ravo::utility {
namespace {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;
namespace tspl = mdlPrinterLib_TSPL;

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

void WriteCommand(const QByteArray &bytes) {
  if (bytes.isEmpty()) return;
  tspl::TsplWriteData(reinterpret_cast<const uint8_t *>(bytes.constData()),
                      static_cast<int32_t>(bytes.size()));
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
  const QString path = mdlGlobal::FilesPath + mdlGlobal::PrinterListFileName;
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
  mdlGlobal::PrinterResult = result.createResult;
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
    ShowError(listNotSaved_ + QLatin1Char(':') + mdlGlobal::FilesPath +
              mdlGlobal::PrinterListFileName);
  const int count = lvPrinterList->topLevelItemCount();
  SelectRow(row == count ? row - 1 : row);
}

// ---- Printer actions --------------------------------------------------------

bool T_frmMain_Label::OpenSelectedPort() {
  mdlGlobal::PrinterResult = tspl::TsplOpenPort(mdlGlobal::SelectedPort);
  if (mdlGlobal::PrinterResult == 0) return true;
  ShowErrorCode(Msg.Err_OpenPort, mdlGlobal::PrinterResult);
  return false;
}

void T_frmMain_Label::NotAvailable() {
  ShowInformation(notAvailable_);
}

void T_frmMain_Label::btnConnectTestClick() {
  if (!OpenSelectedPort()) return;
  ShowInformation(Msg.ConnectOK);
  tspl::TsplClosePort();
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
  if (!OpenSelectedPort()) return;
  const auto &launch = Launchers().parameterSetting;
  if (!launch) {
    tspl::TsplClosePort();
    NotAvailable();
    return;
  }
  // The port stays open for the window, whose own exchanges reopen it.
  launch(this, mdlGlobal::ParameterWindowFor(mdlGlobal::SelectedModel));
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
  if (!OpenSelectedPort()) return;
  if (command == DeviceCommand::ConfigurationPrint && mdlGlobal::CommandModeFlag != 0) {
    mdlGlobal::PrinterResult = tspl::TsplSelfTest();
    if (mdlGlobal::PrinterResult != 0) ShowErrorCode(Msg.Err_WriteData, mdlGlobal::PrinterResult);
    tspl::TsplClosePort();
    return;
  }
  QByteArray bytes;
  switch (command) {
    case DeviceCommand::ConfigurationPrint:
      bytes = QByteArray("\x1D\x28\x41\x02\x00\x00\x02", 7);
      break;
    case DeviceCommand::AutoLearn:
      bytes = QByteArray("ZZZLEARN\r\n");
      break;
    case DeviceCommand::FactoryReset:
      if (Confirm(restoreQuestion_)) bytes = QByteArray("\x1B\x21\x52", 3);
      break;
  }
  WriteCommand(bytes);
  tspl::TsplClosePort();
}

void T_frmMain_Label::btnCommandTestClick() {
  const auto &launch = Launchers().commandTest;
  if (!launch) {
    NotAvailable();
    return;
  }
  launch(this);
  // The command test may have replaced the printer handle.
  mdlGlobal::PrinterResult = tspl::TsplCreatePrinter(mdlGlobal::SelectedModel);
  if (mdlGlobal::PrinterResult != 0) ShowErrorCode(Msg.Err_CreatePrinter, mdlGlobal::PrinterResult);
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
  if (!OpenSelectedPort()) return;
  WriteCommand(QByteArray("ZZZDFUMODE\r\n"));
  tspl::TsplClosePort();
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(tool)))
    ShowError(noFirmwareTool_ + QLatin1Char(':') + tool);
}

void T_frmMain_Label::btnQuitClick() {
  QApplication::quit();
}

}  // namespace ravo::utility
