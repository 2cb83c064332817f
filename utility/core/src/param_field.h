// One field of a model's parameter block: where it lies, how it is encoded,
// which control shows it and which list it chooses from.  A model is a table
// of these rows in the order its window writes them back; the windows and
// the command-line tool both work from the tables.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>

#include "param_codec.h"

namespace ravo::utility::param {

enum class Encoding {
  ListIndex,     // 1 byte: position in the list; out of range shows the first entry
  OnOff,         // 1 byte: radio item 0 or 1; any nonzero byte shows item 1
  Speed,         // 1 byte: the speed number; the list starts at "2"
  CodePage,      // 1 byte: the code-page number
  CharacterSet,  // 1 byte: national character set 0 ... 15; the list ends in an empty entry
  PaperPlusOne,  // 1 byte: list position + 1
  PaperKind,     // 1 byte, written only: derived from the paper choice by `kinds`
  HeatAdjust,    // 2 bytes: -50 ... 50 in steps of 5
  Length,        // 2 bytes: millimetres x 8
  Number,        // 1 byte: plain number
  GapVoltage,    // 2 bytes: volts x 4096 / 3.3
  Address,       // 4 bytes: an IPv4 address, one byte per part
};

// Storage width in bytes of an encoding.
int WidthOf(Encoding encoding);

// True for encodings shown as a choice (list box or radio group); the
// others are edit fields holding text.
bool IsChoice(Encoding encoding);

struct FieldSpec {
  const char *name;     // stable plain name ("print_speed"); empty for derived bytes
  const char *control;  // the window's control ("cmbPrintSpeed"; address parts add 1 ... 4)
  const char *label;    // the label naming the control, for captions and messages
  int offset;
  Encoding encoding;
  // Plain entries of a fixed list or of the two radio items; empty for the
  // lists built at run time (speed, code page, character set, heat).
  std::span<const char *const> items = {};
  // Top of the range CheckValue clamps to (0 ... top); 0 = not clamped.
  int clampTop = 0;
  // PaperKind: the byte written for each position of the paper list.
  std::span<const uint8_t> kinds = {};
  // CharacterSet: the list ends in one empty entry, written as 0.
  bool emptyLast = false;
};

// What the tables leave to the printer at hand.
struct MapContext {
  int topSpeed = 3;  // highest entry of the speed list (3, 4, 5 or 7)
};

// The entries of the field's list in list order (empty for edit fields).
QStringList ListEntries(const FieldSpec &field, const MapContext &context);

// ---- Choices: list boxes and radio groups ----------------------------------

// The list position or radio item the stored bytes select.
int DecodeChoice(const FieldSpec &field, const ParameterBlock &block, const MapContext &context);
// Stores a list position or radio item (PaperKind: the paper list position).
void EncodeChoice(const FieldSpec &field, int index, ParameterBlock &block);

// ---- Edit fields -------------------------------------------------------------

// Why a text cannot be stored.
struct FieldError {
  enum Kind {
    None,
    NotWholeNumber,  // empty or not a whole decimal number
    NotANumber,      // empty or not a decimal number (gap voltage)
    OutOfRange,      // does not fit: minimum and maximum say what does
    NotAddress,      // not four parts joined by dots
    UnknownEntry,    // not an entry of the field's list
    UnknownField,    // no field of that name
  };
  Kind kind = None;
  QString text;     // the offending text
  QString minimum;  // OutOfRange: the allowed range as shown
  QString maximum;
  QStringList allowed;  // UnknownEntry: the entries that may be chosen

  bool ok() const { return kind == None; }
  // An English sentence naming the field by caption.
  QString Describe(const QString &caption) const;
};

// The text the stored bytes show (addresses as "a.b.c.d").
QString DecodeText(const FieldSpec &field, const ParameterBlock &block,
                   const QLocale &locale = QLocale::c());

// Stores text into the field's bytes.  Numbers above a clamped field's top
// are stored as the top and negative ones as 0 (what leaving the field does
// in the window); anything that does not fit the stored form is refused.
// On error the block is unchanged.
FieldError EncodeText(const FieldSpec &field, const QString &text, ParameterBlock &block,
                      const QLocale &locale = QLocale::c());

// What leaving a clamped edit field turns its text into: the text itself
// when within 0 ... clampTop, else the nearer end.  Empty or non-numeric
// text is an error and stays as it is.
FieldError ClampText(const FieldSpec &field, QString &text);

}  // namespace ravo::utility::param
