#include "tspl_page.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "code_page.h"
#include "fields.h"
#include "text_decode.h"

namespace ravo::sim {
namespace {

constexpr int kDefaultHeight = 240;  // 30 mm until a SIZE arrives
constexpr int kMaxHeight = 8000;     // 1 m of label
constexpr int kMaxShift = 8000;

std::string Needs(size_t n) {
  return "needs " + std::to_string(n) + " arguments";
}

}  // namespace

std::optional<int> TsplLength(std::string_view text) {
  text = Trim(text);
  const std::string s(text);
  char *end = nullptr;
  const double value = std::strtod(s.c_str(), &end);
  if (end == s.c_str() || !std::isfinite(value) || value < 0 || value > 10000) return std::nullopt;
  const std::string unit = Upper(Trim(std::string_view(end)));
  if (unit == "MM") return static_cast<int>(std::lround(value * 8));
  if (unit == "DOT" || unit == "DOTS") return static_cast<int>(std::lround(value));
  if (unit.empty() || unit == "INCH" || unit == "\"")
    return static_cast<int>(std::lround(value * 203.2));
  return std::nullopt;
}

std::string TsplString(std::string_view field) {
  const std::string_view inner = Unquote(field);
  std::string out;
  out.reserve(inner.size());
  for (size_t i = 0; i < inner.size(); ++i) {
    if (inner.substr(i).starts_with("\\[\"]")) {
      out.push_back('"');
      i += 3;
    } else {
      out.push_back(inner[i]);
    }
  }
  return out;
}

TsplPage::TsplPage(int width_dots, std::string code_page) : code_page_(std::move(code_page)) {
  label_.kind = "tspl";
  label_.width = width_dots;
  label_.height = kDefaultHeight;
}

std::string TsplPage::Add(Element &&e) {
  if (e.data.size() > kMaxTextBytes) return "text longer than " + std::to_string(kMaxTextBytes);
  return AddElement(label_, std::move(e)) ? "" : "image buffer full";
}

std::string TsplPage::Decode(std::string_view bytes) const {
  return code_page_set_ ? DecodeIn(bytes, code_page_) : DecodeText(bytes, code_page_);
}

// SIZE width[,height]: each in inches, "n mm" or "n dot".
std::string TsplPage::Size(std::string_view args) {
  const auto f = SplitTsplFields(args, 2);
  const auto width = TsplLength(f[0]);
  if (!width) return "unreadable width";
  label_.area_width = std::clamp(*width, 0, label_.width);
  if (f.size() < 2) return {};
  const auto height = TsplLength(f[1]);
  if (!height || *height == 0) return "unreadable height";
  label_.height = std::min(*height, kMaxHeight);
  return {};
}

std::string TsplPage::Cls(std::string_view) {
  label_.elements.clear();
  label_.bitmap_bytes = 0;
  return {};
}

// DIRECTION n[,m]: n = 1 turns the print half a turn, m = 1 mirrors it.
std::string TsplPage::Direction(std::string_view args) {
  const auto f = SplitTsplFields(args, 2);
  const auto n = ToInt(f[0]);
  const auto m = f.size() > 1 ? ToInt(f[1]) : std::optional<int>(0);
  if (!n || !m || *n < 0 || *n > 1 || *m < 0 || *m > 1) return "expects 0 or 1";
  label_.turned = *n == 1;
  label_.mirrored = *m == 1;
  return {};
}

// REFERENCE x,y: the origin of every later coordinate.
std::string TsplPage::Reference(std::string_view args) {
  const auto f = SplitTsplFields(args, 2);
  const auto x = ToInt(f[0]);
  const auto y = f.size() > 1 ? ToInt(f[1]) : std::nullopt;
  if (!x || !y) return Needs(2);
  label_.origin_x = std::clamp(*x, 0, kMaxShift);
  label_.origin_y = std::clamp(*y, 0, kMaxShift);
  return {};
}

// SHIFT [x,]y: moves the print on the paper, in dots, either way.
std::string TsplPage::Shift(std::string_view args) {
  const auto f = SplitTsplFields(args, 2);
  const auto first = ToInt(f[0]);
  const auto second = f.size() > 1 ? ToInt(f[1]) : std::nullopt;
  if (!first || (f.size() > 1 && !second)) return "expects [x,]y in dots";
  label_.shift_x = f.size() > 1 ? std::clamp(*first, -kMaxShift, kMaxShift) : 0;
  label_.shift_y = std::clamp(f.size() > 1 ? *second : *first, -kMaxShift, kMaxShift);
  return {};
}

// OFFSET m: the extra feed after each label (for tearing or peeling); it
// moves the paper, not the print.
std::string TsplPage::Offset(std::string_view args) {
  const auto dots = TsplLength(args);
  if (!dots) return "unreadable length";
  offset_dots_ = *dots;
  return {};
}

std::string TsplPage::CodePage(std::string_view args) {
  const std::string page = TsplCodePage(args);
  if (page.empty()) return "unknown code page " + std::string(Trim(args));
  code_page_ = page;
  code_page_name_ = Upper(Trim(Unquote(args)));
  code_page_set_ = true;
  return {};
}

Label TsplPage::Snapshot() const {
  Label copy = label_;
  copy.feed_after = offset_dots_;
  return copy;
}

}  // namespace ravo::sim
