// The handle of the program's one top-level window, and the small Windows
// types that travel with window messages.
#pragma once

#include "platform/win32types.h"
#include "platform/window_handle.h"
