#include <gtest/gtest.h>

#include "param_codec.h"
#include "param_field.h"
#include "param_maps.h"

using namespace ravo::utility::param;

namespace {

QString Hex(const ParameterBlock &block, int offset, int count) {
  QString out;
  for (int i = 0; i < count; ++i)
    out += QStringLiteral("%1 ").arg(block[offset + i], 2, 16, QChar('0'));
  return out.trimmed().toUpper();
}

const FieldSpec &Field(Family family, const char *name) {
  const FieldSpec *field = FindField(family, QLatin1String(name));
  EXPECT_NE(field, nullptr) << name;
  return *field;
}

TEST(ParamCodec, HeatAdjustmentBytes) {
  struct Case {
    int value;
    uint8_t low, high;
  };
  const Case cases[] = {
      {-5, 0xFB, 0xFF}, {5, 0x05, 0x00}, {-50, 0xCE, 0xFF}, {50, 0x32, 0x00}, {0, 0x00, 0x00}};
  for (const Case &c : cases) {
    uint8_t low = 0, high = 0;
    EncodeHeat(c.value, low, high);
    EXPECT_EQ(low, c.low) << c.value;
    EXPECT_EQ(high, c.high) << c.value;
    EXPECT_EQ(DecodeHeat(c.low, c.high), c.value);
  }
  // Any nonzero high byte marks a negative value.
  EXPECT_EQ(DecodeHeat(0xFB, 0x01), -5);
}

TEST(ParamCodec, LengthsInDotsAndWholeMillimetres) {
  EXPECT_EQ(EncodeLengthMm(500), 4000);
  EXPECT_EQ(DecodeLengthMm(4007), 500);
  EXPECT_EQ(DecodeLengthMm(7), 0);
  ParameterBlock block{};
  EXPECT_TRUE(EncodeText(Field(Family::TQX, "label_max_length"), "500", block).ok());
  EXPECT_EQ(Hex(block, 70, 2), QStringLiteral("A0 0F"));
  // The TQM minimum length is not clamped: 600 mm is stored as typed.
  EXPECT_TRUE(EncodeText(Field(Family::TQM, "label_min_length"), "600", block).ok());
  EXPECT_EQ(Hex(block, 134, 2), QStringLiteral("C0 12"));
}

TEST(ParamCodec, GapVoltage) {
  EXPECT_EQ(VoltsToRaw(1.0), 1241);
  EXPECT_EQ(VoltsToRaw(3.3), 4096);
  EXPECT_EQ(VoltsToRaw(0.0), 0);
  // Exact halves go to the even neighbour.
  for (int k : {2, 3, 4, 5, 12, 13}) {
    const double volts = (k + 0.5) * 3.3 / 4096;
    EXPECT_EQ(VoltsToRaw(volts), k % 2 == 0 ? k : k + 1) << k;
  }
  struct Shown {
    uint16_t raw;
    const char *text;
  };
  const Shown shown[] = {{1241, "1"}, {0, "0"}, {1862, "1.5"}, {4096, "3.3"}, {1000, "0.8"}};
  for (const Shown &s : shown) EXPECT_EQ(RawToVoltsText(s.raw), QLatin1String(s.text)) << s.raw;
  EXPECT_EQ(RawToVoltsText(1862, QLocale(QLocale::German)), QStringLiteral("1,5"));
  // Values typed as shown come back to the same raw value.
  for (uint16_t raw : {0, 124, 1241, 1862, 2482, 4096}) {
    EXPECT_EQ(VoltsToRaw(*ParseDecimal(RawToVoltsText(raw))), raw) << raw;
  }
}

TEST(ParamCodec, NumbersParse) {
  EXPECT_EQ(ParseWholeNumber(" 42 "), 42);
  EXPECT_EQ(ParseWholeNumber("-7"), -7);
  for (const char *bad : {"", " ", "4 2", "1.5", "0x10", "-", "12a", "99999999999999"}) {
    EXPECT_FALSE(ParseWholeNumber(QLatin1String(bad))) << bad;
  }
  EXPECT_EQ(ParseDecimal("1,5", QLocale(QLocale::German)), 1.5);
  EXPECT_EQ(ParseDecimal("1.5", QLocale(QLocale::German)), 1.5);  // C format accepted too
  EXPECT_FALSE(ParseDecimal("volts"));
  EXPECT_FALSE(ParseDecimal("inf"));
}

TEST(ParamCodec, CodePageNumbers) {
  struct Case {
    uint8_t stored;
    const char *shown;
  };
  const Case cases[] = {{13, "PC857(Turkish)"},
                        {0, "Default"},
                        {99, "Default"},
                        {67, "ABICOMP"},
                        {19, "PC858(Euro)"}};
  const FieldSpec &field = Field(Family::TQX, "code_page");
  const QStringList names = ListEntries(field, {});
  for (const Case &c : cases) {
    ParameterBlock block{};
    block[55] = c.stored;
    EXPECT_EQ(names[DecodeChoice(field, block, {})], QLatin1String(c.shown)) << int(c.stored);
  }
  ParameterBlock block{};
  block[55] = 0x33;
  EncodeChoice(field, static_cast<int>(names.indexOf("PC437(USA:Standard Europe)")), block);
  EXPECT_EQ(block[55], 0);
  EncodeChoice(field, static_cast<int>(names.indexOf("WPC1258")), block);
  EXPECT_EQ(block[55], 52);
}

TEST(ParamCodec, EditFieldsRefuseWhatDoesNotFit) {
  struct Case {
    Family family;
    const char *field;
    const char *text;
    FieldError::Kind kind;
  };
  const Case cases[] = {
      {Family::TQX, "label_max_length", "", FieldError::NotWholeNumber},
      {Family::TQX, "label_max_length", "12a", FieldError::NotWholeNumber},
      {Family::TQM, "label_min_length", "-1", FieldError::OutOfRange},
      {Family::TQM, "label_min_length", "8192", FieldError::OutOfRange},
      {Family::TQM, "ip_address", "192.168.1.256", FieldError::OutOfRange},
      {Family::TQM, "ip_address", "192.168..1", FieldError::NotWholeNumber},
      {Family::HMZ, "gateway", "10.0.0", FieldError::NotAddress},
      {Family::TQX, "gap_voltage", "3.4", FieldError::OutOfRange},
      {Family::TQX, "gap_voltage", "-0.1", FieldError::OutOfRange},
      {Family::TQX, "gap_voltage", "", FieldError::NotANumber},
      {Family::TQX, "gap_voltage", "1V", FieldError::NotANumber},
  };
  for (const Case &c : cases) {
    ParameterBlock block;
    block.fill(0xA5);
    const FieldError error = EncodeText(Field(c.family, c.field), QLatin1String(c.text), block);
    EXPECT_EQ(error.kind, c.kind) << c.field << " '" << c.text << "'";
    for (uint8_t b : block) ASSERT_EQ(b, 0xA5) << c.field << " '" << c.text << "'";
  }
}

TEST(ParamCodec, ErrorMessagesNameTheField) {
  ParameterBlock block{};
  const FieldError gap = EncodeText(Field(Family::TQX, "gap_voltage"), "5", block);
  EXPECT_EQ(gap.Describe(QStringLiteral("Gap voltage:")),
            QStringLiteral("Gap voltage: 5 is outside the range 0 to 3.3."));
  const FieldError empty = EncodeText(Field(Family::Q73, "horizontal_origin"), "", block);
  EXPECT_EQ(empty.Describe(QStringLiteral("水平起始位置：")),
            QStringLiteral("水平起始位置: '' is not a valid whole number."));
}

TEST(ParamCodec, ClampedFieldsTakeTheEndsOfTheirRange) {
  struct Case {
    Family family;
    const char *field;
    const char *typed;
    const char *after;
  };
  const Case cases[] = {
      {Family::TQX, "mark_max_length", "600", "500"},
      {Family::TQX, "valley_threshold", "101", "100"},
      {Family::TQM, "stop_print_minutes", "300", "255"},
      {Family::Q73, "horizontal_origin", "95", "89"},
      {Family::Q73, "vertical_origin", "90", "89"},
      {Family::Q73, "print_stop_position", "89", "89"},
      {Family::HMZ, "label_max_length", "-3", "0"},
      {Family::TQM, "label_min_length", "600", "600"},  // not clamped
      {Family::TQM, "ip_address", "300", "300"},        // not clamped
  };
  for (const Case &c : cases) {
    QString text = QLatin1String(c.typed);
    EXPECT_TRUE(ClampText(Field(c.family, c.field), text).ok()) << c.field;
    EXPECT_EQ(text, QLatin1String(c.after)) << c.field;
  }
  QString empty;
  EXPECT_EQ(ClampText(Field(Family::TQX, "label_max_length"), empty).kind,
            FieldError::NotWholeNumber);
  EXPECT_TRUE(empty.isEmpty());
  // Storing clamps the same way leaving the field does.
  ParameterBlock block{};
  EXPECT_TRUE(EncodeText(Field(Family::Q73, "horizontal_origin"), "95", block).ok());
  EXPECT_EQ(block[12], 89);
}

}  // namespace
