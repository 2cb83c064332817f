// TSPL bar codes and 2-D symbols.
#include <algorithm>
#include <cctype>

#include "fields.h"
#include "symbol.h"
#include "tspl_fields.h"
#include "tspl_page.h"

namespace ravo::sim {
namespace {

constexpr int kMaxBarHeight = 8000;

bool IsOption(std::string_view field, std::string_view letters) {
  if (field.size() < 2 ||
      letters.find(static_cast<char>(std::toupper(field[0]))) == std::string_view::npos)
    return false;
  return std::all_of(field.begin() + 1, field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// QR manual mode: each segment begins with its mode letter (A, N, K, or B
// followed by a four-digit byte count); segments are joined by "!".
std::optional<std::string> ManualQrData(std::string_view s) {
  std::string out;
  while (!s.empty()) {
    const char mode = static_cast<char>(std::toupper(s[0]));
    s.remove_prefix(1);
    if (mode == 'B') {
      const auto count = s.size() >= 4 ? ToInt(s.substr(0, 4)) : std::nullopt;
      if (!count || *count < 0 || static_cast<size_t>(*count) > s.size() - 4) return std::nullopt;
      out.append(s.substr(4, static_cast<size_t>(*count)));
      s.remove_prefix(4 + static_cast<size_t>(*count));
    } else if (mode == 'A' || mode == 'N' || mode == 'K') {
      const size_t end = std::min(s.find('!'), s.size());
      out.append(s.substr(0, end));
      s.remove_prefix(end);
    } else {
      return std::nullopt;
    }
    if (!s.empty() && s[0] == '!') s.remove_prefix(1);
  }
  return out;
}

int QrEccLevel(std::string_view ecc) {
  static constexpr std::string_view kLevels = "LMQH";
  const size_t i = ecc.empty() ? std::string_view::npos : kLevels.find(ecc[0]);
  return i == std::string_view::npos ? 0 : static_cast<int>(i) + 1;
}

}  // namespace

// BARCODE x,y,"type",height,readable,rotation,narrow,wide,[alignment,]"content"
std::string TsplPage::Barcode(std::string_view args) {
  const auto f = SplitTsplFields(args, 9);
  if (f.size() < 9) return "needs x,y,type,height,readable,rotation,narrow,wide,content";
  Element e;
  e.kind = Element::Kind::kBarcode;
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.symbology = TsplBarcodeSymbology(Upper(Unquote(f[2])));
  if (e.symbology == 0) return "unknown bar code type " + std::string(Unquote(f[2]));
  e.size = std::clamp(ToIntOr(f[3], 50), 1, kMaxBarHeight);
  // Human-readable: 0 none, 1 left, 2 centre, 3 right under the bars.
  const int readable = ToIntOr(f[4], 0);
  e.readable = readable >= 1 && readable <= 3;
  e.readable_align = TsplAnchor(readable);
  e.rotation = TsplRotation(f[5]);
  e.narrow = std::clamp(ToIntOr(f[6], 2), 1, 10);
  std::string_view rest = f[8];
  const auto parts = SplitTsplFields(rest, 2);
  if (parts.size() == 2 && !Trim(parts[0]).starts_with('"') && ToInt(parts[0])) {
    e.anchor = TsplAnchor(*ToInt(parts[0]));
    rest = parts[1];
  }
  e.data = TsplString(rest);
  if (Upper(Unquote(f[2])) == "39C") e.option_2 = 1;  // with check digit
  return Add(std::move(e));
}

// QRCODE x,y,ECC,cell,mode,rotation,[Jn,][Mn,][Sn,]"content"; in manual
// mode (M) the content begins with a mode letter.
std::string TsplPage::QrCode(std::string_view args) {
  const auto f = SplitTsplFields(args, 7);
  if (f.size() < 7) return "needs x,y,ECC,cell,mode,rotation,content";
  Element e;
  e.kind = Element::Kind::kQrCode;
  e.symbology = QrSymbology();
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.option_1 = QrEccLevel(Upper(Trim(f[2])));
  if (e.option_1 == 0) return "ECC level must be L, M, Q or H";
  e.size = std::clamp(ToIntOr(f[3], 4), 1, 10);
  const std::string mode = Upper(Trim(f[4]));
  if (mode != "A" && mode != "M") return "mode must be A or M";
  e.rotation = TsplRotation(f[5]);
  std::string_view rest = f[6];
  for (auto parts = SplitTsplFields(rest, 2); parts.size() == 2 && IsOption(Trim(parts[0]), "JMS");
       parts = SplitTsplFields(rest, 2))
    rest = parts[1];
  const std::string content = TsplString(rest);
  if (mode == "M") {
    const auto data = ManualQrData(content);
    if (!data) return "manual mode data must begin with A, N, K or Bnnnn";
    e.data = *data;
  } else {
    e.data = content;
  }
  return Add(std::move(e));
}

// DMATRIX x,y,width,height,[c#,][x#,][r#,][a#,][rows,columns,]"content"
std::string TsplPage::DataMatrix(std::string_view args) {
  const auto f = SplitTsplFields(args, 5);
  if (f.size() < 5) return "needs x,y,width,height,content";
  Element e;
  e.kind = Element::Kind::kDataMatrix;
  e.symbology = DataMatrixSymbology();
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.x1 = std::clamp(ToIntOr(f[2], 0), 0, kTsplMaxCoordinate);
  e.y1 = std::clamp(ToIntOr(f[3], 0), 0, kTsplMaxCoordinate);
  e.size = 0;  // module size: fitted to the area unless x# gives it
  std::string_view rest = f[4];
  std::vector<int> size;
  for (auto parts = SplitTsplFields(rest, 2); parts.size() == 2; parts = SplitTsplFields(rest, 2)) {
    const std::string_view head = Trim(parts[0]);
    if (IsOption(head, "CXRA")) {
      const int value = ToIntOr(head.substr(1), 0);
      const char letter = static_cast<char>(std::toupper(head[0]));
      if (letter == 'X') e.size = std::clamp(value, 1, 50);
      if (letter == 'R') e.rotation = TsplRotation(head.substr(1));
    } else if (ToInt(head) && size.size() < 2) {
      size.push_back(*ToInt(head));
    } else {
      break;
    }
    rest = parts[1];
  }
  if (size.size() == 2) e.option_2 = DataMatrixSizeOption(size[0], size[1]);
  e.data = TsplString(rest);
  return Add(std::move(e));
}

// PDF417 x,y,width,height,rotate,[options,]"content"; options: E ECC level,
// W module width, H row height, R rows, C columns (P, M, T, U, L accepted).
std::string TsplPage::Pdf417(std::string_view args) {
  const auto f = SplitTsplFields(args, 6);
  if (f.size() < 6) return "needs x,y,width,height,rotate,content";
  Element e;
  e.kind = Element::Kind::kPdf417;
  e.symbology = Pdf417Symbology();
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.rotation = TsplRotation(f[4]);
  e.narrow = 3;
  e.size = 0;
  std::string_view rest = f[5];
  for (auto parts = SplitTsplFields(rest, 2); parts.size() == 2; parts = SplitTsplFields(rest, 2)) {
    const std::string_view head = Trim(parts[0]);
    if (head.empty() || head[0] == '"') break;
    const char letter = static_cast<char>(std::toupper(head[0]));
    if (std::string_view("PEMUWHRCTL").find(letter) == std::string_view::npos) break;
    const int value = ToIntOr(head.substr(1), 0);
    if (letter == 'E') e.option_1 = std::clamp(value, 0, 8);
    if (letter == 'W') e.narrow = std::clamp(value, 1, 9);
    if (letter == 'H') e.size = std::clamp(value, 1, 99);
    if (letter == 'R') e.option_3 = std::clamp(value, 3, 90);
    if (letter == 'C') e.option_2 = std::clamp(value, 1, 30);
    rest = parts[1];
    if (letter == 'U') {  // Ux,y,c: two more fields belong to it
      for (int i = 0; i < 2; ++i) {
        const auto more = SplitTsplFields(rest, 2);
        if (more.size() == 2) rest = more[1];
      }
    }
  }
  if (e.size == 0) e.size = 3 * e.narrow;
  e.data = TsplString(rest);
  return Add(std::move(e));
}

}  // namespace ravo::sim
