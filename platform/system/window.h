// The handle of the program's one top-level window, and the small Windows
// types that travel with window messages.
#pragma once

#include "platform/system/win32types.h"
#include "platform/system/window_handle.h"
