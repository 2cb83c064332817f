#include "mdl_printer_lib_tspl.h"

namespace mdlPrinterLib_TSPL {
namespace {

constexpr int32_t kEnglish = 9;

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

}  // namespace mdlPrinterLib_TSPL
