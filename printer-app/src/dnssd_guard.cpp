// PAPPL 1.3 asks Avahi for a service browser or resolver even when it could
// not reach the Avahi daemon, with a null client, and Avahi's assertion then
// ends the process: listing devices (the "devices" sub-command, the web
// interface's Add Printer page) killed the server on machines without the
// daemon.  These definitions come first in the link (the executable exports
// them, see CMakeLists.txt): without a client they report failure, which
// PAPPL handles ("Unable to create service browser"); with one they pass
// the call on to Avahi.  With the daemon running nothing changes.
#include <avahi-client/lookup.h>
#include <dlfcn.h>

namespace {

template <typename Function>
Function Next(const char *name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AvahiServiceBrowser *avahi_service_browser_new(
    AvahiClient *client, AvahiIfIndex interface, AvahiProtocol protocol, const char *type,
    const char *domain, AvahiLookupFlags flags, AvahiServiceBrowserCallback callback,
    void *userdata) {
  using Function = decltype(&avahi_service_browser_new);
  static const Function next = Next<Function>("avahi_service_browser_new");
  if (client == nullptr || next == nullptr) return nullptr;
  return next(client, interface, protocol, type, domain, flags, callback, userdata);
}

extern "C" __attribute__((visibility("default"))) AvahiServiceResolver *avahi_service_resolver_new(
    AvahiClient *client, AvahiIfIndex interface, AvahiProtocol protocol, const char *name,
    const char *type, const char *domain, AvahiProtocol aprotocol, AvahiLookupFlags flags,
    AvahiServiceResolverCallback callback, void *userdata) {
  using Function = decltype(&avahi_service_resolver_new);
  static const Function next = Next<Function>("avahi_service_resolver_new");
  if (client == nullptr || next == nullptr) return nullptr;
  return next(client, interface, protocol, name, type, domain, aprotocol, flags, callback,
              userdata);
}
