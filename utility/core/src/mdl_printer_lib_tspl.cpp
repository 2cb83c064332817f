#include "mdl_printer_lib_tspl.h"

#include "heron.h"
#include "prt_session.h"

// libheron and libegret export the same names.  These references carry
// libheron's version node, so a link that would bind them elsewhere fails
// instead of calling the wrong library (libegret is reached through
// egret_bridge).
extern "C" {
int32_t HeronPrinterCreatorW(PrtHandle *, const PrtWChar *);
int32_t HeronPrinterDestroy(PrtHandle);
int32_t HeronPortOpenW(PrtHandle, const PrtWChar *);
int32_t HeronPortClose(PrtHandle);
int32_t HeronWriteData(PrtHandle, const uint8_t *, int32_t);
int32_t HeronReadData(PrtHandle, uint8_t *, int32_t, int32_t *);
int32_t HeronReadDataEOF(PrtHandle, uint8_t *, int32_t, int32_t, uint8_t, uint8_t, int32_t *);
}
__asm__(".symver HeronPrinterCreatorW, PrtPrinterCreatorW@HERON_1");
__asm__(".symver HeronPrinterDestroy, PrtPrinterDestroy@HERON_1");
__asm__(".symver HeronPortOpenW, PrtPortOpenW@HERON_1");
__asm__(".symver HeronPortClose, PrtPortClose@HERON_1");
__asm__(".symver HeronWriteData, PrtWriteData@HERON_1");
__asm__(".symver HeronReadData, PrtReadData@HERON_1");
__asm__(".symver HeronReadDataEOF, PrtReadDataEOF@HERON_1");

namespace mdlPrinterLib_TSPL {
namespace {

const ravo::utility::PrtLibrary kHeron = {HeronPrinterCreatorW, HeronPrinterDestroy, HeronPortOpenW,
                                          HeronPortClose,       HeronWriteData,      HeronReadData,
                                          HeronReadDataEOF};

ravo::utility::PrtSession &Session() {
  static ravo::utility::PrtSession session(kHeron);
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
