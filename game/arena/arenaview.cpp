#include "game/arena/arenaview.h"

#include <algorithm>
#include <limits>

#include "game/common/misc.h"

namespace {

// The fraction cut / side of a frame side; a square squeezed to no width or
// height takes nothing from the picture.
float FrameCut(int cut, int side, int frameSize) {
    return SafeDivide(static_cast<float>(cut), static_cast<float>(side)) * static_cast<float>(frameSize);
}

// a - b, or its limit when it leaves the int range (a body far off screen).
int ClampedDifference(int a, int b) {
    const long long d = static_cast<long long>(a) - b;
    return static_cast<int>(std::clamp<long long>(d, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

bool BodyScreenBox::OffScreen(int width, int height) const {
    return Right < 0 || Bottom < 0 || Left > width || Top > height;
}

RECT BodyScreenBox::SourceRect(int frameSize) const {
    const int sw = ClampedDifference(Right, Left);
    const int sh = ClampedDifference(Bottom, Top);
    RECT r;
    // The far edges are truncated after the cut is taken off the frame side.
    const auto f = static_cast<float>(frameSize);
    r.top = FloatToInt(FrameCut(CutTop, sh, frameSize));
    r.left = FloatToInt(FrameCut(CutLeft, sw, frameSize));
    r.bottom = FloatToInt(f - FrameCut(CutBottom, sh, frameSize));
    r.right = FloatToInt(f - FrameCut(CutRight, sw, frameSize));
    return r;
}

BodyScreenBox PlaceBody(const GameState& game, float x, float y, float radius, int width, int height) {
    const float s = game.Zoom * 0.1f;
    const float cx = x * s - game.CameraX;
    const float cy = y * s - game.CameraY;
    const float h = game.Zoom * radius * 0.1f;
    BodyScreenBox b;
    b.Left = FloatToInt(cx - h);
    b.Top = FloatToInt(cy - h);
    b.Right = FloatToInt(cx + h);
    b.Bottom = FloatToInt(cy + h);
    b.CutLeft = std::max(0, ClampedDifference(0, b.Left));
    b.CutRight = std::max(0, ClampedDifference(b.Right, width));
    b.CutTop = std::max(0, ClampedDifference(0, b.Top));
    b.CutBottom = std::max(0, ClampedDifference(b.Bottom, height));
    return b;
}
