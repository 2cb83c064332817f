#include <cerrno>
#include <cstdio>
#include <stdexcept>

#include "printer_state.h"
#include "usb_descriptors.h"

namespace ravo::usbtest {
namespace {

std::string DevicePath(int address) {
  // One port per address under the first root hub: 1-1, 1-2 ...
  return "/devices/pci0000:00/0000:00:14.0/usb1/1-" + std::to_string(address - 1);
}

}  // namespace

EmulatedPrinter::EmulatedPrinter(UMockdevTestbed *testbed, UsbPrinterProfile profile, int address)
    : state_(std::make_unique<PrinterState>(std::move(profile))), address_(address) {
  char node[32];
  std::snprintf(node, sizeof node, "/dev/bus/usb/001/%03d", address);
  handler_ = umockdev_ioctl_base_new();
  g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(PrinterState::OnIoctl), state_.get());
  g_signal_connect(handler_, "client-vanished", G_CALLBACK(PrinterState::OnVanished), state_.get());
  g_signal_connect(handler_, "client-connected", G_CALLBACK(PrinterState::OnConnected),
                   state_.get());
  GError *error = nullptr;
  // The ioctl socket must be in place before the device appears.
  if (!umockdev_testbed_attach_ioctl(testbed, node, handler_, &error) ||
      !umockdev_testbed_add_from_string(
          testbed, DeviceRecord(state_->profile, DevicePath(address), address).c_str(), &error)) {
    std::string message = error != nullptr ? error->message : "unknown error";
    if (error != nullptr) g_error_free(error);
    g_signal_handlers_disconnect_by_data(handler_, state_.get());
    throw std::runtime_error("umockdev: " + message);
  }
  sysPath_ = "/sys" + DevicePath(address);
}

EmulatedPrinter::~EmulatedPrinter() {
  g_signal_handlers_disconnect_by_data(handler_, state_.get());
  state_->ForgetClients();
  g_object_unref(handler_);
}

const UsbPrinterProfile &EmulatedPrinter::profile() const {
  return state_->profile;
}

std::string EmulatedPrinter::PortString() const {
  char ids[40];
  std::snprintf(ids, sizeof ids, "USB,VID_%04X&PID_%04X", profile().vendor, profile().product);
  return profile().serial.empty() ? ids : ids + ("&SN_" + profile().serial);
}

std::string EmulatedPrinter::Received() const {
  std::lock_guard lock(state_->mutex);
  return state_->received;
}

std::vector<size_t> EmulatedPrinter::OutTransfers() const {
  std::lock_guard lock(state_->mutex);
  return state_->outTransfers;
}

bool EmulatedPrinter::WaitForReceived(size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(state_->mutex);
  return state_->changed.wait_for(lock, timeout, [&] { return state_->received.size() >= count; });
}

void EmulatedPrinter::SetScript(PrinterScript script) {
  std::lock_guard lock(state_->mutex);
  state_->script = std::move(script);
}

PrinterScript EmulatedPrinter::Script() const {
  std::lock_guard lock(state_->mutex);
  return state_->script;
}

void EmulatedPrinter::Send(std::string_view bytes) {
  std::lock_guard lock(state_->mutex);
  state_->unread.append(bytes);
  state_->Serve();
}

size_t EmulatedPrinter::Unread() const {
  std::lock_guard lock(state_->mutex);
  return state_->unread.size();
}

void EmulatedPrinter::AcceptUpTo(size_t total) {
  std::lock_guard lock(state_->mutex);
  state_->acceptLimit = total;
  state_->Serve();
}

std::string EmulatedPrinter::InterfaceDriver() const {
  std::lock_guard lock(state_->mutex);
  return state_->bindings.at(state_->printerInterface).driver;
}

std::vector<std::string> EmulatedPrinter::DriverEvents() const {
  std::lock_guard lock(state_->mutex);
  return state_->driverEvents;
}

void EmulatedPrinter::ClaimElsewhere() {
  static const char otherProgram = 0;
  std::lock_guard lock(state_->mutex);
  state_->bindings.at(state_->printerInterface) = Binding{"usbfs", &otherProgram};
}

void EmulatedPrinter::Disconnect() {
  std::lock_guard lock(state_->mutex);
  if (!state_->connected) return;
  state_->connected = false;
  state_->EndPending(-ESHUTDOWN);
}

}  // namespace ravo::usbtest
