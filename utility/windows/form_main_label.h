// T_frmMain_Label: the utility's home window.  It keeps the printer list,
// the selection every other window works on, and one button per function;
// a status line says what the last device command sent.
// T_frmMain_Label_Dealer adds command test, firmware update and the
// template manager.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "mdl_global.h"
#include "mdl_global_printer_list.h"
#include "printer_service.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ravo::utility {

class PrinterActivity;
class T_frmPrinterManage_Label;

class T_frmMain_Label : public QWidget {
 public:
  enum class Variant { Standard, Dealer };

  // Runs the whole creation sequence: start-up initialisation with the
  // command-line options, captions, printer list.
  explicit T_frmMain_Label(const mdlGlobal::StartupOptions &options, QWidget *parent = nullptr)
      : T_frmMain_Label(Variant::Standard, options, parent) {}

  // The program's one printer dialog, created after the main windows.
  void SetPrinterDialog(T_frmPrinterManage_Label *manage) { manage_ = manage; }

  Variant WindowVariant() const { return variant_; }

  // The rows as the list shows them.
  std::vector<mdlGlobal::PrinterListEntry> Rows() const;
  // The busy bar of the window's running conversation.
  PrinterActivity *Activity() const { return activity_; }

  // Selects a row (-1: none) and runs the selection step.
  void SelectRow(int row);
  // The selection step; nothing happens while no row is selected.
  void lvPrinterListClick();
  // A click on a row: runs the selection step when the click did not
  // change the selection (a changed selection has run it already).
  void lvPrinterListItemClicked(QTreeWidgetItem *item);

  void btnAddPrinterClick();
  void btnModifyPrinterClick();
  void btnDeletePrinterClick();
  void btnConnectTestClick();
  void btnPrinterInformationClick();
  void btnPrintTextClick();
  void btnParameterSettingClick();
  void btnPrintConfigInfoClick();
  void btnStartLearnClick();
  void btnFactorySettingClick();
  void btnCommandTestClick();
  void btnDFUClick();
  void btnTempletManageClick();
  void btnQuitClick();

  QLabel *lblPrinterList;
  QTreeWidget *lvPrinterList;
  QPushButton *btnAddPrinter;
  QPushButton *btnModifyPrinter;
  QPushButton *btnDeletePrinter;
  QPushButton *btnConnectTest;
  QGroupBox *gpbFunction;
  QPushButton *btnPrinterInformation;
  QPushButton *btnPrintText;
  QPushButton *btnPrintConfigInfo;
  QPushButton *btnStartLearn;
  QPushButton *btnParameterSetting;
  QPushButton *btnFactorySetting;
  QPushButton *btnCommandTest;
  QPushButton *btnDFU;
  QPushButton *btnTempletManage;
  QPushButton *btnQuit;
  // What the last device command sent, and to which printer.
  QLabel *lblStatus;

 protected:
  T_frmMain_Label(Variant variant, const mdlGlobal::StartupOptions &options, QWidget *parent);
  void showEvent(QShowEvent *event) override;

 private:
  enum class DeviceCommand { ConfigurationPrint, AutoLearn, FactoryReset };

  void BuildControls();
  void PlaceControls();
  void SetTabOrder();
  bool eventFilter(QObject *watched, QEvent *event) override;
  void ConnectActions();
  void LanguageStep();
  void LoadPrinterList();
  void ReloadAndSelect(int row);
  using Conversation = std::function<ServiceResult(const PrinterService &)>;
  // Runs a conversation with the selected printer off the window thread;
  // a failure shows its text and code, success runs onSuccess.
  void Converse(Conversation conversation, std::function<void()> onSuccess = {});
  void RunDeviceCommand(DeviceCommand command);
  void NotAvailable();

  Variant variant_;
  T_frmPrinterManage_Label *manage_ = nullptr;
  PrinterActivity *activity_ = nullptr;
  QString deleteQuestion_;
  QString restoreQuestion_;
  QString notAvailable_;
  QString listNotSaved_;
  QString listUnreadable_;
  QString listLongLines_;
  QString noDfuUtil_;
  // Selection changes so far, and their number when the mouse went down:
  // equal at the click means the click left the selection as it was.
  int selectionChanges_ = 0;
  int selectionChangesAtPress_ = -1;
  bool placed_ = false;
};

class T_frmMain_Label_Dealer : public T_frmMain_Label {
 public:
  explicit T_frmMain_Label_Dealer(const mdlGlobal::StartupOptions &options,
                                  QWidget *parent = nullptr)
      : T_frmMain_Label(Variant::Dealer, options, parent) {}
};

}  // namespace ravo::utility
