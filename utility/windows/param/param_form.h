// What the five parameter windows share: the life cycle (read the block
// when shown, spread it over the controls, fold the controls back and
// write it on Set), the number fields (validators and the range clamp on
// leaving a field), the captions, saving and loading the block as a file,
// and the marks on fields changed since the read.  Each window's own file
// holds only its layout and the captions that are not the plain
// "<prefix>_<control>" keys; the byte map comes from ravo::param::FieldTable.
#pragma once

#include <QDialog>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

#include "param_maps.h"
#include "printer_service.h"

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QBoxLayout;

namespace ravo::utility {

class PrinterActivity;

class ParamForm : public QDialog {
  Q_OBJECT

 public:
  struct Setup {
    param::Family family;
    QString keyPrefix;      // "FormParaSet_TQX"
    QString captionKey;     // window caption key
    QString speedListName;  // the name FillPrintSpeedList looks up
    bool probesCommandMode = false;
  };

  ParamForm(const Setup &setup, QWidget *parent);

  // The block as last read (zero after a failed read), loaded or written.
  const param::ParameterBlock &Block() const { return block_; }
  bool ReadSucceeded() const { return readOk_; }

  // Block -> controls by the family's byte map.
  void SplitSetting();
  // Controls -> block: the window's block with every field as shown;
  // nothing (after a message naming the field) when one cannot be stored.
  std::optional<param::ParameterBlock> ReplacePrintSetting() const;

  void btnSetClick();
  void btnCloseClick();
  // Reads the block again after a failed read.
  void btnRetryClick();
  // The block with the fields as shown, to a file (the format of
  // `ravo params get --out`).
  void btnSaveFileClick();
  // A block from such a file into the fields; Set writes it.
  void btnLoadFileClick();
  // Closing cancels a read or write that still waits for the printer.
  void done(int result) override;

  // Plain names of the fields whose controls differ from what the read
  // showed (every field of a loaded block when no read succeeded).
  QStringList ChangedFields() const;

  // The busy bar of the block's read or write.
  PrinterActivity *Activity() const { return activity_; }

 protected:
  // Builds the window's controls; called once from FormCreate.
  virtual void BuildLayout(QBoxLayout *root) = 0;
  // Captions beyond the "<prefix>_<control>" keys (translated lists,
  // enabled states, widths); runs at the end of InitLanguage.
  virtual void InitLanguageExtra() {}

  // Runs BuildLayout and InitLanguage and fills the code-page and speed
  // lists; the constructor of each window calls it.
  void FormCreate();
  void InitLanguage();

  // ---- Layout helpers for the windows ----
  // A group box named `name` (captioned from the language file); returns
  // its grid.
  QGridLayout *Group(const char *name, QBoxLayout *into);
  // A grid row in `grid`: the field's label and its control (a list box or
  // an edit field with an optional unit label after it).
  void Row(QGridLayout *grid, const char *control, const char *unit = nullptr);
  // A two-column radio group holding the field of `group`, with the items'
  // language keys.
  void Radio(const char *group, const char *key0, const char *key1, QBoxLayout *into);
  // Two side-by-side columns added to `root`.
  struct Columns {
    QBoxLayout *left;
    QBoxLayout *right;
  };
  Columns AddColumns(QBoxLayout *root);
  // The network group: DHCP, address, subnet mask, gateway.
  void EthernetGroup(QBoxLayout *into);
  // "Stop printing after … " with its edit field, as one line.
  QBoxLayout *StopPrintLine(QBoxLayout *into);
  // The two DHCP entries of the window's own keys.
  void SetDhcpEntries();
  // A plain label named `name` (captioned from the language file).
  QLabel *NamedLabel(const char *name);
  QLineEdit *Edit(const char *control);

  // Replaces the entries of a list box with language texts, keeping the
  // selection's position.
  void SetEntriesFromKeys(const char *control, const QStringList &keys);
  QString Lang(const QString &key) const;
  const QString &KeyPrefix() const { return setup_.keyPrefix; }

  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  // Load, Save, the busy bar, Retry, Set and Close.
  QBoxLayout *ButtonRow();
  // Reads the block off the window thread; BlockArrived shows it.
  void FormShow();
  void BlockArrived(const ServiceAnswer<BlockRead> &read);
  void BlockWritten(const ServiceResult &result, const param::ParameterBlock &written);
  // Fields usable only while the window holds a block; Retry only while it
  // holds none.
  void ShowBlockState();
  void ShowStatus(const QString &text, bool failure);
  // The text in the edit field(s) of a field (address parts joined by dots).
  QString FieldText(const param::FieldSpec &field) const;
  void SetFieldText(const param::FieldSpec &field, const QString &text);
  // What a field's control shows, for telling changed fields apart.
  QString FieldState(const param::FieldSpec &field) const;
  QHash<QString, QString> FieldStates() const;
  void MarkChangedFields();
  // The label or group that names a field.
  QWidget *CaptionWidget(const param::FieldSpec &field) const;
  // True for a rounded field whose text is still what SplitSetting showed.
  bool KeepsStoredBytes(const param::FieldSpec &field) const;
  QWidget *FocusTarget(const param::FieldSpec &field) const;
  QString FieldCaption(const param::FieldSpec &field) const;
  void CheckValue(QLineEdit *edit, const param::FieldSpec &field);
  // Validator, clamp on leaving and change tracking of one edit field.
  void Guard(QLineEdit *edit, const param::FieldSpec &field);

  Setup setup_;
  param::MapContext context_;
  QLocale locale_;
  param::ParameterBlock block_{};
  bool readOk_ = false;
  bool loaded_ = false;  // a block came from a file
  bool shown_ = false;
  // What the controls showed after the last successful read.
  std::optional<QHash<QString, QString>> readStates_;
  QHash<QString, QComboBox *> combos_;
  QHash<QString, QButtonGroup *> radios_;
  QHash<QString, QLineEdit *> edits_;
  // The text SplitSetting put into each edit field, by control.
  QHash<QString, QString> shownText_;
  QHash<QObject *, const param::FieldSpec *> guarded_;
  QWidget *fields_ = nullptr;  // every field control, to enable as one
  QLabel *lblStatus_ = nullptr;
  QPushButton *btnRetry_ = nullptr;
  QPushButton *btnSaveFile_ = nullptr;
  QPushButton *btnLoadFile_ = nullptr;
  QPushButton *btnSet_ = nullptr;
  QPushButton *btnClose_ = nullptr;
  PrinterActivity *activity_ = nullptr;
};

}  // namespace ravo::utility
