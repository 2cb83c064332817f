#include "param_fields.h"

#include <algorithm>
#include <array>

#include "args.h"
#include "mdl_global_catalogue.h"

namespace ravo::cli {
namespace {

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

// Offsets covered by a field of the map, -1 for the others.
std::array<int, 256> Owners(const std::vector<MapField> &fields) {
  std::array<int, 256> owner;
  owner.fill(-1);
  for (size_t i = 0; i < fields.size(); ++i) {
    for (int b = fields[i].offset; b < fields[i].offset + fields[i].width && b < 256; ++b) {
      owner[size_t(b)] = int(i);
    }
  }
  return owner;
}

}  // namespace

FieldMap FieldMap::ForModel(const QString &model, const QString &lookupName) {
  FieldMap map;
  const ravo::utility::param::Family family = mdlGlobal::ParameterFamilyOf(model);
  map.family_ = ravo::utility::param::FamilyName(family).toStdString();
  map.fields_ = MapFields(family, lookupName);
  return map;
}

std::vector<FieldValue> FieldMap::Decode(const Block &block) const {
  const auto owner = Owners(fields_);
  std::vector<FieldValue> values;
  for (int b = kFirstField; b <= kLastField; ++b) {
    const int index = owner[size_t(b)];
    if (index < 0) {
      values.push_back({RawName(b), std::to_string(block[size_t(b)])});
      continue;
    }
    const MapField &field = fields_[size_t(index)];
    if (field.offset == b && !field.derived) values.push_back({field.name, field.decode(block)});
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
  for (const MapField &field : fields_) {
    if (field.name == name && !field.derived) return field.encode(block, value);
  }
  return "no field " + name + " in the " + family_ + " map";
}

std::vector<std::string> FieldMap::Changed(const Block &a, const Block &b) const {
  const auto owner = Owners(fields_);
  std::vector<std::string> names;
  for (int i = 0; i <= kLastField; ++i) {
    if (a[size_t(i)] == b[size_t(i)]) continue;
    const int index = owner[size_t(i)];
    std::string name = index >= 0 ? fields_[size_t(index)].name
                       : i == 0   ? std::string("marker")
                                  : RawName(i);
    // A field of several bytes, or one with a derived byte, is named once.
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

std::optional<std::string> FieldMap::ValueOf(const Block &block, const std::string &name) const {
  if (name == "marker") return std::to_string(block[0]);
  if (const auto offset = RawOffset(name)) return std::to_string(block[size_t(*offset)]);
  for (const MapField &field : fields_) {
    if (field.name == name && !field.derived) return field.decode(block);
  }
  return std::nullopt;
}

}  // namespace ravo::cli
