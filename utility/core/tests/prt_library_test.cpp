// Each binding reaches its own library, whatever order the program was
// linked in: both export the same names.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "mdl_printer_lib_esc.h"
#include "mdl_printer_lib_tspl.h"

namespace {

std::string FileOf(const void *function) {
  Dl_info info{};
  if (dladdr(function, &info) == 0 || info.dli_fname == nullptr) return {};
  return info.dli_fname;
}

TEST(PrtLibraries, EachBindingCallsItsOwnLibrary) {
  const auto &heron = mdlPrinterLib_TSPL::Heron();
  const auto &egret = mdlPrinterLib_ESC::Egret();
  const void *heronFunctions[] = {reinterpret_cast<const void *>(heron.creatorW),
                                  reinterpret_cast<const void *>(heron.writeData),
                                  reinterpret_cast<const void *>(heron.readDataEOF),
                                  reinterpret_cast<const void *>(heron.formatErrorA)};
  const void *egretFunctions[] = {reinterpret_cast<const void *>(egret.creatorW),
                                  reinterpret_cast<const void *>(egret.writeData),
                                  reinterpret_cast<const void *>(egret.readDataEOF),
                                  reinterpret_cast<const void *>(egret.formatErrorA)};
  for (const void *f : heronFunctions) EXPECT_NE(FileOf(f).find("libheron"), std::string::npos);
  for (const void *f : egretFunctions) EXPECT_NE(FileOf(f).find("libegret"), std::string::npos);
  EXPECT_FALSE(mdlPrinterLib_TSPL::ErrorText(PRT_ERR_INVALID_HANDLE).empty());
}

}  // namespace
