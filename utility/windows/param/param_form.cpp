#include "param_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "file_dialogs.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_selected_printer.h"
#include "param_block_file.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "window_messages.h"

namespace ravo::utility {

using param::FieldSpec;

namespace {

constexpr char kLangKey[] = "langKey";
constexpr int kAddressParts = 4;

constexpr int kByteTop = 255;
constexpr int kGapDecimals = 3;

// The largest number a field's edit box takes while typing: the top it is
// clamped to, else what its bytes hold.  Leaving the field clamps; Set
// refuses what does not fit.
int TypingTop(const FieldSpec &field) {
  if (field.clampTop > 0) return field.clampTop;
  return field.encoding == param::Encoding::Length ? param::kMaxStoredLengthMm : kByteTop;
}

QString Filled(QString pattern, const QString &value) {
  return pattern.replace(QLatin1String("{0}"), value);
}

std::filesystem::path LocalPath(const QString &path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
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
  // The fields live in one pane, enabled only while the window holds a
  // block; a control a window disables itself stays disabled.
  fields_ = new QWidget(this);
  fields_->setObjectName(QStringLiteral("fields"));
  auto *fieldsLayout = new QVBoxLayout(fields_);
  fieldsLayout->setContentsMargins(0, 0, 0, 0);
  BuildLayout(fieldsLayout);
  root->addWidget(fields_, 1);
  lblStatus_ = new QLabel(this);
  lblStatus_->setObjectName(QStringLiteral("statusLine"));
  lblStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  root->addWidget(lblStatus_);
  root->addLayout(ButtonRow());
  InitLanguage();
  // Every field and button waits while the block is read or written.
  activity_->Guard({fields_, btnLoadFile_, btnSaveFile_, btnRetry_, btnSet_});
  ShowBlockState();
}

QBoxLayout *ParamForm::ButtonRow() {
  auto *buttons = new QHBoxLayout;
  auto button = [this, buttons](QPushButton *&field, const char *name, const char *key) {
    field = new QPushButton(this);
    field->setObjectName(QLatin1String(name));
    field->setProperty(kLangKey, QLatin1String(key));
    field->setAutoDefault(false);
    buttons->addWidget(field);
  };
  button(btnLoadFile_, "btnLoadFile", "_ParaSet_btnLoadFile");
  button(btnSaveFile_, "btnSaveFile", "_ParaSet_btnSaveFile");
  activity_ = new PrinterActivity(this);
  buttons->addWidget(activity_, 1);
  buttons->addStretch();
  button(btnRetry_, "btnRetry", "_ParaSet_btnRetry");
  button(btnSet_, "btnSet", "_Set");
  button(btnClose_, "btnClose", "_Close");
  connect(btnLoadFile_, &QPushButton::clicked, this, &ParamForm::btnLoadFileClick);
  connect(btnSaveFile_, &QPushButton::clicked, this, &ParamForm::btnSaveFileClick);
  connect(btnRetry_, &QPushButton::clicked, this, &ParamForm::btnRetryClick);
  connect(btnSet_, &QPushButton::clicked, this, &ParamForm::btnSetClick);
  connect(btnClose_, &QPushButton::clicked, this, &ParamForm::btnCloseClick);
  btnRetry_->hide();
  return buttons;
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
    connect(combo, &QComboBox::currentIndexChanged, this, &ParamForm::MarkChangedFields);
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
  connect(buttons, &QButtonGroup::idToggled, this, &ParamForm::MarkChangedFields);
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
  ShowStatus({}, false);
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

void ParamForm::btnRetryClick() {
  if (readOk_ || loaded_) return;
  FormShow();
}

void ParamForm::BlockArrived(const ServiceAnswer<BlockRead> &read) {
  if (read.value.probeAnswer) mdlGlobal::CommandModeFlag = *read.value.probeAnswer;
  readOk_ = read.ok();
  if (readOk_) block_ = read.value.block;
  SplitSetting();
  if (readOk_) readStates_ = FieldStates();
  // Writing the zero block of a failed read would wipe the printer's
  // settings, so the fields wait for a block and Retry is offered.
  ShowBlockState();
  MarkChangedFields();
  if (readOk_) return;
  ShowStatus(Filled(Lang(QStringLiteral("_ParaSet_ReadFailed")), ServiceErrorText(read.result)),
             true);
  ShowServiceError(read.result);
}

void ParamForm::ShowBlockState() {
  const bool holdsBlock = readOk_ || loaded_;
  fields_->setEnabled(holdsBlock);
  btnSet_->setEnabled(holdsBlock);
  btnSaveFile_->setEnabled(holdsBlock);
  btnRetry_->setVisible(!holdsBlock && shown_);
  btnRetry_->setEnabled(true);
}

void ParamForm::ShowStatus(const QString &text, bool failure) {
  lblStatus_->setText(text);
  QPalette palette = this->palette();
  if (failure) palette.setColor(QPalette::WindowText, Qt::darkRed);
  lblStatus_->setPalette(palette);
  lblStatus_->setVisible(!text.isEmpty());
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

std::optional<param::ParameterBlock> ParamForm::ReplacePrintSetting() const {
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
      return std::nullopt;
    }
  }
  return edited;
}

void ParamForm::btnSetClick() {
  if (!btnSet_->isEnabled()) return;
  // The window's block stays as read until the printer took the edits, so
  // that a field set back to what it showed writes what the printer held.
  std::optional<param::ParameterBlock> edited = ReplacePrintSetting();
  if (!edited) return;
  param::SealParameterBlock(*edited);
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  const CommandSet commandSet = CommandSetOf(mdlGlobal::CommandModeFlag);
  const param::ParameterBlock block = *edited;
  activity_->Run<ServiceResult>(
      [printer, commandSet, block](const TaskControl &control) {
        return PrinterService(printer, &control).WriteParameterBlock(block, commandSet, false);
      },
      [this, block](ServiceResult result) { BlockWritten(result, block); });
}

void ParamForm::BlockWritten(const ServiceResult &result, const param::ParameterBlock &written) {
  if (result.ok()) {
    block_ = written;
    ShowInformation(mdlGlobal::Msg.ParaSet_OK);
    accept();
    return;
  }
  // The window and its edits stay, so that Set can be pressed again once
  // the printer is back.
  ShowStatus(Lang(QStringLiteral("_ParaSet_NotWritten")), true);
  QString text = ServiceErrorText(result);
  if (result.message != ServiceMessage::ParaSet) {
    text = mdlGlobal::Msg.Err_ParaSet + QLatin1Char('\n') + text;
  }
  ShowError(text);
}

void ParamForm::btnSaveFileClick() {
  if (!btnSaveFile_->isEnabled()) return;
  std::optional<param::ParameterBlock> shown = ReplacePrintSetting();
  if (!shown) return;
  param::SealParameterBlock(*shown);
  const QString suggested = mdlGlobal::SelectedPrinterType + QStringLiteral("-parameters.bin");
  const QString path =
      ChooseFileToSave(this, suggested, Lang(QStringLiteral("_ParaSet_FileFilter")));
  if (path.isEmpty()) return;
  if (param::WriteBlockFile(LocalPath(path), *shown) != param::BlockFileStatus::Ok) {
    return ShowError(Filled(Lang(QStringLiteral("_Err_FileWrite")), path));
  }
  ShowStatus(Filled(Lang(QStringLiteral("_ParaSet_Saved")), QFileInfo(path).fileName()), false);
}

void ParamForm::btnLoadFileClick() {
  if (activity_->Busy()) return;
  const QString path = ChooseFileToOpen(this, Lang(QStringLiteral("_ParaSet_FileFilter")));
  if (path.isEmpty()) return;
  const param::BlockFileRead read = param::ReadBlockFile(LocalPath(path));
  switch (read.status) {
    case param::BlockFileStatus::Ok:
      break;
    case param::BlockFileStatus::WrongSize:
      return ShowError(Filled(Lang(QStringLiteral("_Err_BlockFileSize")), path));
    case param::BlockFileStatus::Unsound:
      return ShowError(Filled(Lang(QStringLiteral("_Err_BlockFileUnsound")), path));
    case param::BlockFileStatus::CannotRead:
    case param::BlockFileStatus::CannotWrite:
      return ShowError(Filled(Lang(QStringLiteral("_Err_BlockFileRead")), path));
  }
  // The whole block is taken, bytes no field shows included, as a restore
  // from the command line does.
  block_ = read.block;
  loaded_ = true;
  SplitSetting();
  ShowBlockState();
  MarkChangedFields();
  ShowStatus(Filled(Lang(QStringLiteral("_ParaSet_Loaded")), QFileInfo(path).fileName()), false);
}

void ParamForm::btnCloseClick() {
  reject();
}

// ---- Edit fields ------------------------------------------------------------------

QString ParamForm::FieldState(const FieldSpec &field) const {
  if (field.encoding == param::Encoding::OnOff) {
    return QString::number(radios_.value(QLatin1String(field.control))->checkedId());
  }
  if (param::IsChoice(field.encoding)) {
    return QString::number(combos_.value(QLatin1String(field.control))->currentIndex());
  }
  return FieldText(field);
}

QHash<QString, QString> ParamForm::FieldStates() const {
  QHash<QString, QString> states;
  for (const FieldSpec &field : param::FieldTable(setup_.family)) {
    if (*field.name != '\0') states.insert(QLatin1String(field.name), FieldState(field));
  }
  return states;
}

QStringList ParamForm::ChangedFields() const {
  QStringList changed;
  for (const FieldSpec &field : param::FieldTable(setup_.family)) {
    if (*field.name == '\0') continue;
    const bool differs =
        readStates_ ? readStates_->value(QLatin1String(field.name)) != FieldState(field) : loaded_;
    if (differs) changed << QLatin1String(field.name);
  }
  return changed;
}

void ParamForm::MarkChangedFields() {
  if (fields_ == nullptr) return;  // still being built
  const QStringList changed = ChangedFields();
  const QString tip = Lang(QStringLiteral("_ParaSet_ChangedTip"));
  for (const FieldSpec &field : param::FieldTable(setup_.family)) {
    if (*field.name == '\0') continue;
    QWidget *caption = CaptionWidget(field);
    if (caption == nullptr) continue;
    const bool mark = changed.contains(QLatin1String(field.name));
    if (caption->font().bold() == mark) continue;
    QFont font = caption->font();
    font.setBold(mark);
    caption->setFont(font);
    caption->setToolTip(mark ? tip : QString());
  }
}

QWidget *ParamForm::CaptionWidget(const FieldSpec &field) const {
  if (field.encoding == param::Encoding::OnOff) {
    return findChild<QGroupBox *>(QLatin1String(field.control));
  }
  return findChild<QLabel *>(QLatin1String(field.label));
}

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
  connect(edit, &QLineEdit::textChanged, this, &ParamForm::MarkChangedFields);
  // The gap voltage takes a decimal point and is not clamped: Set refuses
  // what lies outside its range.
  if (field.encoding == param::Encoding::GapVoltage) {
    auto *volts = new QDoubleValidator(0, param::kGapReferenceVolts, kGapDecimals, edit);
    volts->setNotation(QDoubleValidator::StandardNotation);
    volts->setLocale(locale_);
    edit->setValidator(volts);
    return;
  }
  // Digits only, no sign and no group separators; editing and navigation
  // keys work as in any edit box.
  auto *digits = new QIntValidator(0, TypingTop(field), edit);
  QLocale plain = QLocale::c();
  plain.setNumberOptions(QLocale::RejectGroupSeparator);
  digits->setLocale(plain);
  edit->setValidator(digits);
  guarded_.insert(edit, &field);
  edit->installEventFilter(this);
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
  if (field != nullptr && event->type() == QEvent::FocusOut) {
    // Losing focus to a message box or a popup is not leaving the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      CheckValue(static_cast<QLineEdit *>(watched), *field);
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ravo::utility
