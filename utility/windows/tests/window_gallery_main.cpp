// ravo-window-gallery: saves a picture of every window of the utility in
// every language of its language file, against virtual printers.  Run it
// on a display (tools/screenshots.sh runs it under a virtual X server):
//
//   ravo_window_gallery DIR     pictures to DIR/<language>/<window>.png
//
// Prints the path of each picture; exits non-zero when one is missing.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "message_box.h"
#include "window_gallery.h"

namespace {

// Unattended: boxes go to the error stream, questions get Cancel.
class StderrMessageBoxes : public ravo::utility::MessageBoxes {
 public:
  ravo::utility::MessageAnswer Show(const ravo::utility::MessageRecord &message) override {
    std::fprintf(stderr, "box: %s: %s\n", qPrintable(message.title), qPrintable(message.text));
    return ravo::utility::MessageAnswer::Cancel;
  }
};

}  // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() != 2) {
    std::fprintf(stderr, "usage: ravo_window_gallery DIR\n");
    return 2;
  }
  StderrMessageBoxes boxes;
  ravo::utility::SetMessageBoxes(&boxes);
  ravo::testing::GalleryPrinters printers;
  if (!printers.Problem().isEmpty()) {
    std::fprintf(stderr, "virtual printer: %s\n", qPrintable(printers.Problem()));
    return 1;
  }
  int missing = 0;
  for (const QString &language : ravo::testing::GalleryLanguages()) {
    const QDir dir(QDir(arguments[1]).filePath(language));
    QDir().mkpath(dir.path());
    for (const ravo::testing::GalleryWindow &entry : ravo::testing::GalleryWindows()) {
      const ravo::testing::OpenedWindow opened = printers.Open(entry, language);
      if (!ravo::testing::ShowAndSettle(opened.Window()))
        std::fprintf(stderr, "%s: still busy when its picture was taken\n", entry.name);
      const QString path = dir.filePath(QLatin1String(entry.name) + QStringLiteral(".png"));
      if (opened.Window().grab().save(path)) {
        std::printf("%s\n", qPrintable(path));
      } else {
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
        ++missing;
      }
    }
  }
  return missing == 0 ? 0 : 1;
}
