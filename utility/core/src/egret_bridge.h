// libegret's Prt functions under names of their own.  libheron and libegret
// export the same names, and a program linked with both binds every such
// name to the library listed first; this small shared library links only
// libegret, so its references can only reach libegret.
#pragma once

#include <cstdint>

#include "prt.h"

#define EGRET_BRIDGE_API extern "C" __attribute__((visibility("default")))

EGRET_BRIDGE_API int32_t EgretBridgePrinterCreatorW(PrtHandle *out, const PrtWChar *model);
EGRET_BRIDGE_API int32_t EgretBridgePrinterDestroy(PrtHandle handle);
EGRET_BRIDGE_API int32_t EgretBridgePortOpenW(PrtHandle handle, const PrtWChar *port);
EGRET_BRIDGE_API int32_t EgretBridgePortClose(PrtHandle handle);
EGRET_BRIDGE_API int32_t EgretBridgeWriteData(PrtHandle handle, const uint8_t *data,
                                              int32_t length);
EGRET_BRIDGE_API int32_t EgretBridgeReadData(PrtHandle handle, uint8_t *buffer, int32_t length,
                                             int32_t *received);
EGRET_BRIDGE_API int32_t EgretBridgeReadDataEOF(PrtHandle handle, uint8_t *buffer, int32_t start,
                                                int32_t end, uint8_t beginByte, uint8_t endByte,
                                                int32_t *stored);
