#include "mdl_printer_lib_esc.h"

#include "prt_session.h"

// libheron and libegret export the same names; each reference is bound to
// libegret's version node so that it can never resolve into libheron.
extern "C" {
int32_t EgretPrinterCreatorW(PrtHandle *, const PrtWChar *);
int32_t EgretPrinterDestroy(PrtHandle);
int32_t EgretPortOpenW(PrtHandle, const PrtWChar *);
int32_t EgretPortClose(PrtHandle);
int32_t EgretWriteData(PrtHandle, const uint8_t *, int32_t);
int32_t EgretReadData(PrtHandle, uint8_t *, int32_t, int32_t *);
int32_t EgretReadDataEOF(PrtHandle, uint8_t *, int32_t, int32_t, uint8_t, uint8_t, int32_t *);
}
__asm__(".symver EgretPrinterCreatorW, PrtPrinterCreatorW@EGRET_1");
__asm__(".symver EgretPrinterDestroy, PrtPrinterDestroy@EGRET_1");
__asm__(".symver EgretPortOpenW, PrtPortOpenW@EGRET_1");
__asm__(".symver EgretPortClose, PrtPortClose@EGRET_1");
__asm__(".symver EgretWriteData, PrtWriteData@EGRET_1");
__asm__(".symver EgretReadData, PrtReadData@EGRET_1");
__asm__(".symver EgretReadDataEOF, PrtReadDataEOF@EGRET_1");

namespace mdlPrinterLib_ESC {
namespace {

const ucore::PrtLibrary kEgret = {EgretPrinterCreatorW, EgretPrinterDestroy, EgretPortOpenW,
                                  EgretPortClose,       EgretWriteData,      EgretReadData,
                                  EgretReadDataEOF};

ucore::PrtSession &Session() {
  static ucore::PrtSession session(kEgret);
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
