#include "mdl_printer_lib_tspl.h"

#include "heron.h"
#include "prt_session.h"

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

namespace {

ravo::utility::PrtSession &Session() {
  static ravo::utility::PrtSession session(Heron());
  return session;
}

}  // namespace

int32_t TsplCreatePrinter(const QString &model) {
  return Session().CreatePrinter(model);
}
int32_t TsplOpenPort(const QString &port) {
  return Session().OpenPort(port);
}
int32_t TsplClosePort() {
  return Session().ClosePort();
}
int32_t TsplWriteData(const uint8_t *bytes, int32_t count) {
  return Session().WriteData(bytes, count);
}
int32_t TsplReadData(uint8_t *buffer, int32_t length, int32_t &count) {
  return Session().ReadData(buffer, length, count);
}
int32_t TsplReadDataEOF(uint8_t *buffer, int32_t start, int32_t end, uint8_t beginByte,
                        uint8_t endByte, int32_t &stored) {
  return Session().ReadDataEOF(buffer, start, end, beginByte, endByte, stored);
}
int32_t TsplReadRetry(uint8_t *buffer, int32_t length, int32_t &count, int pauseMs, int attempts) {
  return Session().ReadRetry(buffer, length, count, pauseMs, attempts);
}

int32_t TsplSelfTest() {
  if (Session().handle() == nullptr) return PRT_ERR_INVALID_HANDLE;
  return TSPL_SelfTest(Session().handle());
}

int32_t TsplGetSN(char *serial32) {
  if (Session().handle() == nullptr) return PRT_ERR_INVALID_HANDLE;
  return TSPL_GetSN(Session().handle(), serial32);
}

PrtHandle TsplHandle() {
  return Session().handle();
}

}  // namespace mdlPrinterLib_TSPL
