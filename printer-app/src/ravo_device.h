// The ravo-serial:// and ravo-parallel:// device schemes: serial and
// parallel printers reached through the port library, listed from its
// enumeration of the ports present.
#pragma once

namespace ravo::app {

// Registers both schemes with PAPPL (once per process, before the system
// or any device is used).
void AddRavoDeviceSchemes();

}  // namespace ravo::app
