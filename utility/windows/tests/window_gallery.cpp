#include "window_gallery.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include "form_firmware_update.h"
#include "form_printer_information.h"
#include "form_printer_manage_label.h"
#include "frm_command_test.h"
#include "frm_download_file_tspl.h"
#include "frm_print_text.h"
#include "frm_templet_manage.h"
#include "mdl_function.h"
#include "parameter_windows.h"

namespace ravo::testing {
namespace {

using utility::T_frmMain_Label;

// One virtual printer per printer type the windows need.
struct GalleryPrinter {
  const char *printerType;
  std::vector<std::string> args;
};

const GalleryPrinter kPrinters[] = {
    {"TQX80",
     {"--model", "TQX80", "--serial", "RV80A5120001", "--journey", "12345", "--firmware", "1.2.7"}},
    {"TQM", {"--model", "TQM", "--firmware", "1.2.7.3"}},
    {"TGV", {"--model", "TGV"}},
    {"HMZ", {"--model", "HMZ"}},
    {"Q73", {"--model", "Q73"}},
};

template <typename Window>
std::unique_ptr<QWidget> Child(T_frmMain_Label &main) {
  return std::make_unique<Window>(&main);
}

std::unique_ptr<QWidget> PrinterDialog(T_frmMain_Label &main, const char *portType,
                                       const char *port) {
  auto dialog = std::make_unique<utility::T_frmPrinterManage_Label>(&main);
  dialog->PrepareModify(0, QStringLiteral("TQX80"), QLatin1String(portType), QLatin1String(port));
  return dialog;
}

std::unique_ptr<QWidget> ParameterWindow(T_frmMain_Label &main, utility::param::Family family) {
  return utility::CreateParameterWindow(family, &main);
}

// Where a widget sits in its window.
QRect InWindow(const QWidget &widget, const QWidget &window) {
  return {widget.mapTo(&window, QPoint(0, 0)), widget.size()};
}

constexpr int kSlack = 2;  // pixels of rounding between neighbours

// b comes after a when it starts below a, or beside it to the right.
bool ReadsAfter(const QRect &a, const QRect &b) {
  if (b.top() >= a.bottom() - kSlack) return true;
  const bool sameRows = b.top() < a.bottom() && a.top() < b.bottom();
  return sameRows && b.left() >= a.right() - kSlack;
}

QString Describe(const QWidget &widget, const QString &text) {
  const QString name = widget.objectName().isEmpty()
                           ? QString::fromLatin1(widget.metaObject()->className())
                           : widget.objectName();
  return name + QStringLiteral(" '") + text + QLatin1Char('\'');
}

}  // namespace

const std::vector<GalleryWindow> &GalleryWindows() {
  using utility::param::Family;
  static const std::vector<GalleryWindow> windows = {
      {"main-window", "TQX80", true, nullptr},
      {"main-window-dealer", "TQX80", true, nullptr, true},
      {"printer-dialog-usb", "TQX80", true,
       [](T_frmMain_Label &main) { return PrinterDialog(main, "USB", "USB"); }},
      {"printer-dialog-serial", "TQX80", true,
       [](T_frmMain_Label &main) { return PrinterDialog(main, "COM", "COM1,BAUDRATE_9600"); }},
      {"printer-dialog-parallel", "TQX80", true,
       [](T_frmMain_Label &main) { return PrinterDialog(main, "LPT", "LPT1"); }},
      {"printer-dialog-network", "TQX80", true,
       [](T_frmMain_Label &main) { return PrinterDialog(main, "NET", "NET,192.168.0.33"); }},
      {"printer-information", "TQX80", true, Child<utility::T_frmPrinterInformation>},
      {"firmware-update", "TQX80", true, Child<utility::T_frmFirmwareUpdate>},
      {"print-text-label", "TQX80", true, Child<utility::T_frmPrintTextLabel>},
      {"print-text", "TQX80", true, Child<utility::T_frmPrintText>},
      {"parameters-tqx", "TQX80", false,
       [](T_frmMain_Label &main) { return ParameterWindow(main, Family::TQX); }},
      {"parameters-tqm", "TQM", false,
       [](T_frmMain_Label &main) { return ParameterWindow(main, Family::TQM); }},
      {"parameters-tgv", "TGV", false,
       [](T_frmMain_Label &main) { return ParameterWindow(main, Family::TGV); }},
      {"parameters-hmz", "HMZ", false,
       [](T_frmMain_Label &main) { return ParameterWindow(main, Family::HMZ); }},
      {"parameters-q73", "Q73", false,
       [](T_frmMain_Label &main) { return ParameterWindow(main, Family::Q73); }},
      {"command-test", "TQX80", false, Child<utility::T_frmCommandTest>},
      {"download-file", "TQX80", false,
       [](T_frmMain_Label &main) -> std::unique_ptr<QWidget> {
         return std::make_unique<utility::T_frmDownloadFile_TSPL>(utility::Storage::Flash, &main);
       }},
      {"template-manager", "TQX80", false, Child<utility::T_frmTempletManage>},
  };
  return windows;
}

const QStringList &GalleryLanguages() {
  static const QStringList languages = {QStringLiteral("2052"), QStringLiteral("1028"),
                                        QStringLiteral("1033")};
  return languages;
}

GalleryPrinters::GalleryPrinters() {
  QByteArray list;
  for (const GalleryPrinter &printer : kPrinters) {
    auto process = std::make_unique<sim::SimProcess>(printer.args);
    if (!process->Running()) {
      problem_ = QString::fromStdString(process->Error());
      return;
    }
    list += QByteArray(printer.printerType) + "|NET|" +
            QByteArray::fromStdString(process->PortString()) + "\r\n";
    printers_.push_back(std::move(process));
  }
  files_.WritePrinterList(list);
  utility::T_frmPrinterManage_Label::ListPorts() = [](const QString &kind, int32_t *error) {
    *error = 0;
    return kind == QLatin1String("COM") ? QStringList{"COM1:", "COM2:", "ttyUSB0:"}
                                        : QStringList{"LPT1:"};
  };
}

GalleryPrinters::~GalleryPrinters() {
  utility::T_frmPrinterManage_Label::ListPorts() = [](const QString &kind, int32_t *error) {
    return mdlFunction::EnumPortNames(kind, error);
  };
}

std::unique_ptr<T_frmMain_Label> GalleryPrinters::OpenMain(const QString &language,
                                                           bool dealer) const {
  const mdlGlobal::StartupOptions options{files_.Path(), language};
  if (dealer) return std::make_unique<utility::T_frmMain_Label_Dealer>(options);
  return std::make_unique<T_frmMain_Label>(options);
}

void GalleryPrinters::Select(T_frmMain_Label &main, const QString &printerType) {
  const auto rows = main.Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].printerType == printerType) return main.SelectRow(int(i));
  }
}

OpenedWindow GalleryPrinters::Open(const GalleryWindow &window, const QString &language) const {
  OpenedWindow opened;
  opened.main = OpenMain(language, window.dealer);
  Select(*opened.main, QLatin1String(window.printerType));
  if (window.open) opened.child = window.open(*opened.main);
  return opened;
}

bool ShowAndSettle(QWidget &window) {
  window.show();
  const bool exposed = QTest::qWaitForWindowExposed(&window);
  const bool settled = SettlePrinterWork();
  // The texts a conversation brought are laid out by posted events.
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  return exposed && settled;
}

QStringList ClippedCaptions(const QWidget &window) {
  QStringList clipped;
  for (const QWidget *widget : window.findChildren<QWidget *>()) {
    if (!widget->isVisibleTo(&window)) continue;
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
      if (label->text().isEmpty()) continue;
      if (label->wordWrap()) {
        const int needed = label->heightForWidth(label->width());
        if (needed > label->height())
          clipped
              << Describe(*label, label->text()) +
                     QStringLiteral(": needs height %1, has %2").arg(needed).arg(label->height());
        continue;
      }
      const int needed = label->sizeHint().width();
      if (needed > label->width())
        clipped << Describe(*label, label->text()) +
                       QStringLiteral(": needs %1, has %2").arg(needed).arg(label->width());
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
      const int needed = button->sizeHint().width();
      if (!button->text().isEmpty() && needed > button->width())
        clipped << Describe(*button, button->text()) +
                       QStringLiteral(": needs %1, has %2").arg(needed).arg(button->width());
    } else if (const auto *group = qobject_cast<const QGroupBox *>(widget)) {
      // The group's own minimum holds its title.
      const int needed = group->minimumSizeHint().width();
      if (!group->title().isEmpty() && needed > group->width())
        clipped << Describe(*group, group->title()) +
                       QStringLiteral(": needs %1, has %2").arg(needed).arg(group->width());
    }
  }
  return clipped;
}

QStringList TabOrderAgainstReading(QWidget &window) {
  QList<QWidget *> order;
  for (QWidget *widget = window.nextInFocusChain(); widget != &window;
       widget = widget->nextInFocusChain()) {
    if (widget->window() != &window || !widget->isVisibleTo(&window)) continue;
    if ((widget->focusPolicy() & Qt::TabFocus) == 0) continue;
    order << widget;
  }
  QStringList wrong;
  for (qsizetype i = 1; i < order.size(); ++i) {
    if (!ReadsAfter(InWindow(*order[i - 1], window), InWindow(*order[i], window)))
      wrong << order[i - 1]->objectName() + QStringLiteral(" -> ") + order[i]->objectName();
  }
  return wrong;
}

bool Resizes(QWidget &window) {
  const QSize first = window.size();
  const QSize larger = first + QSize(120, 90);
  window.resize(larger);
  QApplication::processEvents();
  const bool resized = window.size() == larger;
  window.resize(first);
  QApplication::processEvents();
  return resized;
}

}  // namespace ravo::testing
