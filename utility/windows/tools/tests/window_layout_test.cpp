// The parameter windows, the template manager, the command test and the
// download window in all three languages, with the printer there and gone:
// no caption is cut, every window can be resized, and Tab moves through
// the controls in reading order.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "frm_command_test.h"
#include "frm_download_file_tspl.h"
#include "frm_templet_manage.h"
#include "mdl_global.h"
#include "parameter_windows.h"
#include "window_fixture.h"

using namespace ravo::utility;

namespace {

const char *const kLanguages[] = {"2052", "1028", "1033"};

struct Window {
  const char *name;
  std::function<std::unique_ptr<QDialog>()> make;
};

std::unique_ptr<QDialog> ParameterWindow(param::Family family) {
  return CreateParameterWindow(family, nullptr);
}

const Window kWindows[] = {
    {"TQX", [] { return ParameterWindow(param::Family::TQX); }},
    {"TQM", [] { return ParameterWindow(param::Family::TQM); }},
    {"TGV", [] { return ParameterWindow(param::Family::TGV); }},
    {"HMZ", [] { return ParameterWindow(param::Family::HMZ); }},
    {"Q73", [] { return ParameterWindow(param::Family::Q73); }},
    {"templates", [] { return std::make_unique<T_frmTempletManage>(); }},
    {"command test", [] { return std::make_unique<T_frmCommandTest>(); }},
    {"download", [] { return std::make_unique<T_frmDownloadFile_TSPL>(Storage::Flash); }},
};

QString Describe(const QWidget *widget, const QString &text) {
  return widget->metaObject()->className() + QStringLiteral(" ") + widget->objectName() +
         QStringLiteral(" '") + text + QLatin1Char('\'');
}

// Captions of shown labels, buttons and group boxes that do not fit.
QStringList CutCaptions(const QWidget *window) {
  QStringList cut;
  for (const QLabel *label : window->findChildren<QLabel *>()) {
    if (!label->isVisibleTo(window) || label->text().isEmpty()) continue;
    if (label->sizeHint().width() > label->width()) {
      cut << Describe(label, label->text()) +
                 QStringLiteral(" %1 > %2").arg(label->sizeHint().width()).arg(label->width());
    }
  }
  for (const QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
    if (!button->isVisibleTo(window) || button->text().isEmpty()) continue;
    if (button->sizeHint().width() > button->width()) {
      cut << Describe(button, button->text()) +
                 QStringLiteral(" %1 > %2").arg(button->sizeHint().width()).arg(button->width());
    }
  }
  for (const QGroupBox *group : window->findChildren<QGroupBox *>()) {
    if (!group->isVisibleTo(window) || group->title().isEmpty()) continue;
    if (group->minimumSizeHint().width() > group->width()) {
      cut << Describe(group, group->title());
    }
  }
  return cut;
}

QString NameOf(const QWidget *widget) {
  if (!widget->objectName().isEmpty()) return widget->objectName();
  if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) return button->text();
  return QLatin1String(widget->metaObject()->className());
}

// Tab steps between two controls of one container that go back up and to
// the left (a step up into a column further right starts that column).
QStringList OutOfReadingOrder(QWidget *window) {
  QStringList wrong;
  QHash<QWidget *, QWidget *> lastIn;  // container -> last control reached in it
  QWidget *at = window;
  for (int steps = 0; steps < 500; ++steps) {
    at = at->nextInFocusChain();
    if (at == window) break;
    const bool reachable = (at->focusPolicy() & Qt::TabFocus) && at->isVisibleTo(window) &&
                           at->focusProxy() == nullptr;
    if (!reachable) continue;
    QWidget *container = at->parentWidget();
    if (QWidget *before = lastIn.value(container)) {
      const QRect a(before->mapTo(window, QPoint()), before->size());
      const QRect b(at->mapTo(window, QPoint()), at->size());
      const bool down = b.center().y() >= a.top();
      const bool nextColumn = b.left() >= a.right();
      const bool sameRowOnward =
          qAbs(b.center().y() - a.center().y()) < a.height() / 2 && b.left() > a.left();
      if (!down && !nextColumn && !sameRowOnward) {
        wrong << NameOf(before) + QStringLiteral(" -> ") + NameOf(at);
      }
    }
    lastIn.insert(container, at);
  }
  return wrong;
}

class ToolWindowLayout : public ToolWindowTest {
 protected:
  void CheckEveryWindow(const char *state) {
    for (const char *language : kLanguages) {
      mdlGlobal::SelectLanguage(QLatin1String(language));
      mdlGlobal::LoadMessageStrings();
      for (const Window &w : kWindows) {
        const std::string where = std::string(w.name) + " " + language + " " + state;
        const std::unique_ptr<QDialog> window = w.make();
        window->show();
        ASSERT_TRUE(Settle()) << where;
        QCoreApplication::processEvents();  // layouts settle
        EXPECT_EQ(CutCaptions(window.get()).join('\n').toStdString(), "") << where;
        EXPECT_EQ(OutOfReadingOrder(window.get()).join('\n').toStdString(), "") << where;
        EXPECT_LT(window->minimumWidth(), window->maximumWidth()) << where;
        EXPECT_LT(window->minimumHeight(), window->maximumHeight()) << where;
        window->reject();
      }
    }
    mdlGlobal::SelectLanguage(QStringLiteral("1033"));
    mdlGlobal::LoadMessageStrings();
  }
};

TEST_F(ToolWindowLayout, NoCaptionIsCutInAnyLanguage) {
  CheckEveryWindow("printer there");
}

// A failed read shows its message and Retry; the template manager its
// status line.
TEST_F(ToolWindowLayout, NoCaptionIsCutWithThePrinterGone) {
  ASSERT_TRUE(sim_.Stop());
  CheckEveryWindow("printer gone");
  EXPECT_FALSE(boxes_.shown.empty());
}

}  // namespace
