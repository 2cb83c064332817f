#include "prt_library.h"

#include <dlfcn.h>

#include <QtGlobal>

namespace ravo::utility {
namespace {

template <typename Function>
void Bind(void *library, const char *fileName, const char *name, Function &function) {
  void *found = dlsym(library, name);
  if (found == nullptr) qFatal("%s has no function %s", fileName, name);
  function = reinterpret_cast<Function>(found);
}

}  // namespace

PrtLibrary BindPrtLibrary(const char *fileName) {
  // Already loaded with the program: this finds it by its file name.
  void *library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) qFatal("cannot load %s: %s", fileName, dlerror());
  PrtLibrary table{};
  Bind(library, fileName, "PrtPrinterCreatorW", table.creatorW);
  Bind(library, fileName, "PrtPrinterDestroy", table.destroy);
  Bind(library, fileName, "PrtPortOpenW", table.portOpenW);
  Bind(library, fileName, "PrtPortClose", table.portClose);
  Bind(library, fileName, "PrtWriteData", table.writeData);
  Bind(library, fileName, "PrtReadData", table.readData);
  Bind(library, fileName, "PrtReadDataEOF", table.readDataEOF);
  Bind(library, fileName, "PrtFormatErrorA", table.formatErrorA);
  Bind(library, fileName, "PrtFormatErrorW", table.formatErrorW);
  return table;
}

}  // namespace ravo::utility
