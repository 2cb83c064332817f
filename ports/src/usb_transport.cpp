// USB printers ("USB", "USB,VID_xxxx&PID_yyyy[&SN_serial]", "USB,SN_serial"):
// the first printer-class interface, bulk OUT for writes and bulk IN for
// reads.  The kernel's printer driver is detached while the port is open and
// given back when it closes.
#include <algorithm>
#include <chrono>
#include <vector>

#include "ravoio.h"
#include "transport.h"
#include "usb_device.h"
#include "usb_error.h"

namespace ravo::io {
namespace {

using Clock = std::chrono::steady_clock;

// Writes go out in transfers of this size at most: usbfs refuses a single
// transfer above its memory limit (16 MiB by default) with ENOMEM.
constexpr size_t kOutChunk = 64 * 1024;
// A read transfer asks for whole packets, at most this many bytes; what the
// caller had no room for waits in pending_.
constexpr size_t kInBufferSize = 16384;
// libusb has no "do not wait": readChunk waits this long at most.
constexpr unsigned kPollMs = 1;

class UsbTransport final : public Transport {
 public:
  explicit UsbTransport(const PortAddress &target) : target_(target) {}
  ~UsbTransport() override { Close(); }

  bool IsOpen() const override { return handle_ != nullptr; }

 protected:
  int32_t OpenPort() override {
    auto context = std::make_unique<UsbContext>();
    if (context->error() != 0) return UsbErrorCode(context->error());
    int32_t rc = OpenFirstMatch(context->get());
    if (rc == RAVO_IO_OK) context_ = std::move(context);
    return rc;
  }

  void ClosePort(uint32_t) override {
    // With auto-detach on, releasing re-attaches the kernel driver.
    libusb_release_interface(handle_, interface_.number);
    libusb_close(handle_);
    handle_ = nullptr;
    context_.reset();
    pending_.clear();
  }

  int32_t WriteOpen(std::span<const uint8_t> data, uint32_t timeoutMs, uint32_t &written) override {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (written < data.size()) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      // At least 1 ms: a libusb timeout of 0 would mean "wait for ever".
      auto waitMs = static_cast<unsigned>(std::max<int64_t>(left.count(), 1));
      int moved = 0;
      // libusb only reads from an OUT buffer; its signature is not const.
      auto *bytes = const_cast<uint8_t *>(data.data() + written);
      const size_t chunk = std::min(data.size() - written, kOutChunk);
      int e = libusb_bulk_transfer(handle_, interface_.endpointOut, bytes, static_cast<int>(chunk),
                                   &moved, waitMs);
      written += static_cast<uint32_t>(moved);
      if (e == LIBUSB_ERROR_TIMEOUT && written < data.size() && Clock::now() >= deadline) {
        return RAVO_IO_ERR_WRITE_TIMEOUT;
      }
      if (e != 0 && e != LIBUSB_ERROR_TIMEOUT) return UsbErrorCode(e);
    }
    return RAVO_IO_OK;
  }

  int32_t ReadOpen(std::span<uint8_t> buffer, uint32_t timeoutMs, uint32_t &received) override {
    if (pending_.empty()) {
      int32_t rc = Fetch(buffer.size(), timeoutMs == 0 ? kPollMs : timeoutMs);
      if (rc != RAVO_IO_OK) return rc;
    }
    size_t n = std::min(buffer.size(), pending_.size());
    std::copy_n(pending_.begin(), n, buffer.begin());
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(n));
    received = static_cast<uint32_t>(n);
    return RAVO_IO_OK;
  }

  int32_t FlushOpen() override {
    // Bounded: a printer that streams without pause must not hold us here.
    for (int round = 0; round < 64; ++round) {
      pending_.clear();
      if (Fetch(kInBufferSize, kPollMs) != RAVO_IO_OK) return RAVO_IO_ERR_FLUSH;
      if (pending_.empty()) return RAVO_IO_OK;
    }
    pending_.clear();
    return RAVO_IO_OK;
  }

  int32_t CountWaiting(uint32_t &count) override {
    count = static_cast<uint32_t>(pending_.size());
    return RAVO_IO_OK;
  }

 private:
  int32_t OpenFirstMatch(libusb_context *context) {
    UsbPrinterList list(context);
    if (list.error() != 0) return UsbErrorCode(list.error());
    int32_t rc = RAVO_IO_ERR_USB_NOT_FOUND;
    for (const UsbPrinter &printer : list.printers()) {
      if (target_.usb.byId && (printer.descriptor.idVendor != target_.usb.vendor ||
                               printer.descriptor.idProduct != target_.usb.product)) {
        continue;
      }
      libusb_device_handle *handle = nullptr;
      int e = libusb_open(printer.device, &handle);
      if (e != 0) {
        rc = UsbErrorCode(e);  // e.g. -1103: no access to this device
        continue;
      }
      std::string serial = target_.usb.serial.empty()
                               ? std::string()
                               : ReadSerialNumber(handle, printer.descriptor.iSerialNumber);
      if (!SelectorMatches(target_.usb, printer.descriptor.idVendor, printer.descriptor.idProduct,
                           serial)) {
        libusb_close(handle);
        continue;
      }
      rc = Claim(handle, printer.interface);
      if (rc == RAVO_IO_OK) {
        handle_ = handle;
        interface_ = printer.interface;
        return rc;
      }
      libusb_close(handle);
    }
    return rc;
  }

  static int32_t Claim(libusb_device_handle *handle, const PrinterInterface &iface) {
    libusb_set_auto_detach_kernel_driver(handle, 1);  // unsupported: nothing to detach
    int e = libusb_claim_interface(handle, iface.number);
    if (e == LIBUSB_ERROR_BUSY) return RAVO_IO_ERR_USB_BUSY;
    if (e != 0) return UsbErrorCode(e);
    if (iface.altsetting != 0) {
      e = libusb_set_interface_alt_setting(handle, iface.number, iface.altsetting);
      if (e != 0) {
        libusb_release_interface(handle, iface.number);
        return UsbErrorCode(e);
      }
    }
    return RAVO_IO_OK;
  }

  // One bulk IN transfer of about `wanted` bytes into pending_; a timeout
  // with nothing is no error.
  int32_t Fetch(size_t wanted, unsigned timeoutMs) {
    if (interface_.endpointIn == 0) return RAVO_IO_OK;
    std::vector<uint8_t> chunk(InTransferSize(wanted));
    int moved = 0;
    int e = libusb_bulk_transfer(handle_, interface_.endpointIn, chunk.data(),
                                 static_cast<int>(chunk.size()), &moved, timeoutMs);
    if (e != 0 && e != LIBUSB_ERROR_TIMEOUT) return UsbErrorCode(e);
    pending_.insert(pending_.end(), chunk.begin(), chunk.begin() + moved);
    return RAVO_IO_OK;
  }

  // A transfer ends early only on a short packet: one longer than the
  // answer would wait out its timeout when the answer fills whole packets.
  // Whole packets, though, or the last one overflows the buffer.
  size_t InTransferSize(size_t wanted) const {
    const size_t packet = std::max<size_t>(interface_.packetIn, 1);
    const size_t packets = (std::min(wanted, kInBufferSize) + packet - 1) / packet;
    return std::max<size_t>(packets, 1) * packet;
  }

  PortAddress target_;
  std::unique_ptr<UsbContext> context_;
  libusb_device_handle *handle_ = nullptr;
  PrinterInterface interface_;
  std::vector<uint8_t> pending_;
};

}  // namespace

std::unique_ptr<Transport> MakeUsbTransport(const PortAddress &target) {
  return std::make_unique<UsbTransport>(target);
}

}  // namespace ravo::io
