#include "param_map_source.h"

#if __has_include("param_values.h")
#include "param_values.h"
#define RAVO_HAVE_PARAM_MAPS 1
#endif

namespace ravo::cli {

namespace param = ravo::utility::param;

#ifdef RAVO_HAVE_PARAM_MAPS

namespace {

// The plain name of the field whose control a derived row follows.
std::string OwnerName(std::span<const param::FieldSpec> table, const param::FieldSpec &row) {
  for (const param::FieldSpec &field : table) {
    if (*field.name != '\0' && qstrcmp(field.control, row.control) == 0) return field.name;
  }
  return row.control;
}

}  // namespace

std::vector<MapField> MapFields(ravo::utility::param::Family family, const QString &lookupName) {
  const std::span<const param::FieldSpec> table = param::FieldTable(family);
  const param::MapContext context = param::ContextFor(lookupName);
  std::vector<MapField> fields;
  for (const param::FieldSpec &entry : table) {
    MapField field;
    field.derived = *entry.name == '\0';
    field.name = field.derived ? OwnerName(table, entry) : entry.name;
    field.offset = entry.offset;
    field.width = param::WidthOf(entry.encoding);
    const param::FieldSpec *row = &entry;
    field.decode = [row, context](const mdlPrinterLib_TSPL::ParameterBlock &block) {
      return param::FieldValueText(*row, block, context).toStdString();
    };
    const QString name = QString::fromLatin1(entry.name);
    field.encode = [family, name, context](mdlPrinterLib_TSPL::ParameterBlock &block,
                                           const std::string &value) -> std::optional<std::string> {
      const param::ApplyResult result =
          param::ApplyValues(family, block, {{name, QString::fromStdString(value)}}, context);
      if (result.ok()) return std::nullopt;
      return result.Describe().toStdString();
    };
    fields.push_back(std::move(field));
  }
  return fields;
}

#else

std::vector<MapField> MapFields(ravo::utility::param::Family, const QString &) {
  return {};
}

#endif

}  // namespace ravo::cli
