#include "platform/ui/ProgramExit.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

std::function<void(int)> &programExitHandler()
{
    static std::function<void(int)> handler;
    return handler;
}

} // namespace

void endProgram(int code)
{
    if (const auto &handler = programExitHandler()) {
        handler(code);
        return;
    }
    // Nothing is half-written at this point: every file operation of the program completes
    // inside the handler that started it. Flush what was printed, then leave without running
    // window or object clean-up, which could otherwise call back into the program.
    std::fflush(nullptr);
    std::_Exit(code);
}

void setProgramExitHandler(std::function<void(int)> handler)
{
    programExitHandler() = std::move(handler);
}

} // namespace platform
