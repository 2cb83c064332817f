// The two port-library entry points the core calls, behind a seam so that
// tests can put a scripted port in place of a real one.
#pragma once

#include <cstdint>

#include "ravoio.h"

namespace prt {

struct PortFunctions {
  int32_t (*create)(IoPort **port, const char *name);
  int32_t (*destroy)(IoPort *port);
};

// The functions in use; ravoio's unless a test replaced them.
const PortFunctions &PortBinding();

// Test seam: replaces the functions; passing nullptr restores ravoio's.
void SetPortBindingForTesting(const PortFunctions *functions);

}  // namespace prt
