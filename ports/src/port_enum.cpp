// ravo_io_enum_ports and ravo_io_enum_usb_printers: the ports present now.
#include <dirent.h>
#include <libserialport.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "port_names.h"
#include "ravo_boundary.h"
#include "ravoio.h"
#include "usb_device.h"
#include "usb_error.h"

namespace ravo::io {
namespace {

int32_t SerialPorts(std::vector<std::string> &names) {
  sp_port **list = nullptr;
  if (sp_list_ports(&list) != SP_OK) return RAVO_IO_ERR_IO;
  for (sp_port **p = list; *p != nullptr; ++p)
    names.push_back(SerialPortName(sp_get_port_name(*p)));
  sp_free_port_list(list);
  return RAVO_IO_OK;
}

int32_t ParallelPorts(std::vector<std::string> &names) {
  std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir("/dev"), ::closedir);
  if (dir == nullptr) return RAVO_IO_OK;
  while (dirent *entry = ::readdir(dir.get())) {
    auto name = ParallelPortName(entry->d_name);
    struct stat st {};
    std::string path = std::string("/dev/") + entry->d_name;
    if (name && ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode)) names.push_back(*name);
  }
  return RAVO_IO_OK;
}

int32_t UsbPrinters(std::vector<std::string> &names) {
  UsbContext context;
  if (context.error() != 0) return UsbErrorCode(context.error());
  UsbPrinterList list(context.get());
  if (list.error() != 0) return UsbErrorCode(list.error());
  for (const UsbPrinter &printer : list.printers()) {
    std::string serial;
    libusb_device_handle *handle = nullptr;
    if (libusb_open(printer.device, &handle) == 0) {
      serial = ReadSerialNumber(handle, printer.descriptor.iSerialNumber);
      libusb_close(handle);
    }
    names.push_back(
        UsbPortString(printer.descriptor.idVendor, printer.descriptor.idProduct, serial));
  }
  return RAVO_IO_OK;
}

bool KindIs(const char *kind, std::string_view want) {
  std::string_view k(kind);
  if (k.size() != want.size()) return false;
  for (size_t i = 0; i < k.size(); ++i) {
    char c = k[i] >= 'a' && k[i] <= 'z' ? static_cast<char>(k[i] - 'a' + 'A') : k[i];
    if (c != want[i]) return false;
  }
  return true;
}

// USB printers keep the bus order, in which "USB" takes the first one.
enum class Order { ByName, AsCollected };

template <typename Collect>
int32_t Enumerate(Collect &&collect, char *buffer, uint32_t size, uint32_t *needed, uint32_t *count,
                  Order order = Order::ByName) {
  if (needed != nullptr) *needed = 0;
  if (count != nullptr) *count = 0;
  return ravo::AtCBoundary([&] {
    std::vector<std::string> names;
    int32_t rc = collect(names);
    if (rc != RAVO_IO_OK) return rc;
    if (order == Order::ByName) SortPortNames(names);
    return PackNames(names, buffer, size, needed, count);
  });
}

}  // namespace
}  // namespace ravo::io

using namespace ravo::io;

extern "C" RAVOIO_API int32_t ravo_io_enum_ports(const char *kind, char *buffer, uint32_t size,
                                                 uint32_t *needed, uint32_t *count) {
  if (kind == nullptr) return RAVO_IO_ERR_INVALID_SETTING;
  if (KindIs(kind, "COM")) return Enumerate(SerialPorts, buffer, size, needed, count);
  if (KindIs(kind, "LPT")) return Enumerate(ParallelPorts, buffer, size, needed, count);
  if (KindIs(kind, "TCPIP")) {
    return Enumerate([](std::vector<std::string> &) { return RAVO_IO_OK; }, buffer, size, needed,
                     count);
  }
  return RAVO_IO_ERR_INVALID_SETTING;
}

extern "C" RAVOIO_API int32_t ravo_io_enum_usb_printers(char *buffer, uint32_t size,
                                                        uint32_t *needed, uint32_t *count) {
  return Enumerate(UsbPrinters, buffer, size, needed, count, Order::AsCollected);
}
