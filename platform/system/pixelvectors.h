// Whether the pixel loops are built with their SSE2 code.
//
// Every x86-64 compiler offers SSE2, and the loops of the display surfaces,
// the picture loaders and the software blit modes then move 16 bytes at a
// time. A build with VANTORRA_SCALAR_PIXELS defined (CMake's option of that
// name) leaves that code out, as a machine without SSE2 would: every loop
// then runs its plain per-pixel code, which otherwise only finishes the
// pixels the vector code leaves. CI builds the pixel tests that way as well,
// so that the plain loops are built and run whole.
#pragma once

#if defined(__SSE2__) && !defined(VANTORRA_SCALAR_PIXELS)
#define VANTORRA_SSE2_PIXELS 1
#else
#define VANTORRA_SSE2_PIXELS 0
#endif
