// ravo's whole run without the process around it: parses the arguments,
// dispatches to the subcommand and prints its outcome.  The main function
// and the tests call it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ravo::cli {

// argv without the program name.  progress: where a progress bar may be
// drawn (null: never).  Returns the exit status.
int Run(const std::vector<std::string> &argv, std::ostream &out, std::ostream &err,
        std::ostream *progress);

}  // namespace ravo::cli
