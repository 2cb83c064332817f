// The Prt functions of one printer library.  libheron and libegret export
// the same names, so a program linked with both cannot tell them apart by
// name at link time: the link editor binds every such name to the library
// it meets first.  Each library is therefore opened by its own file name
// and its functions looked up in it (mdl_printer_lib_tspl.h,
// mdl_printer_lib_esc.h), and one piece of code drives either library
// through this table.
#pragma once

#include <cstdint>

#include "prt.h"

namespace ravo::utility {

struct PrtLibrary {
  int32_t (*creatorW)(PrtHandle *, const PrtWChar *);
  int32_t (*destroy)(PrtHandle);
  int32_t (*portOpenW)(PrtHandle, const PrtWChar *);
  int32_t (*portClose)(PrtHandle);
  int32_t (*writeData)(PrtHandle, const uint8_t *, int32_t);
  int32_t (*readData)(PrtHandle, uint8_t *, int32_t, int32_t *);
  int32_t (*readDataEOF)(PrtHandle, uint8_t *, int32_t, int32_t, uint8_t, uint8_t, int32_t *);
  int32_t (*formatErrorA)(int32_t, int32_t, char *, int32_t, int32_t);
  int32_t (*formatErrorW)(int32_t, int32_t, PrtWChar *, int32_t, int32_t);
};

// The table of the library with this file name (for example
// "libegret.so.1").  The program links both libraries, so they are loaded
// with it; a library or function that cannot be found ends the program
// with a message naming it, as a missing import would.
PrtLibrary BindPrtLibrary(const char *fileName);

}  // namespace ravo::utility
