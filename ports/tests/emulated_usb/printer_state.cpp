// usbfs as the kernel implements it, for one printer: URBs, interface
// claims and kernel-driver binding (see emulated_usb.h for what is left out).
#include "printer_state.h"

#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "usb_descriptors.h"

namespace ravo::usbtest {
namespace {

// The kernel's usbfs_memory_mb default: submitted URBs may hold this much.
constexpr size_t kUsbfsMemoryLimit = 16u << 20;
// An empty non-blocking reap answers after this long: libusb polls the
// descriptor, which (being a socket here) is always ready, and would spin.
constexpr unsigned kIdleReapMs = 1;
// How often the clients are checked for a closed descriptor.
constexpr unsigned kClientCheckMs = 10;

constexpr const char *kUsbfs = "usbfs";

IoctlResult Ok(long value = 0) {
  return {value, 0, false};
}
IoctlResult Fail(int error) {
  return {-1, error, false};
}

GRef<UMockdevIoctlData> Resolve(UMockdevIoctlData *data, size_t offset, size_t length) {
  GError *error = nullptr;
  UMockdevIoctlData *resolved = umockdev_ioctl_data_resolve(data, offset, length, &error);
  if (error != nullptr) g_error_free(error);
  return GRef<UMockdevIoctlData>(resolved);
}

// The value the ioctl argument itself carries (for _IO requests: a pointer).
uintptr_t ArgumentValue(UMockdevIoctlData *arg) {
  uintptr_t value = 0;
  std::memcpy(&value, arg->data, std::min(sizeof value, static_cast<size_t>(arg->data_len)));
  return value;
}

struct DeferredReap {
  PrinterState *state;
  GRef<UMockdevIoctlClient> client;
};

}  // namespace

gboolean RetryReap(gpointer data) {
  auto *deferred = static_cast<DeferredReap *>(data);
  UMockdevIoctlClient *client = deferred->client.get();
  IoctlResult result;
  {
    std::lock_guard lock(deferred->state->mutex);
    result = deferred->state->Reap(client, umockdev_ioctl_client_get_arg(client), false);
  }
  umockdev_ioctl_client_complete(client, result.value, result.error);
  return G_SOURCE_REMOVE;
}

PrinterState::PrinterState(UsbPrinterProfile printerProfile)
    : profile(std::move(printerProfile)), printerInterface(PrinterInterfaceNumber(profile)) {
  bindings[printerInterface] = Binding{profile.kernelDriver, nullptr};
  if (profile.composite) bindings[0] = Binding{};
}

gboolean PrinterState::OnIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self) {
  auto *state = static_cast<PrinterState *>(self);
  IoctlResult result;
  {
    std::lock_guard lock(state->mutex);
    result = state->Dispatch(client, umockdev_ioctl_client_get_request(client),
                             umockdev_ioctl_client_get_arg(client));
  }
  if (!result.later) umockdev_ioctl_client_complete(client, result.value, result.error);
  return TRUE;
}

void PrinterState::OnVanished(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self) {
  auto *state = static_cast<PrinterState *>(self);
  std::lock_guard lock(state->mutex);
  state->Vanish(client);
}

void PrinterState::OnConnected(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self) {
  auto *state = static_cast<PrinterState *>(self);
  std::lock_guard lock(state->mutex);
  state->clients_.push_back(GRef<UMockdevIoctlClient>::Share(client));
  if (state->watch_ != nullptr) return;
  // On the testbed's thread, which answers the ioctls.
  state->watch_ = g_timeout_source_new(kClientCheckMs);
  g_source_set_callback(state->watch_, CheckClients, state, nullptr);
  g_source_attach(state->watch_, g_main_context_get_thread_default());
}

gboolean PrinterState::CheckClients(gpointer self) {
  auto *state = static_cast<PrinterState *>(self);
  std::lock_guard lock(state->mutex);
  state->DropClosedClients();
  return G_SOURCE_CONTINUE;
}

void PrinterState::DropClosedClients() {
  std::erase_if(clients_, [&](const GRef<UMockdevIoctlClient> &client) {
    if (umockdev_ioctl_client_get_connected(client.get())) return false;
    Vanish(client.get());
    return true;
  });
}

void PrinterState::ForgetClients() {
  std::lock_guard lock(mutex);
  if (watch_ != nullptr) {
    g_source_destroy(watch_);
    g_source_unref(watch_);
    watch_ = nullptr;
  }
  clients_.clear();
}

IoctlResult PrinterState::Dispatch(UMockdevIoctlClient *client, unsigned long request,
                                   UMockdevIoctlData *arg) {
  // A program that closed the device before another one asks has let
  // go of its interface, whether or not the periodic check has seen it.
  DropClosedClients();
  if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY) {
    return Reap(client, arg, true);
  }
  if (!connected) return Fail(ENODEV);
  switch (request) {
    case USBDEVFS_GET_CAPABILITIES:
      return Capabilities(arg);
    case USBDEVFS_SUBMITURB:
      return Submit(client, arg);
    case USBDEVFS_DISCARDURB:
      return Discard(client, arg);
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE: {
      auto number = Resolve(arg, 0, sizeof(unsigned));
      if (!number) return Fail(EFAULT);
      int interface = static_cast<int>(*reinterpret_cast<unsigned *>(number->data));
      return request == USBDEVFS_CLAIMINTERFACE ? Claim(client, interface)
                                                : Release(client, interface);
    }
    case USBDEVFS_DISCONNECT_CLAIM:
      return DisconnectClaim(client, arg);
    case USBDEVFS_GETDRIVER:
      return GetDriver(arg);
    case USBDEVFS_IOCTL:
      return InterfaceIoctl(arg);
    case USBDEVFS_SETINTERFACE:  // one alternate setting only
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESET:
      return Ok();
    case USBDEVFS_SETCONFIGURATION: {
      auto value = Resolve(arg, 0, sizeof(int));
      if (!value) return Fail(EFAULT);
      const int configuration = *reinterpret_cast<int *>(value->data);
      return configuration == 1 || configuration == -1 ? Ok() : Fail(EINVAL);
    }
    default:
      return Fail(ENOTTY);
  }
}

IoctlResult PrinterState::Capabilities(UMockdevIoctlData *arg) {
  auto caps = Resolve(arg, 0, sizeof(uint32_t));
  if (!caps) return Fail(EFAULT);
  std::memcpy(caps->data, &profile.usbfsCaps, sizeof profile.usbfsCaps);
  return Ok();
}

IoctlResult PrinterState::Claim(const void *client, int interface) {
  auto it = bindings.find(interface);
  if (it == bindings.end()) return Fail(ENOENT);
  Binding &binding = it->second;
  if (binding.driver == kUsbfs && binding.owner == client) return Ok();
  if (!binding.driver.empty()) return Fail(EBUSY);
  binding = Binding{kUsbfs, client};
  Note("claim");
  return Ok();
}

IoctlResult PrinterState::Release(const void *client, int interface) {
  auto it = bindings.find(interface);
  if (it == bindings.end() || it->second.driver != kUsbfs || it->second.owner != client) {
    return Fail(EINVAL);
  }
  it->second = Binding{};
  Note("release");
  return Ok();
}

IoctlResult PrinterState::DisconnectClaim(UMockdevIoctlClient *client, UMockdevIoctlData *arg) {
  auto request = Resolve(arg, 0, sizeof(usbdevfs_disconnect_claim));
  if (!request) return Fail(EFAULT);
  const auto &dc = *reinterpret_cast<usbdevfs_disconnect_claim *>(request->data);
  auto it = bindings.find(static_cast<int>(dc.interface));
  if (it == bindings.end()) return Fail(ENOENT);
  Binding &binding = it->second;
  if (!binding.driver.empty() && !(binding.driver == kUsbfs && binding.owner == client)) {
    const bool named = std::strncmp(dc.driver, binding.driver.c_str(), sizeof dc.driver) == 0;
    if ((dc.flags & USBDEVFS_DISCONNECT_CLAIM_IF_DRIVER) && !named) return Fail(EBUSY);
    if ((dc.flags & USBDEVFS_DISCONNECT_CLAIM_EXCEPT_DRIVER) && named) return Fail(EBUSY);
    Note("detach " + binding.driver);
    binding = Binding{};
  }
  return Claim(client, static_cast<int>(dc.interface));
}

IoctlResult PrinterState::GetDriver(UMockdevIoctlData *arg) {
  auto request = Resolve(arg, 0, sizeof(usbdevfs_getdriver));
  if (!request) return Fail(EFAULT);
  auto &gd = *reinterpret_cast<usbdevfs_getdriver *>(request->data);
  auto it = bindings.find(static_cast<int>(gd.interface));
  if (it == bindings.end()) return Fail(EINVAL);
  if (it->second.driver.empty()) return Fail(ENODATA);
  std::memset(gd.driver, 0, sizeof gd.driver);
  std::strncpy(gd.driver, it->second.driver.c_str(), sizeof gd.driver - 1);
  return Ok();
}

IoctlResult PrinterState::InterfaceIoctl(UMockdevIoctlData *arg) {
  auto request = Resolve(arg, 0, sizeof(usbdevfs_ioctl));
  if (!request) return Fail(EFAULT);
  const auto &call = *reinterpret_cast<usbdevfs_ioctl *>(request->data);
  auto it = bindings.find(call.ifno);
  if (it == bindings.end()) return Fail(EINVAL);
  Binding &binding = it->second;
  switch (static_cast<unsigned long>(call.ioctl_code)) {
    case USBDEVFS_DISCONNECT:
      if (binding.driver.empty()) return Fail(ENODATA);
      Note("detach " + binding.driver);
      binding = Binding{};
      return Ok();
    case USBDEVFS_CONNECT:
      if (!binding.driver.empty()) return Fail(EBUSY);
      // The kernel probes its drivers; the printer's binds when it has one.
      if (call.ifno == printerInterface && !profile.kernelDriver.empty()) {
        binding = Binding{profile.kernelDriver, nullptr};
        Note("attach " + profile.kernelDriver);
      }
      return Ok();
    default:
      return Fail(ENOTTY);
  }
}

IoctlResult PrinterState::Submit(UMockdevIoctlClient *client, UMockdevIoctlData *arg) {
  Urb urb;
  urb.client = client;
  urb.header = Resolve(arg, 0, sizeof(usbdevfs_urb));
  if (!urb.header) return Fail(EFAULT);
  usbdevfs_urb &f = urb.fields();
  if (f.buffer_length < 0) return Fail(EINVAL);
  if (usbfsMemory_ + urb.length() > kUsbfsMemoryLimit) return Fail(ENOMEM);
  if (f.buffer_length > 0) {
    urb.buffer = Resolve(urb.header.get(), offsetof(usbdevfs_urb, buffer), urb.length());
    if (!urb.buffer) return Fail(EFAULT);
  }
  f.actual_length = 0;
  f.status = -EINPROGRESS;

  if (f.type == USBDEVFS_URB_TYPE_CONTROL && (f.endpoint & 0x7F) == 0) {
    f.status = Control(urb);
    usbfsMemory_ += urb.length();
    done_.push_back(std::move(urb));
    return Ok();
  }
  const bool out = f.endpoint == kEndpointOut;
  const bool in = profile.bidirectional && f.endpoint == kEndpointIn;
  if (f.type != USBDEVFS_URB_TYPE_BULK || (!out && !in)) return Fail(ENOENT);
  // usbfs claims the interface on first use, as the kernel does.
  IoctlResult claimed = Claim(client, printerInterface);
  if (claimed.error != 0) return claimed;

  usbfsMemory_ += urb.length();
  if (out) {
    outTransfers.push_back(urb.length());
    pendingOut_.push_back(std::move(urb));
  } else {
    pendingIn_.push_back(std::move(urb));
  }
  Serve();
  return Ok();
}

int PrinterState::Control(Urb &urb) {
  if (urb.length() < 8) return -EINVAL;
  const uint8_t *setup = urb.bytes();
  const uint8_t requestType = setup[0], request = setup[1];
  const uint16_t value = static_cast<uint16_t>(setup[2] | setup[3] << 8);
  const size_t room =
      std::min<size_t>(static_cast<size_t>(setup[6] | setup[7] << 8), urb.length() - 8);
  std::vector<uint8_t> answer;
  if (requestType == 0x80 && request == 6) {  // GET_DESCRIPTOR
    const uint8_t type = static_cast<uint8_t>(value >> 8), index = static_cast<uint8_t>(value);
    if (type == 1)
      answer = DeviceDescriptor(profile);
    else if (type == 2 && index == 0)
      answer = ConfigDescriptor(profile);
    else if (type == 3) {
      auto text = StringDescriptor(profile, index);
      if (!text) return -EPIPE;  // the device stalls
      answer = *text;
    } else {
      return -EPIPE;
    }
  } else if (requestType == 0xA1 && request == 0) {  // printer class: GET_DEVICE_ID
    const size_t length = profile.deviceId.size() + 2;
    answer = {static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    answer.insert(answer.end(), profile.deviceId.begin(), profile.deviceId.end());
  } else if (requestType == 0xA1 && request == 1) {  // GET_PORT_STATUS: selected, no error
    answer = {0x18};
  } else if (requestType == 0x21 && request == 2) {  // SOFT_RESET
    unread.clear();
  } else {
    return -EPIPE;
  }
  const size_t n = std::min(room, answer.size());
  std::copy_n(answer.begin(), n, urb.bytes() + 8);
  urb.fields().actual_length = static_cast<int>(n);
  return 0;
}

void PrinterState::Serve() {
  while (!pendingOut_.empty() && received.size() < acceptLimit) {
    Urb &urb = pendingOut_.front();
    usbdevfs_urb &f = urb.fields();
    const size_t offset = static_cast<size_t>(f.actual_length);
    const size_t take = std::min(urb.length() - offset, acceptLimit - received.size());
    const std::string_view piece(reinterpret_cast<const char *>(urb.bytes()) + offset, take);
    received.append(piece);
    unread += script.Feed(piece);
    f.actual_length += static_cast<int>(take);
    if (static_cast<size_t>(f.actual_length) < urb.length()) break;  // the device NAKs the rest
    Finish(pendingOut_, pendingOut_.begin(), 0);
  }
  while (!pendingIn_.empty() && !unread.empty()) FillIn(pendingIn_.front());
  changed.notify_all();
}

void PrinterState::FillIn(Urb &urb) {
  usbdevfs_urb &f = urb.fields();
  const size_t packetSize = profile.maxPacket;
  size_t space = urb.length() - static_cast<size_t>(f.actual_length);
  int status = 1;  // positive: the transfer goes on
  while (!unread.empty() && space > 0) {
    const size_t packet = std::min(packetSize, unread.size());
    if (packet > space) {
      unread.erase(0, packet);  // the babbling packet is lost
      status = -EOVERFLOW;
      break;
    }
    std::memcpy(urb.bytes() + f.actual_length, unread.data(), packet);
    unread.erase(0, packet);
    f.actual_length += static_cast<int>(packet);
    space -= packet;
    if (packet < packetSize) {
      status = 0;  // a short packet ends the transfer
      break;
    }
  }
  if (space == 0 && status > 0) status = 0;
  if (status <= 0) Finish(pendingIn_, pendingIn_.begin(), status);
}

void PrinterState::Finish(std::deque<Urb> &queue, std::deque<Urb>::iterator it, int status) {
  it->fields().status = status;
  done_.push_back(std::move(*it));
  queue.erase(it);
}

IoctlResult PrinterState::Discard(UMockdevIoctlClient *client, UMockdevIoctlData *arg) {
  const uintptr_t address = ArgumentValue(arg);
  for (auto *queue : {&pendingOut_, &pendingIn_}) {
    for (auto it = queue->begin(); it != queue->end(); ++it) {
      if (it->client == client && it->header->client_addr == address) {
        Finish(*queue, it, -ENOENT);
        return Ok();
      }
    }
  }
  return Fail(EINVAL);  // already finished: the caller reaps it
}

IoctlResult PrinterState::Reap(UMockdevIoctlClient *client, UMockdevIoctlData *arg, bool wait) {
  auto it = std::find_if(done_.begin(), done_.end(),
                         [&](const Urb &urb) { return urb.client == client; });
  if (it == done_.end()) {
    if (!connected) return Fail(ENODEV);
    if (!wait) return Fail(EAGAIN);
    GSource *source = g_timeout_source_new(kIdleReapMs);
    g_source_set_callback(source, RetryReap,
                          new DeferredReap{this, GRef<UMockdevIoctlClient>::Share(client)},
                          [](gpointer p) { delete static_cast<DeferredReap *>(p); });
    g_source_attach(source, g_main_context_get_thread_default());
    g_source_unref(source);
    return IoctlResult{0, 0, true};
  }
  auto slot = Resolve(arg, 0, sizeof(void *));
  if (!slot) return Fail(EFAULT);
  umockdev_ioctl_data_set_ptr(slot.get(), 0, it->header.get());
  usbfsMemory_ -= it->length();
  done_.erase(it);
  return Ok();
}

void PrinterState::EndPending(int status) {
  while (!pendingOut_.empty()) Finish(pendingOut_, pendingOut_.begin(), status);
  while (!pendingIn_.empty()) Finish(pendingIn_, pendingIn_.begin(), status);
  changed.notify_all();
}

void PrinterState::Vanish(const void *client) {
  // The kernel kills the closed descriptor's URBs and releases its claims.
  for (auto *queue : {&pendingOut_, &pendingIn_, &done_}) {
    for (auto it = queue->begin(); it != queue->end();) {
      if (it->client != client) {
        ++it;
        continue;
      }
      usbfsMemory_ -= it->length();
      it = queue->erase(it);
    }
  }
  for (auto &[number, binding] : bindings) {
    if (binding.driver == kUsbfs && binding.owner == client) {
      binding = Binding{};
      Note("release");
    }
  }
}

void PrinterState::Note(std::string event) {
  driverEvents.push_back(std::move(event));
  changed.notify_all();
}

}  // namespace ravo::usbtest
