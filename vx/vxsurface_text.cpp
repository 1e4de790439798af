// Text on a surface through its device context.
#include "vx/vxsurface.h"

#include <cstring>

void VXSurface::SetTextFont(const char* face, int width, int height, int weight) {
    Font.reset();
    Font.reset(CreateFontA(height, width, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           NONANTIALIASED_QUALITY, VARIABLE_PITCH, face));
}

int VXSurface::DrawText(int x, int y, COLORREF colour, const char* text) {
    if (!DC || !text) return 0;
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, colour);
    return TextOutA(DC, x, y, text, static_cast<int>(std::strlen(text)));
}
