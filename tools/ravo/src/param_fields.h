// The parameter block seen as named fields of the family's byte map.
// Bytes that no field of the map covers are addressed as "byte.N" (decimal
// offset 1 ... 253, value 0 ... 255), so every byte stays reachable.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "param_block.h"
#include "param_family.h"
#include "param_field.h"

namespace ravo::cli {

using Block = ravo::utility::param::ParameterBlock;

struct FieldValue {
  std::string name;
  std::string value;
};

class FieldMap {
 public:
  // The map of the model's parameter family; lookupName chooses the speed
  // list (the printer type, or the model for the Q73 family).
  static FieldMap ForModel(const QString &model, const QString &lookupName);

  ravo::utility::param::Family family() const { return family_; }
  std::string familyName() const;

  // Every field of the map with its shown value, in block order.
  std::vector<FieldValue> Decode(const Block &block) const;

  // Stores value into the named field; the reason, with the values allowed,
  // on refusal.
  std::optional<std::string> Assign(Block &block, const std::string &name,
                                    const std::string &value) const;

  // Names of the fields (or "byte.N") whose bytes differ, in block order;
  // the checksum bytes are not compared.
  std::vector<std::string> Changed(const Block &a, const Block &b) const;

  // The shown value of a field or "byte.N" in block; empty for an unknown name.
  std::optional<std::string> ValueOf(const Block &block, const std::string &name) const;

 private:
  // The named field that owns the byte at offset; null for unmapped bytes.
  const ravo::utility::param::FieldSpec *OwnerOf(int offset) const;

  ravo::utility::param::Family family_ = ravo::utility::param::Family::TQX;
  ravo::utility::param::MapContext context_;
};

}  // namespace ravo::cli
