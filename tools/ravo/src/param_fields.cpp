#include "param_fields.h"

#include <algorithm>

#include "args.h"
#include "mdl_global_catalogue.h"
#include "param_maps.h"
#include "param_values.h"

namespace ravo::cli {
namespace {

namespace param = ravo::utility::param;

constexpr int kFirstField = 1;
constexpr int kLastField = 253;

std::string RawName(int offset) {
  return "byte." + std::to_string(offset);
}

std::optional<int> RawOffset(const std::string &name) {
  if (name.rfind("byte.", 0) != 0) return std::nullopt;
  const auto offset = ParseInteger(name.substr(5), kFirstField, kLastField);
  if (!offset) return std::nullopt;
  return int(*offset);
}

bool Named(const param::FieldSpec &field) {
  return *field.name != '\0';
}

// The named row a derived row (the paper kind) follows: the one of its control.
const param::FieldSpec &NamedOwner(param::Family family, const param::FieldSpec &row) {
  if (Named(row)) return row;
  for (const param::FieldSpec &field : param::FieldTable(family)) {
    if (Named(field) && qstrcmp(field.control, row.control) == 0) return field;
  }
  return row;
}

}  // namespace

FieldMap FieldMap::ForModel(const QString &model, const QString &lookupName) {
  FieldMap map;
  map.family_ = mdlGlobal::ParameterFamilyOf(model);
  map.context_ = param::ContextFor(lookupName);
  return map;
}

std::string FieldMap::familyName() const {
  return param::FamilyName(family_).toStdString();
}

const param::FieldSpec *FieldMap::OwnerOf(int offset) const {
  for (const param::FieldSpec &field : param::FieldTable(family_)) {
    if (offset >= field.offset && offset < field.offset + param::WidthOf(field.encoding)) {
      return &NamedOwner(family_, field);
    }
  }
  return nullptr;
}

std::vector<FieldValue> FieldMap::Decode(const Block &block) const {
  std::vector<FieldValue> values;
  for (int b = kFirstField; b <= kLastField; ++b) {
    const param::FieldSpec *field = OwnerOf(b);
    if (field == nullptr) {
      values.push_back({RawName(b), std::to_string(block[size_t(b)])});
    } else if (field->offset == b) {
      values.push_back({field->name, param::FieldValueText(*field, block, context_).toStdString()});
    }
  }
  return values;
}

std::optional<std::string> FieldMap::Assign(Block &block, const std::string &name,
                                            const std::string &value) const {
  if (const auto offset = RawOffset(name)) {
    const auto number = ParseInteger(value, 0, 255);
    if (!number) return name + " takes a number from 0 to 255";
    block[size_t(*offset)] = uint8_t(*number);
    return std::nullopt;
  }
  const QString field = QString::fromStdString(name);
  if (field.isEmpty() || param::FindField(family_, field) == nullptr) {
    return "no field " + name + " in the " + familyName() + " map";
  }
  const param::ApplyResult result =
      param::ApplyValues(family_, block, {{field, QString::fromStdString(value)}}, context_);
  if (result.ok()) return std::nullopt;
  std::string reason = result.Describe().toStdString();
  while (!reason.empty() && reason.back() == '.') reason.pop_back();
  return reason;
}

std::vector<std::string> FieldMap::Changed(const Block &a, const Block &b) const {
  std::vector<std::string> names;
  for (int i = 0; i <= kLastField; ++i) {
    if (a[size_t(i)] == b[size_t(i)]) continue;
    const param::FieldSpec *field = i == 0 ? nullptr : OwnerOf(i);
    const std::string name = field != nullptr ? std::string(field->name)
                             : i == 0         ? std::string("marker")
                                              : RawName(i);
    // A field of several bytes, or one with a derived byte, is named once.
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

std::optional<std::string> FieldMap::ValueOf(const Block &block, const std::string &name) const {
  if (name == "marker") return std::to_string(block[0]);
  if (const auto offset = RawOffset(name)) return std::to_string(block[size_t(*offset)]);
  const param::FieldSpec *field = param::FindField(family_, QString::fromStdString(name));
  if (field == nullptr) return std::nullopt;
  return param::FieldValueText(*field, block, context_).toStdString();
}

}  // namespace ravo::cli
