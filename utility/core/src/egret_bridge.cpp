#include "egret_bridge.h"

#include "egret.h"

int32_t EgretBridgePrinterCreatorW(PrtHandle *out, const PrtWChar *model) {
  return PrtPrinterCreatorW(out, model);
}
int32_t EgretBridgePrinterDestroy(PrtHandle handle) {
  return PrtPrinterDestroy(handle);
}
int32_t EgretBridgePortOpenW(PrtHandle handle, const PrtWChar *port) {
  return PrtPortOpenW(handle, port);
}
int32_t EgretBridgePortClose(PrtHandle handle) {
  return PrtPortClose(handle);
}
int32_t EgretBridgeWriteData(PrtHandle handle, const uint8_t *data, int32_t length) {
  return PrtWriteData(handle, data, length);
}
int32_t EgretBridgeReadData(PrtHandle handle, uint8_t *buffer, int32_t length, int32_t *received) {
  return PrtReadData(handle, buffer, length, received);
}
int32_t EgretBridgeReadDataEOF(PrtHandle handle, uint8_t *buffer, int32_t start, int32_t end,
                               uint8_t beginByte, uint8_t endByte, int32_t *stored) {
  return PrtReadDataEOF(handle, buffer, start, end, beginByte, endByte, stored);
}
