#include "param_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "window_messages.h"

namespace ravo::utility {

using param::FieldSpec;

namespace {

constexpr char kLangKey[] = "langKey";
constexpr int kAddressParts = 4;

bool IsAllowedNumberKey(const QKeyEvent *key) {
  if (key->matches(QKeySequence::Paste)) return false;
  const QString text = key->text();
  if (text.isEmpty()) return true;  // cursor keys, Tab and the like
  if (text.size() != 1) return false;
  const QChar c = text[0];
  return c == u'\b' || c == u'\r' || c == QChar(127) || (c >= u'0' && c <= u'9');
}

const FieldSpec *NamedFieldOf(param::Family family, const char *control) {
  for (const FieldSpec &field : param::FieldTable(family)) {
    if (*field.name != '\0' && qstrcmp(field.control, control) == 0) return &field;
  }
  return nullptr;
}

}  // namespace

ParamForm::ParamForm(const Setup &setup, QWidget *parent)
    : QDialog(parent),
      setup_(setup),
      context_{static_cast<int>(mdlGlobal::FillPrintSpeedList(setup.speedListName).size()) + 1} {}

void ParamForm::FormCreate() {
  auto *root = new QVBoxLayout(this);
  BuildLayout(root);
  auto *buttons = new QHBoxLayout;
  activity_ = new PrinterActivity(this);
  buttons->addWidget(activity_, 1);
  buttons->addStretch();
  btnSet_ = new QPushButton(QStringLiteral("设置"), this);
  btnSet_->setObjectName(QStringLiteral("btnSet"));
  btnSet_->setProperty(kLangKey, QStringLiteral("_Set"));
  btnClose_ = new QPushButton(QStringLiteral("关闭"), this);
  btnClose_->setObjectName(QStringLiteral("btnClose"));
  btnClose_->setProperty(kLangKey, QStringLiteral("_Close"));
  buttons->addWidget(btnSet_);
  buttons->addWidget(btnClose_);
  root->addLayout(buttons);
  connect(btnSet_, &QPushButton::clicked, this, &ParamForm::btnSetClick);
  connect(btnClose_, &QPushButton::clicked, this, &ParamForm::btnCloseClick);
  btnSet_->setAutoDefault(false);
  btnClose_->setAutoDefault(false);
  InitLanguage();
  // Every field waits with Set while the block is read or written.
  for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
    if (child != activity_ && child != btnClose_) activity_->Guard({child});
  }
}

QString ParamForm::Lang(const QString &key) const {
  return mdlGlobal::GetLangString(key);
}

void ParamForm::InitLanguage() {
  setWindowTitle(Lang(setup_.captionKey));
  for (QLabel *label : findChildren<QLabel *>()) {
    const QString name = label->objectName();
    if (!name.startsWith(QLatin1String("lbl"))) continue;
    // Every window shares the HMZ texts of these two labels.
    const bool shared =
        name == QLatin1String("lblHeatAdj") || name == QLatin1String("lblPrintSpeed");
    label->setText(Lang((shared ? QStringLiteral("FormParaSet_HMZ") : setup_.keyPrefix) +
                        QLatin1Char('_') + name));
  }
  for (QGroupBox *group : findChildren<QGroupBox *>()) {
    if (group->objectName().startsWith(QLatin1String("gpb"))) {
      group->setTitle(Lang(setup_.keyPrefix + QLatin1Char('_') + group->objectName()));
    }
  }
  for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
    const QVariant key = button->property(kLangKey);
    if (key.isValid()) button->setText(Lang(key.toString()));
  }
  InitLanguageExtra();
}

// ---- Layout helpers ----------------------------------------------------------

QGridLayout *ParamForm::Group(const char *name, QBoxLayout *into) {
  auto *box = new QGroupBox(this);
  box->setObjectName(QLatin1String(name));
  auto *grid = new QGridLayout(box);
  into->addWidget(box);
  return grid;
}

QLabel *ParamForm::NamedLabel(const char *name) {
  auto *label = new QLabel(this);
  label->setObjectName(QLatin1String(name));
  return label;
}

QLineEdit *ParamForm::Edit(const char *control) {
  const FieldSpec *field = NamedFieldOf(setup_.family, control);
  Q_ASSERT(field != nullptr);
  auto *edit = new QLineEdit(this);
  edit->setObjectName(QLatin1String(control));
  edits_.insert(edit->objectName(), edit);
  Guard(edit, *field);
  return edit;
}

void ParamForm::Row(QGridLayout *grid, const char *control, const char *unit) {
  const FieldSpec *field = NamedFieldOf(setup_.family, control);
  Q_ASSERT(field != nullptr);
  const int row = grid->rowCount();
  grid->addWidget(NamedLabel(field->label), row, 0);
  if (param::IsChoice(field->encoding)) {
    auto *combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(control));
    combo->addItems(param::ListEntries(*field, context_));
    combo->setCurrentIndex(0);
    combos_.insert(combo->objectName(), combo);
    grid->addWidget(combo, row, 1);
    return;
  }
  auto *line = new QHBoxLayout;
  if (field->encoding == param::Encoding::Address) {
    for (int part = 1; part <= kAddressParts; ++part) {
      if (part > 1) line->addWidget(new QLabel(QStringLiteral("."), this));
      auto *edit = new QLineEdit(this);
      edit->setObjectName(QLatin1String(control) + QString::number(part));
      edit->setMaxLength(3);
      edits_.insert(edit->objectName(), edit);
      Guard(edit, *field);
      line->addWidget(edit);
    }
  } else {
    line->addWidget(Edit(control));
    if (unit != nullptr) line->addWidget(new QLabel(QString::fromUtf8(unit), this));
  }
  grid->addLayout(line, row, 1);
}

ParamForm::Columns ParamForm::AddColumns(QBoxLayout *root) {
  auto *columns = new QHBoxLayout;
  Columns both{new QVBoxLayout, new QVBoxLayout};
  columns->addLayout(both.left);
  columns->addLayout(both.right);
  root->addLayout(columns);
  return both;
}

void ParamForm::EthernetGroup(QBoxLayout *into) {
  QGridLayout *ethernet = Group("gpbEthernetSetting", into);
  for (const char *control : {"cmbDHCP", "txtIP", "txtSubnet", "txtGateway"}) {
    Row(ethernet, control);
  }
}

QBoxLayout *ParamForm::StopPrintLine(QBoxLayout *into) {
  auto *stop = new QHBoxLayout;
  stop->addWidget(NamedLabel("lblStopPrint1"));
  stop->addWidget(Edit("txtStopPrint"));
  stop->addWidget(NamedLabel("lblStopPrint2"));
  stop->addStretch();
  into->addLayout(stop);
  return stop;
}

void ParamForm::SetDhcpEntries() {
  SetEntriesFromKeys("cmbDHCP", {KeyPrefix() + QStringLiteral("_cmbDHCP_Item1"),
                                 KeyPrefix() + QStringLiteral("_cmbDHCP_Item2")});
}

void ParamForm::Radio(const char *group, const char *key0, const char *key1, QBoxLayout *into) {
  auto *box = new QGroupBox(this);
  box->setObjectName(QLatin1String(group));
  auto *line = new QHBoxLayout(box);
  auto *buttons = new QButtonGroup(box);
  const char *keys[] = {key0, key1};
  for (int item = 0; item < 2; ++item) {
    auto *radio = new QRadioButton(box);
    radio->setObjectName(QLatin1String(group) + QLatin1Char('_') + QString::number(item));
    radio->setProperty(kLangKey, QLatin1String(keys[item]));
    buttons->addButton(radio, item);
    line->addWidget(radio);
  }
  buttons->button(0)->setChecked(true);
  radios_.insert(box->objectName(), buttons);
  into->addWidget(box);
}

void ParamForm::SetEntriesFromKeys(const char *control, const QStringList &keys) {
  QComboBox *combo = combos_.value(QLatin1String(control));
  if (combo == nullptr) return;
  const int index = std::max(combo->currentIndex(), 0);
  combo->clear();
  for (const QString &key : keys) combo->addItem(Lang(key));
  combo->setCurrentIndex(index < combo->count() ? index : 0);
}

// ---- Life cycle -----------------------------------------------------------------

void ParamForm::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void ParamForm::done(int result) {
  activity_->Cancel();  // closing does not wait for a slow printer
  QDialog::done(result);
}

void ParamForm::FormShow() {
  block_.fill(0);
  readOk_ = false;
  // Nothing to set until the block is read.
  btnSet_->setEnabled(false);
  // The TQX window asks the printer which command set it speaks; the
  // answer stays for every later window.
  std::optional<CommandSet> commandSet;
  if (!setup_.probesCommandMode) commandSet = CommandSetOf(mdlGlobal::CommandModeFlag);
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  activity_->Run<ServiceAnswer<BlockRead>>(
      [printer, commandSet](const TaskControl &control) {
        return PrinterService(printer, &control).ReadParameterBlock(commandSet);
      },
      [this](ServiceAnswer<BlockRead> read) { BlockArrived(read); });
}

void ParamForm::BlockArrived(const ServiceAnswer<BlockRead> &read) {
  if (read.value.probeAnswer) mdlGlobal::CommandModeFlag = *read.value.probeAnswer;
  readOk_ = read.ok();
  if (readOk_) block_ = read.value.block;
  if (!readOk_) ShowError(read.result.Text());
  SplitSetting();
  // Writing the zero block of a failed read would wipe the printer's
  // settings, so Set is offered only for a block that was read.
  btnSet_->setEnabled(readOk_);
}

void ParamForm::SplitSetting() {
  for (const FieldSpec &field : param::FieldTable(setup_.family)) {
    if (*field.name == '\0') continue;
    if (!param::IsChoice(field.encoding)) {
      const QString text = param::DecodeText(field, block_, locale_);
      shownText_.insert(QLatin1String(field.control), text);
      SetFieldText(field, text);
      continue;
    }
    const int index = param::DecodeChoice(field, block_, context_);
    if (field.encoding == param::Encoding::OnOff) {
      radios_.value(QLatin1String(field.control))->button(index)->setChecked(true);
    } else {
      combos_.value(QLatin1String(field.control))->setCurrentIndex(index);
    }
  }
}

bool ParamForm::ReplacePrintSetting() {
  param::ParameterBlock edited = block_;
  for (const FieldSpec &field : param::FieldTable(setup_.family)) {
    if (param::IsChoice(field.encoding)) {
      const int index = field.encoding == param::Encoding::OnOff
                            ? radios_.value(QLatin1String(field.control))->checkedId()
                            : combos_.value(QLatin1String(field.control))->currentIndex();
      param::EncodeChoice(field, index, edited);
      continue;
    }
    if (KeepsStoredBytes(field)) continue;
    const param::FieldError error = param::EncodeText(field, FieldText(field), edited, locale_);
    if (!error.ok()) {
      ShowError(error.Describe(FieldCaption(field)));
      if (QWidget *target = FocusTarget(field)) target->setFocus();
      return false;
    }
  }
  block_ = edited;
  return true;
}

void ParamForm::btnSetClick() {
  if (!btnSet_->isEnabled() || !ReplacePrintSetting()) return;
  param::SealParameterBlock(block_);
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  const CommandSet commandSet = CommandSetOf(mdlGlobal::CommandModeFlag);
  const param::ParameterBlock block = block_;
  activity_->Run<ServiceResult>(
      [printer, commandSet, block](const TaskControl &control) {
        return PrinterService(printer, &control).WriteParameterBlock(block, commandSet, false);
      },
      [this](ServiceResult result) { BlockWritten(result); });
}

void ParamForm::BlockWritten(const ServiceResult &result) {
  if (result.ok()) {
    ShowInformation(mdlGlobal::Msg.ParaSet_OK);
    accept();
    return;
  }
  if (result.message == ServiceMessage::OpenPort) {
    ShowError(QString::number(result.code) + QLatin1Char(':') + result.Text());
  }
  ShowError(mdlGlobal::Msg.Err_ParaSet);
  reject();
}

void ParamForm::btnCloseClick() {
  reject();
}

// ---- Edit fields ------------------------------------------------------------------

bool ParamForm::KeepsStoredBytes(const FieldSpec &field) const {
  // Lengths show whole millimetres and the gap voltage tenths of a volt, so
  // re-encoding an untouched field would round away what the printer holds.
  const bool rounded =
      field.encoding == param::Encoding::Length || field.encoding == param::Encoding::GapVoltage;
  const auto shown = shownText_.constFind(QLatin1String(field.control));
  return rounded && shown != shownText_.constEnd() && *shown == FieldText(field);
}

QString ParamForm::FieldText(const FieldSpec &field) const {
  if (field.encoding != param::Encoding::Address) {
    return edits_.value(QLatin1String(field.control))->text();
  }
  QStringList parts;
  for (int part = 1; part <= kAddressParts; ++part) {
    parts << edits_.value(QLatin1String(field.control) + QString::number(part))->text();
  }
  return parts.join(QLatin1Char('.'));
}

void ParamForm::SetFieldText(const FieldSpec &field, const QString &text) {
  if (field.encoding != param::Encoding::Address) {
    edits_.value(QLatin1String(field.control))->setText(text);
    return;
  }
  const QStringList parts = text.split(QLatin1Char('.'));
  for (int part = 1; part <= kAddressParts; ++part) {
    edits_.value(QLatin1String(field.control) + QString::number(part))
        ->setText(parts.value(part - 1));
  }
}

QWidget *ParamForm::FocusTarget(const FieldSpec &field) const {
  if (field.encoding != param::Encoding::Address) return edits_.value(QLatin1String(field.control));
  return edits_.value(QLatin1String(field.control) + QLatin1Char('1'));
}

QString ParamForm::FieldCaption(const FieldSpec &field) const {
  const auto *label = findChild<QLabel *>(QLatin1String(field.label));
  const QString caption = label != nullptr ? label->text().trimmed() : QString();
  return caption.isEmpty() ? QString::fromLatin1(field.name) : caption;
}

void ParamForm::Guard(QLineEdit *edit, const FieldSpec &field) {
  // The gap voltage takes a decimal point, so it has neither filter nor clamp.
  if (field.encoding == param::Encoding::GapVoltage) return;
  guarded_.insert(edit, &field);
  edit->installEventFilter(this);
}

bool ParamForm::CheckImportNumber(QObject *, QKeyEvent *key) const {
  return !IsAllowedNumberKey(key);
}

void ParamForm::CheckValue(QLineEdit *edit, const FieldSpec &field) {
  QString text = edit->text();
  const param::FieldError error = param::ClampText(field, text);
  if (!error.ok()) {
    ShowError(error.Describe(FieldCaption(field)));
    return;
  }
  if (text != edit->text()) edit->setText(text);
}

bool ParamForm::eventFilter(QObject *watched, QEvent *event) {
  const FieldSpec *field = guarded_.value(watched);
  if (field == nullptr) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    return CheckImportNumber(watched, static_cast<QKeyEvent *>(event));
  }
  if (event->type() == QEvent::FocusOut) {
    // Losing focus to a message box or a popup is not leaving the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      CheckValue(static_cast<QLineEdit *>(watched), *field);
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ravo::utility
