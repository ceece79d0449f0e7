#pragma once

#include <string_view>

namespace metrivo {

// Writes one line of the program's own to standard error and flushes it.
// Through C's stream rather than std::cerr, whose set-up would run at every
// start of the window for messages that are rarely written.
void ErrorLine(std::string_view line);

}  // namespace metrivo
