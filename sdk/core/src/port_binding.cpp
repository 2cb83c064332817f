#include "port_binding.h"

namespace prt {
namespace {

constexpr PortFunctions kRavoio{ravo_io_port_creator, ravo_io_port_destroy};
const PortFunctions *g_current = &kRavoio;

}  // namespace

const PortFunctions &PortBinding() { return *g_current; }

void SetPortBindingForTesting(const PortFunctions *functions) {
  g_current = functions != nullptr ? functions : &kRavoio;
}

}  // namespace prt
