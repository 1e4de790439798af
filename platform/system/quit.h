// The quit message of the message loop: PostQuitMessage raises a flag that
// the loop reads.
#pragma once

void PostQuitMessage(int exitCode);

namespace plat {

bool QuitPosted();
int QuitExitCode();
// Takes the quit message away again (the loop after it has seen it, tests).
void ClearQuit();

}  // namespace plat
