// Exported handle and port functions of the Prt family.
#include <string>

#include "c_boundary.h"
#include "code_page.h"
#include "model_table.h"
#include "port_binding.h"
#include "printer.h"
#include "prt.h"

using namespace prt;

namespace {

int32_t CreateForName(PrtHandle *out, std::string_view model) {
  const ModelRow *row = FindModel(model);
  if (row == nullptr) return PRT_ERR_UNKNOWN_MODEL;
  PrtPrinter *printer = CreatePrinter(row->id);
  if (printer == nullptr) return PRT_ERR_OUT_OF_MEMORY;
  *out = printer;
  return PRT_SUCCESS;
}

int32_t OpenPort(PrtPrinter &printer, const char *name) {
  ReleasePort(printer);
  int32_t rc = PortBinding().create(&printer.port, name);
  if (rc != 0) {
    printer.port = nullptr;
    return rc;
  }
  rc = printer.port->open(printer.port);
  if (rc == 0) printer.portOpen = 1;
  return rc;
}

}  // namespace

extern "C" PRT_API int32_t PrtPrinterCreatorA(PrtHandle *out, const char *model) {
  if (out == nullptr) return PRT_ERR_PARAMETER;
  *out = nullptr;
  if (model == nullptr) return PRT_ERR_UNKNOWN_MODEL;
  return Guarded([&] { return CreateForName(out, model); });
}

extern "C" PRT_API int32_t PrtPrinterCreatorW(PrtHandle *out, const PrtWChar *model) {
  if (out == nullptr) return PRT_ERR_PARAMETER;
  *out = nullptr;
  if (model == nullptr) return PRT_ERR_UNKNOWN_MODEL;
  return Guarded([&]() -> int32_t {
    std::string name;
    // A name that cannot be expressed in the code page names no model.
    if (Utf16ToAnsi(WideView(model), name) != 0) return PRT_ERR_UNKNOWN_MODEL;
    return CreateForName(out, name);
  });
}

extern "C" PRT_API PrtHandle PrtPrinterCreatorS(const char *model) {
  PrtHandle handle = nullptr;
  return PrtPrinterCreatorA(&handle, model) == PRT_SUCCESS ? handle : nullptr;
}

extern "C" PRT_API int32_t PrtPrinterDestroy(PrtHandle handle) {
  return Guarded([&]() -> int32_t {
    if (!IsLiveHandle(handle)) return PRT_ERR_INVALID_HANDLE;
    DestroyPrinter(handle);
    return PRT_SUCCESS;
  });
}

extern "C" PRT_API int32_t PrtPortOpenA(PrtHandle handle, const char *port) {
  return Guarded([&]() -> int32_t {
    if (!IsLiveHandle(handle)) return PRT_ERR_INVALID_HANDLE;
    if (port == nullptr) {
      ReleasePort(*handle);
      return PRT_ERR_PARAMETER;
    }
    return OpenPort(*handle, port);
  });
}

extern "C" PRT_API int32_t PrtPortOpenW(PrtHandle handle, const PrtWChar *port) {
  return Guarded([&]() -> int32_t {
    if (!IsLiveHandle(handle)) return PRT_ERR_INVALID_HANDLE;
    ReleasePort(*handle);
    if (port == nullptr) return PRT_ERR_PARAMETER;
    std::string name;
    // 255 bytes including the terminator, as the port string area allows.
    if (Utf16ToAnsi(WideView(port), name) != 0 || name.size() > 254) return PRT_ERR_PARAMETER;
    return OpenPort(*handle, name.c_str());
  });
}

extern "C" PRT_API int32_t PrtPortClose(PrtHandle handle) {
  return Guarded([&]() -> int32_t {
    if (!IsLiveHandle(handle)) return PRT_ERR_INVALID_HANDLE;
    if (handle->portOpen == 0 || handle->port == nullptr) return PRT_ERR_PORT_NOT_OPEN;
    handle->portOpen = 0;
    handle->port->close(handle->port);
    return PRT_SUCCESS;
  });
}
