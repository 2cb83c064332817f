// Every window of the utility, opened the way the program opens it, for
// the layout test and for pictures: a main window in the chosen language
// over a printer list of virtual printers (one of each parameter family),
// and each other window made with it as parent for the printer it needs.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "form_main_label.h"
#include "sim_process.h"
#include "window_test_support.h"

class QWidget;

namespace ravo::testing {

struct GalleryWindow {
  const char *name;         // test row and picture file name
  const char *printerType;  // the printer list row selected before it opens
  // Its controls read row by row, left to right: the tab order must too.
  // (Windows of side-by-side groups read column by column instead.)
  bool readsRowByRow;
  // Made with the main window as parent; none for the main windows.
  std::function<std::unique_ptr<QWidget>(utility::T_frmMain_Label &main)> open;
  bool dealer = false;  // the main window is the dealer variant
};

// A gallery window with the main window it was opened from.
struct OpenedWindow {
  std::unique_ptr<utility::T_frmMain_Label> main;
  std::unique_ptr<QWidget> child;  // destroyed first
  QWidget &Window() const { return child ? *child : *main; }
};

const std::vector<GalleryWindow> &GalleryWindows();

// The virtual printers the windows talk to and a files directory whose
// printer list names them.  The printer dialog lists fixed ports while it
// lives, so its pictures do not depend on the machine.
class GalleryPrinters {
 public:
  GalleryPrinters();
  ~GalleryPrinters();
  GalleryPrinters(const GalleryPrinters &) = delete;
  GalleryPrinters &operator=(const GalleryPrinters &) = delete;

  // Empty when every printer runs, else why one does not.
  QString Problem() const { return problem_; }

  // A main window of the language (standard or dealer) over the list.
  std::unique_ptr<utility::T_frmMain_Label> OpenMain(const QString &language,
                                                     bool dealer = false) const;
  // Selects the first row of printerType.
  static void Select(utility::T_frmMain_Label &main, const QString &printerType);
  // The window in the language, its printer selected; not yet shown.
  OpenedWindow Open(const GalleryWindow &window, const QString &language) const;

 private:
  std::vector<std::unique_ptr<sim::SimProcess>> printers_;
  FilesDir files_;
  QString problem_;
};

// The languages of the language file.
const QStringList &GalleryLanguages();

// Shows a window and waits until its printer conversations have settled
// and its layout has taken the texts they brought; false when it was not
// shown or a conversation did not end in time.
bool ShowAndSettle(QWidget &window);

// Labels, buttons and group boxes whose text needs more room than they
// have, as "name 'text': needs W, has W" (wrapped labels: heights).
QStringList ClippedCaptions(const QWidget &window);

// Pairs of widgets, next in the tab order, of which the second comes
// before the first in reading order (row by row, left to right).
QStringList TabOrderAgainstReading(QWidget &window);

// The window takes a size larger than its first one.
bool Resizes(QWidget &window);

}  // namespace ravo::testing
