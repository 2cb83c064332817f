// What the five parameter windows share: the life cycle (read the block
// when shown, spread it over the controls, fold the controls back and
// write it on Set), the numeric key filter and range clamp of the edit
// fields, and the captions.  Each window's own file holds only its layout
// and the captions that are not the plain "<prefix>_<control>" keys; the
// byte map comes from ravo::param::FieldTable.
#pragma once

#include <QDialog>
#include <QHash>
#include <QLocale>
#include <QString>

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

  // The block as last read (zero after a failed read) or as last written.
  const param::ParameterBlock &Block() const { return block_; }
  bool ReadSucceeded() const { return readOk_; }

  // Block -> controls and controls -> block by the family's byte map.
  void SplitSetting();
  // False (after a message naming the field) when a field cannot be
  // stored; the block is then unchanged.
  bool ReplacePrintSetting();

  void btnSetClick();
  void btnCloseClick();
  // Closing cancels a read or write that still waits for the printer.
  void done(int result) override;

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
  // Reads the block off the window thread; BlockArrived shows it.
  void FormShow();
  void BlockArrived(const ServiceAnswer<BlockRead> &read);
  void BlockWritten(const ServiceResult &result);
  // The text in the edit field(s) of a field (address parts joined by dots).
  QString FieldText(const param::FieldSpec &field) const;
  void SetFieldText(const param::FieldSpec &field, const QString &text);
  // True for a rounded field whose text is still what SplitSetting showed.
  bool KeepsStoredBytes(const param::FieldSpec &field) const;
  QWidget *FocusTarget(const param::FieldSpec &field) const;
  QString FieldCaption(const param::FieldSpec &field) const;
  bool CheckImportNumber(QObject *edit, QKeyEvent *key) const;
  void CheckValue(QLineEdit *edit, const param::FieldSpec &field);
  void Guard(QLineEdit *edit, const param::FieldSpec &field);

  Setup setup_;
  param::MapContext context_;
  QLocale locale_;
  param::ParameterBlock block_{};
  bool readOk_ = false;
  bool shown_ = false;
  QHash<QString, QComboBox *> combos_;
  QHash<QString, QButtonGroup *> radios_;
  QHash<QString, QLineEdit *> edits_;
  // The text SplitSetting put into each edit field, by control.
  QHash<QString, QString> shownText_;
  QHash<QObject *, const param::FieldSpec *> guarded_;
  QPushButton *btnSet_ = nullptr;
  QPushButton *btnClose_ = nullptr;
  PrinterActivity *activity_ = nullptr;
};

}  // namespace ravo::utility
