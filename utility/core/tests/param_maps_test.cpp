#include <gtest/gtest.h>

#include <QSet>
#include <random>
#include <vector>

#include "param_maps.h"
#include "param_values.h"

using namespace ravo::utility::param;

namespace {

constexpr Family kFamilies[] = {Family::TQX, Family::TQM, Family::TGV, Family::HMZ, Family::Q73};

const FieldSpec &Field(Family family, const char *name) {
  const FieldSpec *field = FindField(family, QLatin1String(name));
  EXPECT_NE(field, nullptr) << name;
  return *field;
}

ParameterBlock RandomBlock(unsigned seed) {
  std::mt19937 random(seed);
  ParameterBlock block;
  for (uint8_t &b : block) b = static_cast<uint8_t>(random());
  block[0] = 0x78;
  return block;
}

// The bytes each row of the family covers.
QSet<int> MappedBytes(Family family) {
  QSet<int> bytes;
  for (const FieldSpec &f : FieldTable(family)) {
    for (int i = 0; i < WidthOf(f.encoding); ++i) bytes.insert(f.offset + i);
  }
  return bytes;
}

TEST(ParamMaps, RowsKeepTheWindowsWriteOrder) {
  struct Case {
    Family family;
    std::vector<int> offsets;
  };
  const Case cases[] = {
      {Family::TQX, {4, 34, 82, 56, 55, 67, 59, 61, 68, 64, 70, 66, 62, 58, 92, 90}},
      {Family::TQM, {4,   107, 105, 56, 55, 58, 83, 68, 70,  134, 100,
                     101, 113, 114, 34, 84, 88, 92, 96, 132, 130}},
      {Family::TGV, {4,   107, 105, 56,  55, 76, 58, 83, 68, 70,  134,
                     100, 101, 113, 114, 34, 84, 88, 92, 96, 132, 130}},
      {Family::HMZ, {34, 76, 55, 83, 70, 59, 58, 100, 101, 104, 84, 88, 92, 96, 126, 128}},
      {Family::Q73, {52, 58, 57, 68, 69, 79, 8, 12, 14, 76, 80, 82, 78, 84}},
  };
  for (const Case &c : cases) {
    std::vector<int> offsets;
    for (const FieldSpec &f : FieldTable(c.family)) offsets.push_back(f.offset);
    EXPECT_EQ(offsets, c.offsets) << FamilyName(c.family).toStdString();
  }
}

TEST(ParamMaps, RowsNeitherOverlapNorTouchMarkerOrChecksum) {
  for (Family family : kFamilies) {
    const std::string name = FamilyName(family).toStdString();
    QSet<int> used;
    QSet<QString> names;
    for (const FieldSpec &f : FieldTable(family)) {
      for (int i = 0; i < WidthOf(f.encoding); ++i) {
        const int at = f.offset + i;
        EXPECT_TRUE(at >= 1 && at <= 253) << name << " " << f.control;
        EXPECT_FALSE(used.contains(at)) << name << " byte " << at;
        used.insert(at);
      }
      if (*f.name != '\0') {
        EXPECT_FALSE(names.contains(f.name)) << name << " " << f.name;
        names.insert(f.name);
      }
      if (f.encoding == Encoding::PaperKind) {
        EXPECT_EQ(f.kinds.size(), f.items.size()) << name;
      }
    }
    EXPECT_EQ(FamilyByName(FamilyName(family).toUpper()), family);
  }
  EXPECT_FALSE(FamilyByName("tqz"));
}

TEST(ParamMaps, StoredChoicesOutsideTheirListsShowTheFirstEntry) {
  struct Case {
    Family family;
    const char *field;
    int offset;
    uint8_t stored;
    int shown;
  };
  const Case cases[] = {
      {Family::TQX, "paper_type", 59, 4, 0},
      {Family::TQX, "paper_type", 59, 3, 3},
      {Family::TQX, "character_set", 56, 16, 16},  // the empty entry
      {Family::TQX, "character_set", 56, 17, 0},
      {Family::TQM, "character_set", 56, 16, 0},  // no empty entry here
      {Family::TQM, "density", 34, 16, 0},
      {Family::TQM, "dhcp", 84, 2, 0},
      {Family::HMZ, "paper_type", 59, 0, 0},
      {Family::HMZ, "paper_type", 59, 3, 2},
      {Family::HMZ, "paper_type", 59, 4, 0},
      {Family::TGV, "print_method", 76, 2, 1},
      {Family::TQX, "print_speed", 92, 1, 0},
      {Family::TQX, "print_speed", 92, 4, 2},
      {Family::TQX, "print_speed", 92, 5, 0},  // above the top speed 4
      {Family::Q73, "baud_rate", 52, 4, 4},
  };
  for (const Case &c : cases) {
    ParameterBlock block{};
    block[c.offset] = c.stored;
    EXPECT_EQ(DecodeChoice(Field(c.family, c.field), block, MapContext{4}), c.shown)
        << FamilyName(c.family).toStdString() << " " << c.field << " " << int(c.stored);
  }
  // The empty last entry of the TQX character sets writes back as 0.
  ParameterBlock charset{};
  charset[56] = 16;
  const FieldSpec &tqxCharset = Field(Family::TQX, "character_set");
  EncodeChoice(tqxCharset, DecodeChoice(tqxCharset, charset, {}), charset);
  EXPECT_EQ(charset[56], 0);
  ParameterBlock heat{};
  heat[90] = 0xFD;  // -3: no entry
  heat[91] = 0xFF;
  EXPECT_EQ(DecodeChoice(Field(Family::TQX, "heat_adjust"), heat, {}), 0);
  EXPECT_EQ(ListEntries(Field(Family::Q73, "print_speed"), MapContext{7}).join(','),
            QStringLiteral("2,3,4,5,6,7"));
}

TEST(ParamMaps, PaperChoiceWritesTypeAndKind) {
  struct Case {
    Family family;
    const char *value;
    uint8_t type, kind;  // bytes 59 and 58
  };
  const Case cases[] = {
      {Family::TQX, "Auto", 0, 0},       {Family::TQX, "Label", 1, 1},
      {Family::TQX, "Receipt", 2, 0},    {Family::TQX, "Black Mark", 3, 2},
      {Family::HMZ, "Label", 1, 1},      {Family::HMZ, "Receipt", 2, 0},
      {Family::HMZ, "black mark", 3, 2},
  };
  for (const Case &c : cases) {
    ParameterBlock block;
    block.fill(0xEE);
    const ApplyResult result = ApplyValues(c.family, block, {{"paper_type", c.value}}, {});
    ASSERT_TRUE(result.ok()) << result.Describe().toStdString();
    EXPECT_EQ(block[59], c.type) << c.value;
    EXPECT_EQ(block[58], c.kind) << c.value;
  }
  // The TQM paper type is a plain list index in byte 58.
  ParameterBlock block{};
  ASSERT_TRUE(ApplyValues(Family::TQM, block, {{"paper_type", "Receipt"}}, {}).ok());
  EXPECT_EQ(block[58], 0);
  block[58] = 1;
  EXPECT_EQ(FieldValueText(Field(Family::TQM, "paper_type"), block, {}), QStringLiteral("Label"));
}

TEST(ParamValues, DecodeShowsWhatTheWindowShows) {
  ParameterBlock block{};
  block[4] = 4;
  block[55] = 13;
  block[56] = 10;
  block[62] = 0xD9;
  block[63] = 0x04;
  block[70] = 0xA7;  // 4007 dots
  block[71] = 0x0F;
  block[90] = 0xFB;
  block[91] = 0xFF;
  block[92] = 4;
  QMap<QString, QString> values;
  for (const NamedValue &v : DecodeBlock(Family::TQX, block, MapContext{4})) {
    values.insert(v.name, v.value);
  }
  EXPECT_EQ(values.size(), 15);  // every row but the derived paper kind
  EXPECT_EQ(values["baud_rate"], "115200");
  EXPECT_EQ(values["code_page"], "PC857(Turkish)");
  EXPECT_EQ(values["character_set"], QStringLiteral("Denmark \u2161"));
  EXPECT_EQ(values["gap_voltage"], "1");
  EXPECT_EQ(values["label_max_length"], "500");
  EXPECT_EQ(values["heat_adjust"], "-5");
  EXPECT_EQ(values["print_speed"], "4");
  EXPECT_EQ(values["auto_position"], "Disable");
}

TEST(ParamValues, ApplyRefusesWithoutStoringAnything) {
  struct Case {
    Family family;
    QList<NamedValue> values;
    const char *field;
    FieldError::Kind kind;
  };
  const Case cases[] = {
      {Family::TQX,
       {{"density", "3"}, {"gap_voltage", "4"}},
       "gap_voltage",
       FieldError::OutOfRange},
      {Family::TQM,
       {{"ip_address", "10.0.0.1"}, {"gateway", "10.0.0.300"}},
       "gateway",
       FieldError::OutOfRange},
      {Family::TQM, {{"density", "16"}}, "density", FieldError::UnknownEntry},
      {Family::Q73, {{"ip_address", "10.0.0.1"}}, "ip_address", FieldError::UnknownField},
      {Family::HMZ, {{"stop_print_minutes", ""}}, "stop_print_minutes", FieldError::NotWholeNumber},
      {Family::TQX, {{"print_speed", "5"}}, "print_speed", FieldError::UnknownEntry},
  };
  for (const Case &c : cases) {
    ParameterBlock block = RandomBlock(7);
    const ParameterBlock before = block;
    const ApplyResult result = ApplyValues(c.family, block, c.values, MapContext{4});
    EXPECT_EQ(result.field, QLatin1String(c.field));
    EXPECT_EQ(result.error.kind, c.kind) << c.field;
    EXPECT_EQ(block, before) << c.field;
  }
}

TEST(ParamValues, ApplyingTheDecodedValuesChangesNothing) {
  for (Family family : kFamilies) {
    // Valid values in every field, random bytes elsewhere.
    ParameterBlock block = RandomBlock(static_cast<unsigned>(family) + 1);
    const MapContext context{5};
    for (const FieldSpec &f : FieldTable(family)) {
      if (*f.name == '\0') continue;
      const QStringList entries = ListEntries(f, context);
      const QString value = !entries.isEmpty()                   ? entries.last()
                            : f.encoding == Encoding::Address    ? QStringLiteral("10.1.2.3")
                            : f.encoding == Encoding::GapVoltage ? QStringLiteral("2.5")
                                                                 : QStringLiteral("77");
      ASSERT_TRUE(ApplyValues(family, block, {{f.name, value}}, context).ok()) << f.name;
    }
    const ParameterBlock valid = block;
    ASSERT_TRUE(ApplyValues(family, block, DecodeBlock(family, block, context), context).ok());
    EXPECT_EQ(block, valid) << FamilyName(family).toStdString();
  }
}

TEST(ParamValues, ApplyTouchesOnlyTheMappedBytes) {
  for (Family family : kFamilies) {
    ParameterBlock block = RandomBlock(99);
    const ParameterBlock before = block;
    QList<NamedValue> values;
    for (const FieldSpec &f : FieldTable(family)) {
      if (*f.name == '\0') continue;
      const QStringList entries = ListEntries(f, {});
      values.append({f.name, !entries.isEmpty()                ? entries.first()
                             : f.encoding == Encoding::Address ? QStringLiteral("0.0.0.0")
                                                               : QStringLiteral("0")});
    }
    ASSERT_TRUE(ApplyValues(family, block, values, {}).ok());
    const QSet<int> mapped = MappedBytes(family);
    for (int i = 0; i < 256; ++i) {
      if (!mapped.contains(i)) {
        EXPECT_EQ(block[i], before[i]) << "byte " << i;
      }
    }
  }
}

}  // namespace
