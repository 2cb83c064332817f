// The model table: every printer model a handle can be created for.
// Searched in row order by exact, case-sensitive model name; the last row is
// the generic "unknown" model that accepts every command but has no raster
// width.
#include "model_table.h"

#include <array>

namespace prt {
namespace {

constexpr uint32_t kAll = 0xFFFFFFFFu;
// Every model in the table prints 8 dots per millimetre.
constexpr uint32_t kDpi203 = 203;

#define ROW(id, brand, name, caps, width, kind, m1, m2)                                    \
  ModelRow {                                                                               \
    id, brand, name, brand " " name, brand " " name " " kind, caps, width, m1, m2, kDpi203 \
  }

constexpr std::array<ModelRow, 99> kModelTable = {{
    ROW(0x1001, "RAVO", "KP330", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1001, "RAVO", "KP330II", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1001, "RAVO", "KP330L", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1002, "RAVO", "KP350", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1002, "RAVO", "KP350II", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1002, "RAVO", "KP350L", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1003, "RAVO", "KP360", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1003, "RAVO", "KP360II", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1003, "RAVO", "KP360L", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1006, "RAVO", "KP380", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1006, "RAVO", "KP380II", 0x201u, 576, "Receipt Printer", 0x0000000Fu, 0x00000003u),
    ROW(0x1011, "RAVO", "MP210", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1011, "RAVO", "MP210B", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1012, "RAVO", "MP220", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1012, "RAVO", "MP220B", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1013, "RAVO", "MP230", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1013, "RAVO", "MP230B", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1101, "RAVO", "MP310", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1101, "RAVO", "MP310B", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1101, "RAVO", "MP310W", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1103, "RAVO", "MP320", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1103, "RAVO", "MP320B", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1131, "RAVO", "MP330", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1131, "RAVO", "MP330B", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1151, "RAVO", "MP350", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1151, "RAVO", "MP350B", 0x401u, 384, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1021, "RAVO", "MP420", 0x401u, 432, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1021, "RAVO", "MP420B", 0x401u, 432, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1102, "RAVO", "MP380", 0x401u, 576, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1102, "RAVO", "MP380B", 0x401u, 576, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1102, "RAVO", "MP380W", 0x401u, 576, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1104, "RAVO", "MP390", 0x401u, 576, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1104, "RAVO", "MP390B", 0x401u, 576, "Mobile Printer", 0x00000107u, 0x00000001u),
    ROW(0x1191, "RAVO", "WP210", 0x401u, 1680, "Receipt Printer", 0x00000307u, 0x00000001u),
    ROW(0x1191, "RAVO", "WP210B", 0x401u, 1680, "Receipt Printer", 0x00000307u, 0x00000001u),
    ROW(0x1541, "RAVO", "CB58", 0x1101u, 384, "Receipt Control Board", 0x0000000Bu, 0x00000002u),
    ROW(0x1541, "RAVO", "CB58S", 0x1101u, 384, "Receipt Control Board", 0x0000000Bu, 0x00000002u),
    ROW(0x1562, "RAVO", "CB58K", 0x1101u, 384, "Receipt Control Board", 0x0000000Bu, 0x00000002u),
    ROW(0x1562, "RAVO", "CB58KS", 0x1101u, 384, "Receipt Control Board", 0x0000000Bu, 0x00000002u),
    ROW(0x1721, "RAVO", "KP600", 0x101u, 576, "Receipt Printer", 0x0000001Fu, 0x00000003u),
    ROW(0x1721, "RAVO", "KP600II", 0x101u, 576, "Receipt Printer", 0x0000001Fu, 0x00000003u),
    ROW(0x1725, "RAVO", "KP620", 0x101u, 576, "Receipt Printer", 0x0000001Fu, 0x00000003u),
    ROW(0x1725, "RAVO", "KP620II", 0x101u, 576, "Receipt Printer", 0x0000001Fu, 0x00000003u),
    ROW(0x1955, "RAVO", "KT80", 0x1u, 576, "Receipt Printer", 0x00000007u, 0x00000000u),
    ROW(0x1955, "RAVO", "KT80S", 0x1u, 576, "Receipt Printer", 0x00000007u, 0x00000000u),
    ROW(0x1956, "RAVO", "KT82", 0x1u, 576, "Receipt Printer", 0x00000007u, 0x00000000u),
    ROW(0x1956, "RAVO", "KT82S", 0x1u, 576, "Receipt Printer", 0x00000007u, 0x00000000u),
    ROW(0x2042, "RAVO", "DL860", 0x38u, 864, "Label/Receipt Printer", 0x0000003Fu, 0x00000004u),
    ROW(0x2042, "RAVO", "DL860S", 0x38u, 864, "Label/Receipt Printer", 0x0000003Fu, 0x00000004u),
    ROW(0x3001, "RAVO", "TGV", 0x2u, 864, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3001, "RAVO", "TGV-E", 0x2u, 864, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3001, "RAVO", "VT-640K", 0x2u, 864, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3102, "RAVO", "HMY", 0x2u, 848, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3102, "RAVO", "HMY-E", 0x2u, 848, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3103, "RAVO", "HMZ", 0x2u, 848, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3103, "RAVO", "HMZ-E", 0x2u, 848, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3103, "RAVO", "HMZ-W", 0x2u, 848, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3104, "RAVO", "HMS", 0x2u, 848, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3104, "RAVO", "HMS-E", 0x2u, 848, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3105, "RAVO", "HMT", 0x2u, 848, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3105, "RAVO", "HMT-E", 0x2u, 848, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3108, "RAVO", "Q73", 0x2u, 864, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3108, "RAVO", "Q73-E", 0x2u, 864, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3108, "RAVO", "Q73-W", 0x2u, 864, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3201, "RAVO", "LB58", 0x2u, 576, "Label Control Board", 0x00000011u, 0x00000000u),
    ROW(0x3201, "RAVO", "LB58S", 0x2u, 576, "Label Control Board", 0x00000011u, 0x00000000u),
    ROW(0x4001, "RAVO", "MC300", 0x40u, 576, "Mobile Printer", 0x00000021u, 0x00000010u),
    ROW(0x4001, "RAVO", "MC300B", 0x40u, 576, "Mobile Printer", 0x00000021u, 0x00000010u),
    ROW(0x4001, "RAVO", "MC310", 0x40u, 576, "Mobile Printer", 0x00000021u, 0x00000010u),
    ROW(0x9601, "RAVO", "TQX58", 0x3u, 384, "Label/Receipt Printer", 0x00000013u, 0x00000006u),
    ROW(0x9601, "RAVO", "TQX58-E", 0x3u, 384, "Label/Receipt Printer", 0x00000013u, 0x00000006u),
    ROW(0x9601, "RAVO", "TQX58R", 0x1u, 384, "Receipt Printer", 0x00000013u, 0x00000006u),
    ROW(0x9601, "RAVO", "TQX50", 0x3u, 384, "Label/Receipt Printer", 0x00000013u, 0x00000006u),
    ROW(0x9602, "RAVO", "TQX80", 0x3u, 576, "Label/Receipt Printer", 0x00000013u, 0x00000006u),
    ROW(0x9602, "RAVO", "TQX80-E", 0x3u, 576, "Label/Receipt Printer", 0x00000013u, 0x00000006u),
    ROW(0x9602, "RAVO", "TQX80R", 0x1u, 576, "Receipt Printer", 0x00000013u, 0x00000006u),
    ROW(0x9602, "RAVO", "TQX76", 0x3u, 576, "Label/Receipt Printer", 0x00000013u, 0x00000006u),
    ROW(0x9603, "RAVO", "TQM", 0x2u, 864, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x9603, "RAVO", "TQM-E", 0x2u, 864, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x9603, "RAVO", "TQM-W", 0x2u, 864, "Label Printer", 0x00000011u, 0x00000008u),
    ROW(0x3001, "RAVO", "TGV-W", 0x2u, 864, "Label Printer", 0x00000001u, 0x00000000u),
    ROW(0x3102, "RAVO", "HMY-W", 0x2u, 848, "Label Printer", 0x00000001u, 0x00000000u),
    ROW(0x3104, "RAVO", "HMS-W", 0x2u, 848, "Label Printer", 0x00000001u, 0x00000000u),
    ROW(0x3105, "RAVO", "HMT-W", 0x2u, 848, "Label Printer", 0x00000001u, 0x00000000u),
    ROW(0x1003, "RAVO", "KP360S", 0x201u, 576, "Receipt Printer", 0x00000001u, 0x00000000u),
    ROW(0x1002, "RAVO", "KP350S", 0x201u, 576, "Receipt Printer", 0x00000001u, 0x00000000u),
    ROW(0x1006, "RAVO", "KP380L", 0x201u, 576, "Receipt Printer", 0x00000001u, 0x00000000u),
    ROW(0x1721, "RAVO", "KP600L", 0x101u, 576, "Receipt Printer", 0x00000001u, 0x00000000u),
    ROW(0x1725, "RAVO", "KP620L", 0x101u, 576, "Receipt Printer", 0x00000001u, 0x00000000u),
    ROW(0x3201, "RAVO", "LB80", 0x2u, 576, "Label Control Board", 0x00000001u, 0x00000000u),
    ROW(0x1011, "RAVO", "MP210W", 0x401u, 384, "Mobile Printer", 0x00000001u, 0x00000000u),
    ROW(0x1012, "RAVO", "MP220W", 0x401u, 384, "Mobile Printer", 0x00000001u, 0x00000000u),
    ROW(0x1013, "RAVO", "MP230W", 0x401u, 384, "Mobile Printer", 0x00000001u, 0x00000000u),
    ROW(0x1103, "RAVO", "MP320W", 0x401u, 384, "Mobile Printer", 0x00000001u, 0x00000000u),
    ROW(0x1131, "RAVO", "MP330W", 0x401u, 384, "Mobile Printer", 0x00000001u, 0x00000000u),
    ROW(0x1151, "RAVO", "MP350W", 0x401u, 384, "Mobile Printer", 0x00000001u, 0x00000000u),
    ROW(0x1104, "RAVO", "MP390W", 0x401u, 576, "Mobile Printer", 0x00000001u, 0x00000000u),
    ROW(0x1021, "RAVO", "MP420W", 0x401u, 432, "Mobile Printer", 0x00000001u, 0x00000000u),
    ModelRow{-1, "Unknown", "unknown", "", "", kAll, 0, 0, 0, 0},
}};

#undef ROW

}  // namespace

std::span<const ModelRow> ModelTable() {
  return kModelTable;
}

const ModelRow *FindModel(std::string_view name) {
  for (const ModelRow &row : kModelTable) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

const ModelRow *FindModelById(int32_t id) {
  for (const ModelRow &row : kModelTable) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

}  // namespace prt
