#include "param_values.h"

#include "mdl_global_catalogue.h"

namespace ravo::utility::param {
namespace {

int FindEntry(const QStringList &entries, const QString &value) {
  const int exact = static_cast<int>(entries.indexOf(value));
  if (exact >= 0) return exact;
  for (int i = 0; i < entries.size(); ++i) {
    if (entries[i].compare(value, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

// Rows without a name of their own that follow the control of `field`.
void StoreDerived(Family family, const FieldSpec &field, int index, ParameterBlock &block) {
  for (const FieldSpec &row : FieldTable(family)) {
    if (*row.name == '\0' && qstrcmp(row.control, field.control) == 0) {
      EncodeChoice(row, index, block);
    }
  }
}

}  // namespace

MapContext ContextFor(const QString &name) {
  return MapContext{static_cast<int>(mdlGlobal::FillPrintSpeedList(name).size()) + 1};
}

QString FieldValueText(const FieldSpec &field, const ParameterBlock &block,
                       const MapContext &context) {
  if (!IsChoice(field.encoding)) return DecodeText(field, block);
  const QStringList entries = ListEntries(field, context);
  const int index = DecodeChoice(field, block, context);
  return index < entries.size() ? entries[index] : QString();
}

FieldError StoreFieldValue(const FieldSpec &field, const QString &value, ParameterBlock &block,
                           const MapContext &context) {
  if (!IsChoice(field.encoding)) return EncodeText(field, value, block);
  const QStringList entries = ListEntries(field, context);
  const int index = FindEntry(entries, value.trimmed());
  if (index < 0) {
    FieldError error{FieldError::UnknownEntry, value, {}, {}, entries};
    error.allowed.removeAll(QString());
    return error;
  }
  EncodeChoice(field, index, block);
  return {};
}

QList<NamedValue> DecodeBlock(Family family, const ParameterBlock &block,
                              const MapContext &context) {
  QList<NamedValue> values;
  for (const FieldSpec &field : FieldTable(family)) {
    if (*field.name == '\0') continue;
    values.append({QString::fromLatin1(field.name), FieldValueText(field, block, context)});
  }
  return values;
}

ApplyResult ApplyValues(Family family, ParameterBlock &block, const QList<NamedValue> &values,
                        const MapContext &context) {
  ParameterBlock edited = block;
  for (const NamedValue &v : values) {
    const FieldSpec *field = FindField(family, v.name);
    if (field == nullptr) return {v.name, FieldError{FieldError::UnknownField, v.name, {}, {}, {}}};
    const FieldError error = StoreFieldValue(*field, v.value, edited, context);
    if (!error.ok()) return {v.name, error};
    if (IsChoice(field->encoding)) {
      StoreDerived(family, *field, DecodeChoice(*field, edited, context), edited);
    }
  }
  block = edited;
  return {};
}

}  // namespace ravo::utility::param
