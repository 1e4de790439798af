#include "platform/system/system.h"

#include <SDL.h>

namespace {
int g_cursorCount = 0;
}

int ShowCursor(int show) {
    g_cursorCount += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(g_cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return g_cursorCount;
}

void Sleep(std::uint32_t milliseconds) { SDL_Delay(milliseconds); }

namespace plat {
int CursorDisplayCount() { return g_cursorCount; }
void ResetCursorDisplayCount() { g_cursorCount = 0; }
}  // namespace plat
