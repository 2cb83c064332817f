// Exit status of ravo, one per class of failure so that scripts can tell
// them apart.  Listed in `ravo --help`.
#pragma once

namespace ravo::cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitInternal = 1,    // a fault of ravo itself
  kExitUsage = 2,       // bad command line
  kExitPort = 3,        // port string, open, enumeration or write failed
  kExitAnswer = 4,      // the printer did not answer, or answered short
  kExitValidation = 5,  // checksum or marker wrong, value refused
  kExitFile = 6,        // a local file could not be read or written
};

}  // namespace ravo::cli
