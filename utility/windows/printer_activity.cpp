#include "printer_activity.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

#include "mdl_global.h"

namespace ravo::utility {
namespace {

constexpr int kProgressSteps = 1000;

}  // namespace

PrinterActivity::PrinterActivity(QWidget *window) : QWidget(window) {
  setObjectName(QStringLiteral("printerActivity"));
  prgBusy = new QProgressBar(this);
  prgBusy->setObjectName(QStringLiteral("prgBusy"));
  prgBusy->setTextVisible(false);
  btnCancel = new QPushButton(mdlGlobal::GetLangString(QStringLiteral("_Cancel")), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  auto *row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(prgBusy, 1);
  row->addWidget(btnCancel);
  connect(btnCancel, &QPushButton::clicked, this, [this] { Cancel(); });
  runner_.OnBusyChanged([this](bool busy) { SetBusy(busy); });
  runner_.OnProgress([this](int64_t done, int64_t total) { ShowProgress(done, total); });
  hide();
}

void PrinterActivity::Guard(std::initializer_list<QWidget *> widgets) {
  for (QWidget *widget : widgets) guarded_.append(widget);
}

void PrinterActivity::SetBusy(bool busy) {
  if (busy) {
    prgBusy->setRange(0, 0);  // moving until a task reports figures
    for (const QPointer<QWidget> &widget : guarded_) {
      if (widget.isNull()) continue;
      enabledBefore_.insert(widget.data(), widget->isEnabled());
      widget->setEnabled(false);
    }
  } else {
    for (const QPointer<QWidget> &widget : guarded_) {
      if (!widget.isNull()) widget->setEnabled(enabledBefore_.value(widget.data(), true));
    }
    enabledBefore_.clear();
  }
  setVisible(busy);
}

void PrinterActivity::ShowProgress(int64_t done, int64_t total) {
  prgBusy->setRange(0, kProgressSteps);
  prgBusy->setValue(total > 0 ? int(done * kProgressSteps / total) : kProgressSteps);
}

}  // namespace ravo::utility
