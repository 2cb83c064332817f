// A failed printer conversation as ravo reports it: the exit status of its
// class and a sentence naming the step that failed.
#pragma once

#include <string>

#include "outcome.h"
#include "service_result.h"

namespace ravo::cli {

// `what` names the conversation ("the parameter block", "the label").
Outcome ServiceFailure(const ravo::utility::ServiceResult &result, const std::string &what);

}  // namespace ravo::cli
