// The two memories of a TSPL printer that hold downloaded files.
#pragma once

namespace ravo::utility {

enum class Storage { Flash, Dram };

}  // namespace ravo::utility
