// The texts of `ravo --help` and of each subcommand's --help.
#pragma once

#include <string>

namespace ravo::cli {

std::string GeneralHelp();
// Empty for an unknown command.
std::string CommandHelp(const std::string &command);

}  // namespace ravo::cli
