// Transports that are not available in this build yet: their port strings
// parse, but creating a port for them fails cleanly with -301.
#include "transport.h"

namespace ravo::io {

std::unique_ptr<Transport> MakeSerialTransport(const PortSpec &) { return nullptr; }
std::unique_ptr<Transport> MakeParallelTransport(const PortSpec &) { return nullptr; }
std::unique_ptr<Transport> MakeUsbTransport(const PortSpec &) { return nullptr; }

}  // namespace ravo::io
