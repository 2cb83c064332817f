// The subcommands.  Each takes the prepared context and returns its
// outcome; nothing here prints.
#pragma once

#include "context.h"
#include "outcome.h"

namespace ravo::cli {

Outcome RunPorts(Context &context);
Outcome RunTest(Context &context);
Outcome RunInfo(Context &context);
Outcome RunParams(Context &context);
Outcome RunPrintImage(Context &context);
Outcome RunPrintText(Context &context);
Outcome RunSelfTest(Context &context);
Outcome RunLearn(Context &context);
Outcome RunFactoryReset(Context &context);
Outcome RunSend(Context &context);
Outcome RunFiles(Context &context);
Outcome RunPrinters(Context &context);

}  // namespace ravo::cli
