/*
 * egret.h - libegret: printers driven in ESC mode.
 *
 * libegret exports the Prt family of prt.h (handles, ports, raw data,
 * messages) with the same arguments, buffer contracts and results (the
 * codes each @return line of prt.h names, and the same exception policy)
 * as libheron; it adds no command functions of its own.  A program sends ESC
 * command bytes with PrtWriteData and reads answers with PrtReadData.
 *
 * Model names: PrtPrinterCreatorA/W accept every name of the model table
 * (the same table as libheron, for example "KP330", "TQX58", "TQX80",
 * "TQM", "TGV", "HMZ", "Q73"); "unknown" names the generic model.
 * Port strings: the ravoio grammar (ravoio.h): "USB", "COM1,BAUDRATE_9600",
 * "LPT1", "NET,192.168.1.100[:port]".
 *
 * Linking with both libraries: libheron exports the same names, and the
 * link editor binds each name to the library listed first.  The exported
 * symbols carry the version node EGRET_1 (libheron's carry HERON_1), so the
 * dynamic loader keeps the two apart once a reference is bound.  A program
 * that calls both names the version in its references, for example
 *   extern "C" int32_t EgretWriteData(PrtHandle, const uint8_t *, int32_t);
 *   __asm__(".symver EgretWriteData, PrtWriteData@EGRET_1");
 * (the utility does this for both libraries in utility/core).
 * Link with -legret (pkg-config egret).
 */
#ifndef RAVO_EGRET_H
#define RAVO_EGRET_H

#include "prt.h"

#endif /* RAVO_EGRET_H */
