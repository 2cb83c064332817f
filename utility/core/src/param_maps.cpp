#include "param_maps.h"

#include <array>
#include <vector>

namespace ravo::utility::param {
namespace {

using E = Encoding;
using Items = std::span<const char *const>;

// Plain entries; the windows show language texts in the same positions
// where the list is translated.
constexpr const char *kBaud[] = {"9600", "19200", "38400", "57600", "115200"};
constexpr const char *kDensity[] = {"0", "1", "2",  "3",  "4",  "5",  "6",  "7",
                                    "8", "9", "10", "11", "12", "13", "14", "15"};
constexpr const char *kOnOff[] = {"Disable", "Enable"};
constexpr const char *kSupport[] = {"Unsupported", "Supported"};
constexpr const char *kPrintType[] = {"Thermal", "Ribbon"};
constexpr const char *kMachineLanguage[] = {"Korean", "Codepage"};
constexpr const char *kProtocol[] = {"ESC Protocol", "TSC Protocol"};
constexpr const char *kDhcp[] = {"Static IP", "DHCP"};
constexpr const char *kParity[] = {"NONE", "ODD", "EVEN"};
constexpr const char *kStopBits[] = {"1", "2"};
constexpr const char *kLevels[] = {"0", "1", "2", "3"};
constexpr const char *kSensor[] = {"Edge", "Centre"};

constexpr const char *kTqxPaper[] = {"Auto", "Label", "Receipt", "Black Mark"};
constexpr uint8_t kTqxPaperKinds[] = {0, 1, 0, 2};
constexpr const char *kTqmPaper[] = {"Receipt", "Label", "Black Mark"};
constexpr const char *kHmzPaper[] = {"Label", "Receipt", "Black Mark"};
constexpr uint8_t kHmzPaperKinds[] = {1, 0, 2};

constexpr FieldSpec List(const char *name, const char *control, const char *label, int offset,
                         Items items) {
  return FieldSpec{name, control, label, offset, E::ListIndex, items};
}

constexpr FieldSpec Radio(const char *name, const char *group, int offset, Items items) {
  return FieldSpec{name, group, group, offset, E::OnOff, items};
}

constexpr FieldSpec Edit(const char *name, const char *control, const char *label, int offset,
                         Encoding encoding, int clampTop = 0) {
  return FieldSpec{name, control, label, offset, encoding, {}, clampTop};
}

constexpr FieldSpec Baud(int offset) {
  return List("baud_rate", "cmbBaudRate", "lblBaudRate", offset, kBaud);
}
constexpr FieldSpec Density(int offset) {
  return List("density", "cmbDensity", "lblDensity", offset, kDensity);
}
constexpr FieldSpec CodePage(int offset) {
  return FieldSpec{"code_page", "cmbCodepage", "lblCodepage", offset, E::CodePage};
}
constexpr FieldSpec CharacterSet(bool emptyLast) {
  return FieldSpec{"character_set",
                   "cmbInternationalCharacter",
                   "lblInternationalCharacter",
                   56,
                   E::CharacterSet,
                   {},
                   0,
                   {},
                   emptyLast};
}
constexpr FieldSpec Speed(int offset) {
  return FieldSpec{"print_speed", "cmbPrintSpeed", "lblPrintSpeed", offset, E::Speed};
}
constexpr FieldSpec Heat(int offset) {
  return FieldSpec{"heat_adjust", "cmbHeatAdj", "lblHeatAdj", offset, E::HeatAdjust};
}
constexpr FieldSpec StopPrint(int offset) {
  return Edit("stop_print_minutes", "txtStopPrint", "lblStopPrint1", offset, E::Number, 255);
}
constexpr FieldSpec MarkMaxLength() {
  return Edit("mark_max_length", "txtMarkMaxLength", "lblMarkMaxLength", 68, E::Length, 500);
}
constexpr FieldSpec LabelMaxLength() {
  return Edit("label_max_length", "txtLabelMaxLength", "lblLabelMaxLength", 70, E::Length, 500);
}
constexpr FieldSpec LabelMinLength(int offset, int clampTop) {
  return Edit("label_min_length", "txtLabelMinLength", "lblLabelMinLength", offset, E::Length,
              clampTop);
}
constexpr FieldSpec PrintMethod() {
  return Radio("print_method", "gpbPrintType", 76, kPrintType);
}
constexpr FieldSpec AutoPosition(int offset) {
  return Radio("auto_position", "gpbAutoPosition", offset, kOnOff);
}
constexpr FieldSpec ReprintOnError(int offset) {
  return Radio("reprint_on_error", "gpbReprintWhenError", offset, kOnOff);
}
constexpr FieldSpec ReprintNotice(int offset) {
  return Radio("reprint_notice", "gpbPrintReprint", offset, kOnOff);
}
constexpr FieldSpec SmallLabel() {
  return Radio("small_label", "gpbSmallLabel", 101, kSupport);
}
constexpr FieldSpec Dhcp() {
  return List("dhcp", "cmbDHCP", "lblDHCP", 84, kDhcp);
}
constexpr FieldSpec IpAddress() {
  return Edit("ip_address", "txtIP", "lblIPAddress", 88, E::Address);
}
constexpr FieldSpec SubnetMask() {
  return Edit("subnet_mask", "txtSubnet", "lblSubnet", 92, E::Address);
}
constexpr FieldSpec Gateway() {
  return Edit("gateway", "txtGateway", "lblDefautGateway", 96, E::Address);
}

constexpr FieldSpec kTqx[] = {
    Baud(4),
    Density(34),
    AutoPosition(82),
    CharacterSet(true),
    CodePage(55),
    List("machine_language", "cmbKoreanLanguage", "lblLanguage", 67, kMachineLanguage),
    List("paper_type", "cmbJudgePaperMode", "lblJudgePaperMode", 59, kTqxPaper),
    List("protocol", "cmbProtocolType", "lblProtocolType", 61, kProtocol),
    MarkMaxLength(),
    LabelMinLength(64, 500),
    LabelMaxLength(),
    Edit("valley_threshold", "txtValleyThresholdRate", "lblValleyThresholdRate", 66, E::Number,
         100),
    Edit("gap_voltage", "txtVoltageBetweenLabelGap", "lblVoltageBetweenLabelGap", 62,
         E::GapVoltage),
    FieldSpec{"", "cmbJudgePaperMode", "lblJudgePaperMode", 58, E::PaperKind, kTqxPaper, 0,
              kTqxPaperKinds},
    Speed(92),
    Heat(90),
};

// The TQM rows; the TGV table is the same with the print method after the
// code page.
constexpr auto kTqmHead = std::to_array<FieldSpec>({
    Baud(4),
    List("stop_bits", "cmbStopBits", "lblStopBits", 107, kStopBits),
    List("parity", "cmbParity", "lblParity", 105, kParity),
    CharacterSet(false),
    CodePage(55),
});
constexpr auto kTqmTail = std::to_array<FieldSpec>({
    List("paper_type", "cmbJudgePaperMode", "lblJudgePaperMode", 58, kTqmPaper),
    AutoPosition(83),
    MarkMaxLength(),
    LabelMaxLength(),
    LabelMinLength(134, 0),
    ReprintOnError(100),
    SmallLabel(),
    ReprintNotice(113),
    StopPrint(114),
    Density(34),
    Dhcp(),
    IpAddress(),
    SubnetMask(),
    Gateway(),
    Speed(132),
    Heat(130),
});

constexpr FieldSpec kHmz[] = {
    Density(34),
    PrintMethod(),
    CodePage(55),
    AutoPosition(83),
    LabelMaxLength(),
    FieldSpec{"paper_type", "cmbJudgePaperMode", "lblJudgePaperMode", 59, E::PaperPlusOne,
              kHmzPaper},
    FieldSpec{"", "cmbJudgePaperMode", "lblJudgePaperMode", 58, E::PaperKind, kHmzPaper, 0,
              kHmzPaperKinds},
    ReprintOnError(100),
    SmallLabel(),
    StopPrint(104),
    Dhcp(),
    IpAddress(),
    SubnetMask(),
    Gateway(),
    Speed(126),
    Heat(128),
};

constexpr FieldSpec kQ73[] = {
    Baud(52),
    CodePage(58),
    Density(57),
    List("buzzer_volume", "cmbBuzzerSound", "lblBuzzerSound", 68, kLevels),
    List("backlight", "cmbBackLight", "lblBackLight", 69, kLevels),
    List("sensor_location", "cmbSenserLoaction", "lblSenserLoaction", 79, kSensor),
    Edit("print_stop_position", "txtPrintToStop", "lblPrintToStop", 8, E::Number, 89),
    Edit("horizontal_origin", "txtHOrigin", "lblHOrigin", 12, E::Number, 89),
    Edit("vertical_origin", "txtVOrigin", "lblVOrigin", 14, E::Number, 89),
    ReprintOnError(76),
    ReprintNotice(80),
    StopPrint(82),
    Speed(78),
    Heat(84),
};

template <size_t N, size_t M>
constexpr std::array<FieldSpec, N + M> Join(const std::array<FieldSpec, N> &head,
                                            const std::array<FieldSpec, M> &tail) {
  std::array<FieldSpec, N + M> out{};
  size_t at = 0;
  for (const FieldSpec &f : head) out[at++] = f;
  for (const FieldSpec &f : tail) out[at++] = f;
  return out;
}

constexpr auto kTqm = Join(kTqmHead, kTqmTail);
constexpr auto kTgv = Join(Join(kTqmHead, std::array{PrintMethod()}), kTqmTail);

struct FamilyRow {
  Family family;
  const char *name;
  std::span<const FieldSpec> fields;
};

constexpr FamilyRow kFamilies[] = {
    {Family::TQX, "TQX", kTqx}, {Family::TQM, "TQM", kTqm}, {Family::TGV, "TGV", kTgv},
    {Family::HMZ, "HMZ", kHmz}, {Family::Q73, "Q73", kQ73},
};

}  // namespace

std::span<const FieldSpec> FieldTable(Family family) {
  for (const FamilyRow &row : kFamilies) {
    if (row.family == family) return row.fields;
  }
  return {};
}

std::optional<Family> FamilyByName(const QString &name) {
  for (const FamilyRow &row : kFamilies) {
    if (name.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0) return row.family;
  }
  return std::nullopt;
}

QString FamilyName(Family family) {
  for (const FamilyRow &row : kFamilies) {
    if (row.family == family) return QLatin1String(row.name);
  }
  return {};
}

const FieldSpec *FindField(Family family, const QString &name) {
  if (name.isEmpty()) return nullptr;
  for (const FieldSpec &field : FieldTable(family)) {
    if (name == QLatin1String(field.name)) return &field;
  }
  return nullptr;
}

}  // namespace ravo::utility::param
