// Fatal error reporting: an "Error" message box, then the quit message, so the
// frame loop ends; callers simply return and carry on until then.
#pragma once

#include "platform/display/ddraw_results.h"
#include "platform/system/window_handle.h"

class VXScreen;

// Formats the text (cut to 1023 characters), shows it in an error box owned by
// the display's window (or by none) and posts the quit message.
void ReportFatalError(VXScreen* screen, const char* format, ...) __attribute__((format(printf, 2, 3)));

// "DirectDraw Error <name>\nFILE: <file>\nLINE: <line>", then the quit message.
void ReportDirectDrawError(HRESULT code, HWND window, const char* file, int line);

// Asks whether to go on with sound turned off; No posts the quit message.
void ReportDirectSoundError(HRESULT code, HWND window);

// The name of the constant a result code has ("Unknown Error" for others).
const char* DirectDrawErrorName(HRESULT code);
const char* DirectSoundErrorName(HRESULT code);
