#include <dlfcn.h>
#include <umockdev.h>

#include <stdexcept>

#include "emulated_usb.h"

namespace ravo::usbtest {

UsbTestbed::UsbTestbed() {
  // Without the preload, libusb would see the real bus.
  if (!PreloadActive()) {
    throw std::runtime_error(
        "umockdev's preload is not active: run through ctest or "
        "umockdev-wrapper");
  }
  testbed_ = umockdev_testbed_new();
}

UsbTestbed::~UsbTestbed() {
  // The testbed's worker thread calls into the printers; it goes first.
  g_object_unref(testbed_);
  printers_.clear();
}

bool UsbTestbed::PreloadActive() {
  void *preload = dlopen("libumockdev-preload.so.0", RTLD_NOW | RTLD_NOLOAD);
  if (preload == nullptr) return false;
  dlclose(preload);
  return true;
}

EmulatedPrinter &UsbTestbed::Plug(UsbPrinterProfile profile) {
  printers_.push_back(
      std::make_unique<EmulatedPrinter>(testbed_, std::move(profile), nextAddress_++));
  return *printers_.back();
}

void UsbTestbed::Unplug(EmulatedPrinter &printer) {
  printer.Disconnect();
  umockdev_testbed_remove_device(testbed_, printer.sysPath().c_str());
}

}  // namespace ravo::usbtest
