// ravo_io_port_creator / ravo_io_port_destroy and the IoPort thunks that
// forward each operation to the port's transport.
#include <span>
#include <string_view>

#include "port_address.h"
#include "ravo_boundary.h"
#include "ravoio.h"
#include "transport.h"

static_assert(RAVO_IO_ERR_OUT_OF_MEMORY == ravo::kBoundaryOutOfMemory &&
              RAVO_IO_ERR_INTERNAL == ravo::kBoundaryInternalError);

namespace ravo::io {
namespace {

struct PortObject {
  IoPort record{};
  PortAddress target;
  std::unique_ptr<Transport> transport;
  uint32_t readTimeoutMs = 1000;
  uint32_t writeTimeoutMs = 5000;
};

PortObject *Object(IoPort *port) {
  return port == nullptr ? nullptr : static_cast<PortObject *>(port->impl);
}

// Runs `fn` on the port's object under the libraries' exception policy.
template <typename Fn>
int32_t WithObject(IoPort *port, Fn &&fn) {
  PortObject *obj = Object(port);
  if (obj == nullptr || obj->transport == nullptr) return RAVO_IO_ERR_INVALID_HANDLE;
  return ravo::AtCBoundary([&] { return fn(*obj); });
}

int32_t OpOpen(IoPort *port) {
  return WithObject(port, [](PortObject &o) { return o.transport->Open(); });
}

int32_t OpClose(IoPort *port) {
  return WithObject(port, [](PortObject &o) { return o.transport->Close(o.readTimeoutMs); });
}

int32_t OpFlush(IoPort *port) {
  return WithObject(port, [](PortObject &o) { return o.transport->Flush(); });
}

int32_t OpSetTimeouts(IoPort *port, uint32_t readMs, uint32_t writeMs) {
  return WithObject(port, [&](PortObject &o) {
    if (readMs != 0) o.readTimeoutMs = readMs;
    if (writeMs != 0) o.writeTimeoutMs = writeMs;
    return RAVO_IO_OK;
  });
}

int32_t OpBytesWaiting(IoPort *port, uint32_t *count) {
  if (count == nullptr) return RAVO_IO_ERR_INVALID_SETTING;
  *count = 0;
  return WithObject(port, [&](PortObject &o) { return o.transport->BytesWaiting(*count); });
}

int32_t OpKind(IoPort *port) {
  return WithObject(port, [](PortObject &o) -> int32_t {
    switch (o.target.kind) {
      case PortKind::Net:
        return RAVO_IO_KIND_NET;
      case PortKind::Usb:
        return RAVO_IO_KIND_USB;
      case PortKind::Serial:
        return RAVO_IO_KIND_SERIAL;
      case PortKind::Parallel:
        return RAVO_IO_KIND_PARALLEL;
    }
    return RAVO_IO_ERR_IO;
  });
}

int32_t OpWrite(IoPort *port, const uint8_t *data, uint32_t offset, uint32_t length,
                uint32_t *written) {
  uint32_t ignored = 0;
  uint32_t &count = written != nullptr ? *written : ignored;
  count = 0;
  if (data == nullptr && length > 0) return RAVO_IO_ERR_INVALID_SETTING;
  return WithObject(port, [&](PortObject &o) -> int32_t {
    if (!o.transport->IsOpen()) return RAVO_IO_ERR_NOT_OPEN;
    if (length == 0) return RAVO_IO_OK;
    return o.transport->Write(std::span(data + offset, length), o.writeTimeoutMs, count);
  });
}

int32_t ReadWith(IoPort *port, uint8_t *buffer, uint32_t offset, uint32_t length,
                 uint32_t *received, bool wait) {
  uint32_t ignored = 0;
  uint32_t &count = received != nullptr ? *received : ignored;
  count = 0;
  if (buffer == nullptr && length > 0) return RAVO_IO_ERR_INVALID_SETTING;
  return WithObject(port, [&](PortObject &o) -> int32_t {
    if (!o.transport->IsOpen()) return RAVO_IO_ERR_NOT_OPEN;
    if (length == 0) return RAVO_IO_OK;
    return o.transport->Read(std::span(buffer + offset, length), wait ? o.readTimeoutMs : 0, count);
  });
}

int32_t OpRead(IoPort *port, uint8_t *buffer, uint32_t offset, uint32_t length,
               uint32_t *received) {
  return ReadWith(port, buffer, offset, length, received, true);
}

int32_t OpReadChunk(IoPort *port, uint8_t *buffer, uint32_t offset, uint32_t length,
                    uint32_t *received) {
  return ReadWith(port, buffer, offset, length, received, false);
}

std::unique_ptr<Transport> MakeTransport(const PortAddress &target) {
  switch (target.kind) {
    case PortKind::Net:
      return MakeNetTransport(target);
    case PortKind::Usb:
      return MakeUsbTransport(target);
    case PortKind::Serial:
      return MakeSerialTransport(target);
    case PortKind::Parallel:
      return MakeParallelTransport(target);
  }
  return nullptr;
}

}  // namespace
}  // namespace ravo::io

using namespace ravo::io;

extern "C" RAVOIO_API int32_t ravo_io_port_creator(IoPort **port, const char *name) {
  if (port == nullptr) return RAVO_IO_ERR_INVALID_HANDLE;
  *port = nullptr;
  if (name == nullptr) return RAVO_IO_ERR_INVALID_SETTING;
  return ravo::AtCBoundary([&]() -> int32_t {
    auto obj = std::make_unique<PortObject>();
    int32_t rc = ParsePortAddress(std::string_view(name), obj->target);
    if (rc != RAVO_IO_OK) return rc;
    obj->readTimeoutMs = obj->target.readTimeoutMs;
    obj->writeTimeoutMs = obj->target.writeTimeoutMs;
    obj->transport = MakeTransport(obj->target);
    if (obj->transport == nullptr) return RAVO_IO_ERR_INVALID_SETTING;
    obj->record = IoPort{OpOpen, OpClose, OpFlush, OpSetTimeouts, OpBytesWaiting,
                         OpKind, OpWrite, OpRead,  OpReadChunk,   obj.get()};
    *port = &obj.release()->record;
    return RAVO_IO_OK;
  });
}

extern "C" RAVOIO_API int32_t ravo_io_port_destroy(IoPort *port) {
  // Taking ownership back: the object was released to the caller by the creator.
  std::unique_ptr<PortObject> obj(Object(port));
  if (obj == nullptr) return RAVO_IO_ERR_INVALID_HANDLE;
  return ravo::AtCBoundary([&] {
    if (obj->transport != nullptr && obj->transport->IsOpen()) {
      obj->transport->Close(obj->readTimeoutMs);
    }
    return RAVO_IO_OK;
  });
}
