// The emulated printer's state and its answers to usbfs ioctls.
#pragma once

#include <linux/usbdevice_fs.h>
#include <umockdev.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "emulated_usb.h"

namespace ravo::usbtest {

// Owns one GObject reference.
template <typename T>
class GRef {
 public:
  GRef() = default;
  explicit GRef(T *adopted) : p_(adopted) {}
  static GRef Share(T *p) {
    if (p != nullptr) g_object_ref(p);
    return GRef(p);
  }
  GRef(GRef &&other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  GRef &operator=(GRef &&other) noexcept {
    if (this != &other) {
      reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  GRef(const GRef &) = delete;
  GRef &operator=(const GRef &) = delete;
  ~GRef() { reset(); }
  void reset() {
    if (p_ != nullptr) g_object_unref(p_);
    p_ = nullptr;
  }
  T *get() const { return p_; }
  T *operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T *p_ = nullptr;
};

// A submitted URB: its usbdevfs_urb and data buffer as local copies of the
// client's memory.  Changes go back to the client when the URB is reaped.
struct Urb {
  const void *client = nullptr;  // identity only
  GRef<UMockdevIoctlData> header;
  GRef<UMockdevIoctlData> buffer;  // empty for a zero-length transfer
  usbdevfs_urb &fields() const { return *reinterpret_cast<usbdevfs_urb *>(header->data); }
  uint8_t *bytes() const { return buffer ? buffer->data : nullptr; }
  size_t length() const { return static_cast<size_t>(fields().buffer_length); }
};

// Who holds an interface.
struct Binding {
  std::string driver;           // kernel driver, "usbfs" or ""
  const void *owner = nullptr;  // the claiming client when "usbfs"
};

// The result of an ioctl: return value and errno, or answered later.
struct IoctlResult {
  long value = 0;
  int error = 0;
  bool later = false;
};

class PrinterState {
 public:
  explicit PrinterState(UsbPrinterProfile printerProfile);

  // Signal handlers of the UMockdevIoctlBase; `self` is the PrinterState.
  static gboolean OnIoctl(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, gpointer self);
  static void OnVanished(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, gpointer self);
  // umockdev 0.17 declares "client-vanished" but does not emit it, nor
  // notify "connected": the clients are watched, and one whose descriptor
  // was closed is let go as the kernel does on close.
  static void OnConnected(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, gpointer self);
  // Stops watching (before the state goes away).
  void ForgetClients();

  const UsbPrinterProfile profile;
  const int printerInterface;

  mutable std::mutex mutex;
  std::condition_variable changed;
  // Everything below is guarded by mutex.
  bool connected = true;
  std::map<int, Binding> bindings;
  std::vector<std::string> driverEvents;
  std::string received;
  std::vector<size_t> outTransfers;
  size_t acceptLimit = SIZE_MAX;
  std::string unread;  // bytes the printer sends next
  PrinterScript script;

  // Moves bytes between the pending URBs and the printer.
  void Serve();
  // Ends every pending URB with `status` (a negative errno).
  void EndPending(int status);
  // Records a driver change and wakes waiters.
  void Note(std::string event);

 private:
  IoctlResult Dispatch(UMockdevIoctlClient *client, unsigned long request, UMockdevIoctlData *arg);
  IoctlResult Submit(UMockdevIoctlClient *client, UMockdevIoctlData *arg);
  IoctlResult Discard(UMockdevIoctlClient *client, UMockdevIoctlData *arg);
  IoctlResult Reap(UMockdevIoctlClient *client, UMockdevIoctlData *arg, bool wait);
  IoctlResult Claim(const void *client, int interface);
  IoctlResult Release(const void *client, int interface);
  IoctlResult DisconnectClaim(UMockdevIoctlClient *client, UMockdevIoctlData *arg);
  IoctlResult GetDriver(UMockdevIoctlData *arg);
  IoctlResult InterfaceIoctl(UMockdevIoctlData *arg);
  IoctlResult Capabilities(UMockdevIoctlData *arg);
  // A control transfer on endpoint 0, answered at once: the URB's status.
  int Control(Urb &urb);
  void FillIn(Urb &urb);
  void Finish(std::deque<Urb> &queue, std::deque<Urb>::iterator it, int status);
  void Vanish(const void *client);

  friend gboolean RetryReap(gpointer data);

  static gboolean CheckClients(gpointer self);
  // Lets go of the watched clients that closed their descriptor.
  void DropClosedClients();

  std::deque<Urb> pendingOut_, pendingIn_, done_;
  std::vector<GRef<UMockdevIoctlClient>> clients_;  // connected ones
  GSource *watch_ = nullptr;                        // polls clients_
  size_t usbfsMemory_ = 0;                          // bytes of URBs submitted and not reaped
};

}  // namespace ravo::usbtest
