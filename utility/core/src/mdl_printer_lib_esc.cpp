#include "mdl_printer_lib_esc.h"

#include "egret_bridge.h"
#include "prt_session.h"

namespace mdlPrinterLib_ESC {
namespace {

const ravo::utility::PrtLibrary kEgret = {EgretBridgePrinterCreatorW, EgretBridgePrinterDestroy,
                                          EgretBridgePortOpenW,       EgretBridgePortClose,
                                          EgretBridgeWriteData,       EgretBridgeReadData,
                                          EgretBridgeReadDataEOF};

ravo::utility::PrtSession &Session() {
  static ravo::utility::PrtSession session(kEgret);
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
