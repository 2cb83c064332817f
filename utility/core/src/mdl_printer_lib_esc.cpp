#include "mdl_printer_lib_esc.h"

#include "prt_session.h"

namespace mdlPrinterLib_ESC {

const ravo::utility::PrtLibrary &Egret() {
  static const ravo::utility::PrtLibrary library = ravo::utility::BindPrtLibrary(RAVO_EGRET_FILE);
  return library;
}

namespace {

ravo::utility::PrtSession &Session() {
  static ravo::utility::PrtSession session(Egret());
  return session;
}

}  // namespace

int32_t EscCreatePrinter(const QString &model) {
  return Session().CreatePrinter(model);
}
int32_t EscOpenPort(const QString &port) {
  return Session().OpenPort(port);
}
int32_t EscClosePort() {
  return Session().ClosePort();
}
int32_t EscWriteData(const uint8_t *bytes, int32_t count) {
  return Session().WriteData(bytes, count);
}
int32_t EscReadData(uint8_t *buffer, int32_t length, int32_t &count) {
  return Session().ReadData(buffer, length, count);
}
int32_t EscReadRetry(uint8_t *buffer, int32_t length, int32_t &count, int pauseMs, int attempts) {
  return Session().ReadRetry(buffer, length, count, pauseMs, attempts);
}

PrtHandle EscHandle() {
  return Session().handle();
}

}  // namespace mdlPrinterLib_ESC
