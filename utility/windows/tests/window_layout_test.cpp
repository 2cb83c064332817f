// Every window in every language of the language file: no caption is
// clipped, at the size the window opens with and at its smallest; every
// window resizes; where the controls read row by row, so does Tab.
#include <QTest>

#include "window_gallery.h"

using namespace ravo::testing;

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
  void captionsFitAndWindowsResize_data();
  void captionsFitAndWindowsResize();

 private:
  std::unique_ptr<GalleryPrinters> printers_;
  std::unique_ptr<ravo::utility::ScopedRecordingMessageBoxes> boxes_;
};

void WindowLayoutTest::initTestCase() {
  printers_ = std::make_unique<GalleryPrinters>();
  QVERIFY2(printers_->Problem().isEmpty(), qPrintable(printers_->Problem()));
  boxes_ = std::make_unique<ravo::utility::ScopedRecordingMessageBoxes>();
}

void WindowLayoutTest::cleanupTestCase() {
  boxes_.reset();
  printers_.reset();
}

void WindowLayoutTest::captionsFitAndWindowsResize_data() {
  QTest::addColumn<int>("window");
  QTest::addColumn<QString>("language");
  for (const QString &language : GalleryLanguages()) {
    for (size_t i = 0; i < GalleryWindows().size(); ++i) {
      const QByteArray row = QByteArray(GalleryWindows()[i].name) + ' ' + language.toLatin1();
      QTest::newRow(row.constData()) << int(i) << language;
    }
  }
}

void WindowLayoutTest::captionsFitAndWindowsResize() {
  QFETCH(int, window);
  QFETCH(QString, language);
  const GalleryWindow &entry = GalleryWindows()[size_t(window)];
  const OpenedWindow opened = printers_->Open(entry, language);
  QWidget &shown = opened.Window();
  QVERIFY(ShowAndSettle(shown));

  const QStringList clipped = ClippedCaptions(shown);
  QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
  shown.resize(shown.minimumSizeHint());
  QApplication::processEvents();
  const QStringList clippedSmallest = ClippedCaptions(shown);
  QVERIFY2(clippedSmallest.isEmpty(),
           qPrintable("at the smallest size:\n" + clippedSmallest.join('\n')));

  QVERIFY2(Resizes(shown), "the window keeps its size");
  if (entry.readsRowByRow) {
    const QStringList wrong = TabOrderAgainstReading(shown);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
  }
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
