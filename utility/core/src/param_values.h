// A family's parameter block as plain name/value pairs, for tools that
// work without the windows.  Values are the windows' list entries (the
// untranslated ones) and edit texts in C number format.
#pragma once

#include <QList>
#include <QString>

#include "param_maps.h"

namespace ravo::utility::param {

struct NamedValue {
  QString name;
  QString value;
};

// The speed list of the printer named name (entry name, or the model for
// the Q73 family), from the catalogue's IPS lists.
MapContext ContextFor(const QString &name);

// The value a field shows for the stored bytes.
QString FieldValueText(const FieldSpec &field, const ParameterBlock &block,
                       const MapContext &context);

// Stores a value the way the window stores its control: list fields take
// one of ListEntries (exact, else ignoring case), edit fields a text that
// EncodeText accepts.  On error the block is unchanged.
FieldError StoreFieldValue(const FieldSpec &field, const QString &value, ParameterBlock &block,
                           const MapContext &context);

// Every named field of the family in table order.
QList<NamedValue> DecodeBlock(Family family, const ParameterBlock &block,
                              const MapContext &context);

struct ApplyResult {
  QString field;  // the name whose value was refused
  FieldError error;
  bool ok() const { return error.ok(); }
  QString Describe() const { return error.Describe(field); }
};

// Stores the values into block, only the named fields and the bytes
// derived from them (the paper kind follows the paper type); every other
// byte keeps its value.  All values are checked first: on the first error
// nothing is stored.  The checksum is not updated (see SealParameterBlock).
ApplyResult ApplyValues(Family family, ParameterBlock &block, const QList<NamedValue> &values,
                        const MapContext &context);

}  // namespace ravo::utility::param
