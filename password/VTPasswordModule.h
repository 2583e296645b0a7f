#pragma once
#include "platform/com/ModuleCounter.h"

// The library's count of live objects and host locks, which decides whether it may unload.
ModuleCounter &vtPasswordModule();
