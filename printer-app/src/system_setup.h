// The system callback of papplMainloop: one PAPPL system for all printers,
// with the web interface, our drivers, image filters and raw formats.
//
// Server options (-o NAME=VALUE): server-port (default 8000; 0 picks a free
// port, printed on stdout), listen-hostname (default: every address),
// server-name, spool-directory, log-file ("-" for stderr, the default),
// log-level (debug, info, warn, error, fatal), admin-group, auth-service,
// server-options (comma list of web-remote, web-log, web-security,
// web-network, no-web-interface, raw-socket, no-tls, dnssd-host).
// The machine's host name is never changed (PAPPL's own server-hostname
// option rewrites /etc/hostname when run as root).
#pragma once

#include <pappl/pappl.h>

namespace ravo::app {

inline constexpr int kDefaultPort = 8000;
inline constexpr const char *kAppName = "ravo-printer-app";
inline constexpr const char *kFooterHtml =
    "Ravo printer toolkit: TSPL, CPCL and ESC printers through IPP Everywhere.";

pappl_system_t *CreateSystem(int numOptions, cups_option_t *options, void *data);

}  // namespace ravo::app
