// How a ship shows itself and sounds: its rotation frame scaled through the
// scratch surface and blended by the cloak, the aim line, its smoke and the
// drift of a wreck, the looping engine sound of its class, and its energy
// bars and missile ticks at the top of the screen.
#include <algorithm>

#include "game/arena/arenaview.h"
#include "game/common/misc.h"
#include "game/common/miscdraw.h"
#include "game/common/random.h"
#include "game/ship/ship.h"
#include "game/shots/shots.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

namespace {

constexpr float kFreeSmoke = 3000.0f;
constexpr int kSmokeFrames = 50;
constexpr int kFullCloak = 256;
constexpr double kWreckDrag = 0.994;

int Trunc(double v) { return FloatToInt(static_cast<float>(v)); }

// The rotation frame for the heading: frame 0 shows the nose up (heading
// 270), the frames following clockwise. A frame count the table cannot hold
// gives frame 0.
int FrameForHeading(const Ship& ship) {
    if (ship.FrameCount <= 0 || ship.FrameCount > kFramesPerSet) return 0;
    int a = FloatToInt(ship.Heading + 90.0f);
    if (a > 360) a -= 360;
    const int frame = a / (360 / ship.FrameCount);
    return frame > ship.FrameCount - 1 || frame < 0 ? 0 : frame;
}

// The frame's picture, or none when the row or the picture is missing.
VXSurface* FramePicture(const Ship& ship, int frame) {
    if (ship.ImageSelection < 0 || ship.ImageSelection >= kImageSets) return nullptr;
    return Form1->ShipFrameTable[static_cast<std::size_t>(ship.ImageSelection)][static_cast<std::size_t>(frame)].get();
}

// Stretches the frame to s x s in the scratch surface and copies that square
// to the work surface at (x, y): keyed, blended by the cloak's fade, or not at
// all under a complete normal cloak. The work surface must be unlocked.
void BlitFrame(const Ship& ship, VXSurface& picture, VXSurface& scratch, int s, int x, int y) {
    VXSurface& work = *Form1->WorkSurface;
    const auto alpha = static_cast<std::uint16_t>(std::clamp(ship.CloakLevel, 0, kFullCloak));
    StretchThroughScratch(picture, scratch, s, s, [&](const RECT& square) {
        if (ship.CloakState == kCloakNone) {
            if (ship.CloakLevel > 0)
                scratch.DrawAlphaKeyed(&work, x, y, square, alpha);
            else
                scratch.DrawKeyedRect(&work, x, y, square);
        } else if (ship.CloakLevel < kFullCloak) {
            scratch.DrawAlphaKeyed(&work, x, y, square, alpha);
        }
    });
}

// From BoundingSphere + 15 to BoundingSphere + 35 units ahead of the centre.
void DrawAimLine(const Ship& ship) {
    const auto sphere = static_cast<float>(ship.BoundingSphere);
    DrawWorldLine(ship, PointAlong(ship.X, ship.Y, ship.Heading, sphere + 15.0f),
                  PointAlong(ship.X, ship.Y, ship.Heading, sphere + 35.0f));
}

// The first free smoke slot that wins its 1-in-20 draw gets a particle near
// the ship: at most one a frame.
void EmitSmoke(Ship& ship) {
    if (ship.SmokeToEmit <= 0) return;
    for (int i = 0; i < kSmokeSlots; ++i) {
        if (ship.SmokeX[i] != kFreeSmoke || Random(20) != 5) continue;
        ship.SmokeX[i] = static_cast<float>(Random(15)) + ship.X - 7.0f;
        ship.SmokeY[i] = static_cast<float>(Random(15)) + ship.Y - 7.0f;
        ship.SmokeVX[i] = ship.VX;
        ship.SmokeVY[i] = ship.VY;
        ship.SmokeLife[i] = kSmokeFrames;
        ship.SmokeToEmit = std::max(ship.SmokeToEmit - 1, 0);
        return;
    }
}

void MoveAndDrawSmoke(Ship& ship) {
    for (int i = 0; i < kSmokeSlots; ++i) {
        // A free slot stays at -1 rather than counting down without end.
        if (ship.SmokeLife[i] >= 0) --ship.SmokeLife[i];
        if (ship.SmokeLife[i] < 0) {
            ship.SmokeX[i] = kFreeSmoke;
            continue;
        }
        const PixelValue colour = Random(2) == 0 ? Form1->UIColours.ColourWhite : Form1->UIColours.ColourYellow;
        DrawWorldPixel(ship, {ship.SmokeX[i], ship.SmokeY[i]}, colour);
        ship.SmokeX[i] += static_cast<float>(Random(3) - 1) + ship.SmokeVX[i];
        ship.SmokeY[i] += static_cast<float>(Random(3) - 1) + ship.SmokeVY[i];
        ship.SmokeVX[i] *= 0.5f;
        ship.SmokeVY[i] *= 0.5f;
    }
}

struct EngineSound {
    SoundSlotId Slot;
    int Volume;
};
// By EngineSoundKind 0..10; kind 11 ("Silent") and any other play nothing.
constexpr EngineSound kEngineSounds[] = {
    {SoundXWingEngine, 0},  {SoundYWingEngine, 0},   {SoundAWingEngine, -1000}, {SoundBWingEngine, 0},
    {SoundTieEngine, 0},    {SoundGunshipEngine, 0}, {SoundViperEngine, -1500}, {SoundRaiderEngine, -1500},
    {SoundBridgeEngine, 0}, {SoundNialEngine, 0},    {SoundMinbariEngine, 0},
};

// Status colours are raw 16-bit values laid out for a 5-6-5 display: a shade
// times these factors lands in one channel or in all three.
constexpr PixelValue kBlueChannel = 1;
constexpr PixelValue kGreenChannel = 64;
constexpr PixelValue kRedChannel = 2048;
constexpr PixelValue kGreyChannels = kBlueChannel + kGreenChannel + kRedChannel;

// The seven lines of one mount's energy bar, n = 6 down to 0; the bar is 60
// pixels long when the mount is full.
template <typename ColourOf>
void DrawMountBar(const Ship& ship, int mount, float x0, ColourOf colourOf) {
    const float x1 = x0 + 4.0f * ship.MountEnergy[mount];
    for (int n = 6; n >= 0; --n) {
        const auto y = static_cast<float>(25 + 8 * mount - n);
        SetDrawColour(colourOf(static_cast<PixelValue>(n)));
        DrawLineClipped(x0, y, x1, y);
    }
}

// The bars of `count` mounts from `first` on, within the 20 mounts whatever
// counts the class gives.
template <typename ColourOf>
void DrawMountBars(const Ship& ship, long long first, long long count, float x0, ColourOf colourOf) {
    const long long begin = std::clamp(first, 0LL, static_cast<long long>(kMounts));
    const long long end = std::clamp(first + std::max(count, 0LL), begin, static_cast<long long>(kMounts));
    for (long long m = begin; m < end; ++m) DrawMountBar(ship, static_cast<int>(m), x0, colourOf);
}

void DrawSpecialBar(const Ship& ship) {
    if (ship.SpecialList[0] == -1) return;
    const auto x1 = static_cast<float>(150 + (ship.ScreenWidth - 380) * ship.Side);
    const float x2 = x1 + 0.5f * ship.SpecialEnergy;
    for (int i = 0; i < 6; ++i) {
        SetDrawColour(static_cast<PixelValue>(2 * i + 11) * kGreyChannels);
        const auto y = static_cast<float>(13 + i);
        DrawLineClipped(x1, y, x2, y);
    }
}

// Missile ticks in rows of ten, each row 3 pixels lower and 2 further right
// than the one above; the lowest row holds the rest.
void DrawMissileTicks(const Ship& ship, float x0) {
    // Rows below the bottom of the screen show nothing: start with the first
    // row that can be seen and what the rows below it would have left.
    const int lastVisibleRow = Form1->ModeHeight / 3 + 1;
    const int firstRow = std::min(ship.Missiles / 10 + 1, lastVisibleRow);
    int remaining = std::min(ship.Missiles, 10 * (firstRow + 1));
    for (int r = firstRow; r >= 0; --r) {
        const int ticks = std::max(remaining - 10 * r, 0);
        for (int k = 0; k < ticks; ++k) {
            const float x = x0 + static_cast<float>(8 * k + 2 * r);
            const auto top = static_cast<float>(3 * r);
            SetDrawColour(Form1->UIColours.ColourRed);
            DrawLineClipped(x, top, x, top + 5.0f);
            if (ship.Technology != 6) PutPixelClipped(x, top + 5.0f, Form1->UIColours.ColourWhite);
        }
        remaining -= ticks;
    }
}

}  // namespace

void Ship::Draw() {
    VXSurface& work = *Form1->WorkSurface;
    work.Unlock();

    const int frame = FrameForHeading(*this);
    const double half = DrawScale * 0.1 * Zoom;
    const int s = Trunc(2.0 * half);
    const int left = Trunc(-half + X * 0.1 * Zoom - ViewX);
    const int top = Trunc(-half + Y * 0.1 * Zoom - ViewY);
    VXSurface* picture = FramePicture(*this, frame);
    VXSurface* scratch = Form1->ScratchSurface.get();
    if (picture && scratch) BlitFrame(*this, *picture, *scratch, s, left + 1, top);

    work.Lock();
    if (CloakState == kCloakNone && AimLine != 0) DrawAimLine(*this);
    AfterDraw();
}

void Ship::UpdateSmoke() {
    EmitSmoke(*this);
    MoveAndDrawSmoke(*this);
    if (Life < 0) {
        X += VX;
        Y += VY;
        VX = static_cast<float>(VX * kWreckDrag);
        VY = static_cast<float>(VY * kWreckDrag);
    }
}

void Ship::PlayEngineSound() {
    if (EngineSoundKind < 0 || EngineSoundKind >= static_cast<int>(std::size(kEngineSounds))) return;
    const EngineSound& sound = kEngineSounds[EngineSoundKind];
    Form1->PlaySound(sound.Slot, 1, SoundPan, sound.Volume);
}

void Ship::DrawStatus() {
    const auto x0 = static_cast<float>(70 + (ScreenWidth - 200) * Side);
    const auto shade = [](PixelValue n) { return 2 * n + 11; };

    PixelValue laserChannel = kRedChannel;
    if (Technology == 1 || Technology == 5) laserChannel = kGreenChannel;
    if (Technology == 4 || Technology == 6) laserChannel = kBlueChannel;
    const long long lasers = LaserCount, ions = IonCount, beams = BeamCount;
    DrawMountBars(*this, 0, lasers, x0, [&](PixelValue n) { return shade(n) * laserChannel; });
    DrawSpecialBar(*this);
    DrawMountBars(*this, lasers, ions, x0, shade);
    DrawMountBars(*this, lasers + ions, beams, x0,
                  [&](PixelValue n) { return Technology == 5 ? shade(n) * kGreenChannel : n + 15; });

    DrawMissileTicks(*this, x0);
}
