// ravo: command-line service tool for the printers of the utility.
#include <unistd.h>

#include <QCoreApplication>
#include <iostream>

#include "run.h"

int main(int argc, char **argv) {
  // The utility core reads its program directory through Qt.
  QCoreApplication app(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::ostream *progress = isatty(STDERR_FILENO) ? &std::cerr : nullptr;
  return ravo::cli::Run(args, std::cout, std::cerr, progress);
}
