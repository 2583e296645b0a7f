#pragma once
#include "platform/ui/PlatformUiExport.h"
#include <functional>

namespace platform {

// Ends the program at once with `code`: every window disappears and no further handler,
// close event or destructor of the program runs. Call it as the last step of a handler.
// Under a test handler the call is only recorded and returns.
PLATFORMUI_EXPORT void endProgram(int code = 0);

// A non-empty handler receives the exit code instead of ending; empty ends for real again.
PLATFORMUI_EXPORT void setProgramExitHandler(std::function<void(int)> handler);

} // namespace platform
