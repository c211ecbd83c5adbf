// Where the help page that ships with the program lies.
#pragma once

#include <string>

namespace app {

/// The help page: <executable's folder>/../share/sitequill/help/index.html when installed,
/// else the copy in the source tree.
std::string HelpPagePath();

}  // namespace app
