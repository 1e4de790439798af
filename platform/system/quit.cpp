#include "platform/system/quit.h"

namespace {
bool g_QuitPosted = false;
int g_ExitCode = 0;
}  // namespace

void PostQuitMessage(int exitCode) {
    g_QuitPosted = true;
    g_ExitCode = exitCode;
}

namespace plat {
bool QuitPosted() { return g_QuitPosted; }
int QuitExitCode() { return g_ExitCode; }
void ClearQuit() {
    g_QuitPosted = false;
    g_ExitCode = 0;
}
}  // namespace plat
