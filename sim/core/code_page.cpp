#include "code_page.h"

#include <utility>

#include "fields.h"

namespace ravo::sim {
namespace {

using Page = std::pair<std::string_view, std::string_view>;

// TSPL CODEPAGE: DOS and Windows numbers, the multi-byte pages, UTF-8.
constexpr Page kTsplPages[] = {
    {"437", "CP437"},   {"737", "CP737"},   {"850", "IBM850"},  {"851", "IBM851"},
    {"852", "CP852"},   {"855", "IBM855"},  {"857", "IBM857"},  {"858", "IBM858"},
    {"860", "IBM860"},  {"861", "IBM861"},  {"862", "IBM862"},  {"863", "IBM863"},
    {"864", "IBM864"},  {"865", "IBM865"},  {"866", "CP866"},   {"869", "IBM869"},
    {"1250", "CP1250"}, {"1251", "CP1251"}, {"1252", "CP1252"}, {"1253", "CP1253"},
    {"1254", "CP1254"}, {"1255", "CP1255"}, {"1256", "CP1256"}, {"1257", "CP1257"},
    {"1258", "CP1258"}, {"932", "CP932"},   {"936", "GBK"},     {"949", "CP949"},
    {"950", "BIG5"},    {"UTF-8", "UTF-8"},
};

constexpr std::string_view kSevenBit[] = {"USA", "BRI", "GER", "FRE", "DAN",
                                          "ITA", "SPA", "SWE", "SWI", "ASCII"};

// ESC t n, numbered as in the ESC/POS reference.
constexpr std::pair<int, std::string_view> kEscPosTables[] = {
    {0, "CP437"},   {1, "CP932"},       {2, "IBM850"},       {3, "IBM860"},  {4, "IBM863"},
    {5, "IBM865"},  {11, "IBM851"},     {13, "IBM857"},      {14, "CP737"},  {15, "ISO-8859-7"},
    {16, "CP1252"}, {17, "CP866"},      {18, "CP852"},       {19, "IBM858"}, {21, "TIS-620"},
    {33, "CP775"},  {34, "IBM855"},     {35, "IBM861"},      {36, "IBM862"}, {37, "IBM864"},
    {38, "IBM869"}, {39, "ISO-8859-2"}, {40, "ISO-8859-15"}, {44, "CP1125"}, {45, "CP1250"},
    {46, "CP1251"}, {47, "CP1253"},     {48, "CP1254"},      {49, "CP1255"}, {50, "CP1256"},
    {51, "CP1257"}, {52, "CP1258"},     {255, "CP437"},
};

}  // namespace

std::string TsplCodePage(std::string_view name) {
  const std::string upper = Upper(Trim(Unquote(name)));
  for (const Page &p : kTsplPages)
    if (p.first == upper) return std::string(p.second);
  for (std::string_view n : kSevenBit)
    if (n == upper) return "ASCII";
  // ISO pages as "8859-n".
  if (upper.starts_with("8859-")) {
    const auto part = ToInt(std::string_view(upper).substr(5));
    if (part && *part >= 1 && *part <= 16 && *part != 12) return "ISO-" + upper;
  }
  return {};
}

std::string_view EscPosCodeTable(int n) {
  for (const auto &[number, page] : kEscPosTables)
    if (number == n) return page;
  return {};
}

}  // namespace ravo::sim
