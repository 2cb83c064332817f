#include "tool_support.h"

#include "mdl_global.h"

namespace ravo::utility {

QIcon ToolWindowIcon() {
  return QIcon(mdlGlobal::AppPath + QStringLiteral("icons/icon.ico"));
}

}  // namespace ravo::utility
