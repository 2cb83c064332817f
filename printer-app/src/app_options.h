// Options of the application beyond PAPPL's own.
//
// "-o state-directory=DIR" (any sub-command) keeps everything the server
// writes in DIR: PAPPL's state file and control socket (PAPPL puts them in
// $SNAP_COMMON when that is set, so the option sets it) and, unless
// spool-directory says otherwise, the spool in DIR/spool.  Tests use it
// with "-o server-port=0" for a private server on a free port.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ravo::app {

inline constexpr const char *kStateDirectoryOption = "state-directory";

// Removes "-o state-directory=DIR" / "-ostate-directory=DIR" from `args`
// and returns DIR (the last one given).
std::optional<std::string> TakeStateDirectory(std::vector<char *> &args);

// Makes DIR (and its parents) and points PAPPL's state there.  False with
// a message on stderr when DIR cannot be made.
bool UseStateDirectory(const std::string &directory);

// DIR of UseStateDirectory, when one is in use.
std::optional<std::string> StateDirectory();

}  // namespace ravo::app
