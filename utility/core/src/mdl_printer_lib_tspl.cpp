#include "mdl_printer_lib_tspl.h"

#include <array>

namespace mdlPrinterLib_TSPL {
namespace {

constexpr int32_t kEnglish = 9;
constexpr int32_t kChinese = 4;

}  // namespace

const ravo::utility::PrtLibrary &Heron() {
  static const ravo::utility::PrtLibrary library = ravo::utility::BindPrtLibrary(RAVO_HERON_FILE);
  return library;
}

std::string ErrorText(int32_t code) {
  char text[512] = {};
  Heron().formatErrorA(code, kEnglish, text, 0, sizeof text);
  return text;
}

QString ErrorMessage(int32_t code, bool chinese) {
  std::array<PrtWChar, 512> text{};
  Heron().formatErrorW(code, chinese ? kChinese : kEnglish, text.data(), 0,
                       static_cast<int32_t>(sizeof text));
  return QString::fromUtf16(reinterpret_cast<const char16_t *>(text.data()));
}

}  // namespace mdlPrinterLib_TSPL
