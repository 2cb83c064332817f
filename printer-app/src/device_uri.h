// The device URIs of serial and parallel printers, and the port strings of
// the port library (ravoio.h) they stand for:
//
//   ravo-serial:///dev/ttyUSB0?baud=9600   ->  /dev/ttyUSB0,BAUDRATE_9600
//   ravo-parallel:///dev/lp0               ->  /dev/lp0
//
// The baud rate defaults to 9600; the port library checks its value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ravo::app {

inline constexpr std::string_view kSerialScheme = "ravo-serial";
inline constexpr std::string_view kParallelScheme = "ravo-parallel";

// The port string for a ravo-serial:// or ravo-parallel:// URI; nothing
// for another scheme, a relative or unusual path (only letters, digits and
// "/._-" pass, so nothing can add port options), or an unknown query.
std::optional<std::string> PortStringForUri(std::string_view uri);

// The URI for a name from the port library's enumeration ("COM1:",
// "ttyUSB0:", "/dev/path:" for serial ports, "LPT1:" for parallel ones).
std::optional<std::string> UriForSerialPortName(std::string_view name);
std::optional<std::string> UriForParallelPortName(std::string_view name);

}  // namespace ravo::app
