#include "game/menus/selections.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "game/menus/menu.h"
#include "game/menus/pilotscreen.h"
#include "game/data/player.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

namespace {

constexpr int kPointStep = 50;
constexpr int kLowestLimit = 50;
constexpr int kHighestLimit = 2000;
constexpr int kWarningFrames = 300;

enum Band { BandLimitUp, BandLimitDown, BandClearAll, BandBack };
constexpr MouseBand kSelectionBands[] = {{130, 150}, {130, 150, true}, {160, 180}, {190, 210}};
constexpr int kSelectionLatchKeys[] = {kKeyPageUp, kKeyPageDown};

bool ValidClass(int cls) { return cls >= 0 && cls < kClassCount; }

// The step of a fleet cursor that looks at the other 29 slots in turn.
int FindFilledSlot(const Player& pilot, int cursor, int step) {
    const int start = ((cursor % kFleetSlots) + kFleetSlots) % kFleetSlots;
    for (int k = 1; k < kFleetSlots; ++k) {
        const int slot = (start + step * k + kFleetSlots) % kFleetSlots;
        if (FleetSlotFilled(pilot, slot)) return slot;
    }
    return -1;
}

// Fleet values follow unchecked class data; the sum saturates instead of
// overflowing.
std::int32_t AddValue(std::int32_t value, std::int64_t change) {
    const std::int64_t sum = value + change;
    if (sum > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (sum < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(sum);
}

// One side of the screen: its pilot, cursors, latch, keys and columns.
struct Side {
    Player* Pilot;  // null when the side's pilot index is damaged
    std::int32_t& ClassCursor;
    std::int32_t& InFleet;
    std::int32_t& FleetCursor;
    std::uint8_t& Latch;
    int KeyBuySell, KeyPrevious, KeyNext, KeyToClasses, KeyToFleet;
    float ClassX, FleetX, ValueX;
    const char* KeyHint;
    PixelValue Colour;

    std::int32_t FleetValue() const { return Pilot ? Pilot->FleetValue : 0; }
};

Side BlueSide(GameState& game) {
    const float x = MenuBlueX(game);
    return {SidePilot(game, 0),
            game.BlueClassCursor,
            game.BlueInFleet,
            game.BlueFleetCursor,
            game.BlueLatch,
            kKeySpace,
            'W',
            'S',
            'A',
            'D',
            x - 90,
            x + 130,
            x - 50,
            "keys: a,s,w,d,space",
            Form1->UIColours.ColourBlue};
}

Side GreenSide(GameState& game) {
    const float x = MenuGreenX(game);
    return {SidePilot(game, 1),
            game.GreenClassCursor,
            game.GreenInFleet,
            game.GreenFleetCursor,
            game.GreenLatch,
            kKeyEnter,
            kKeyUp,
            kKeyDown,
            kKeyRight,
            kKeyLeft,
            x + 60,
            x - 140,
            x + 50,
            "keys: arrows,enter ",
            Form1->UIColours.ColourGreen};
}

// Puts the fleet cursor on a ship, the one under it or the next one; an
// empty fleet leaves the cursor in the class list.
void EnterFleet(Side& side) {
    if (!side.Pilot) return;
    if (FleetSlotFilled(*side.Pilot, side.FleetCursor)) {
        side.InFleet = 1;
        return;
    }
    const int next = NextFilledSlot(*side.Pilot, side.FleetCursor);
    if (next >= 0) {
        side.FleetCursor = next;
        side.InFleet = 1;
    }
}

// Cursors that a damaged state leaves out of range go back to the start, and
// a fleet cursor never rests on an empty slot.
void KeepCursorsInRange(Side& side) {
    if (!ValidClass(side.ClassCursor)) side.ClassCursor = 0;
    if (side.FleetCursor < 0 || side.FleetCursor >= kFleetSlots) side.FleetCursor = 0;
    if (side.InFleet != 0) {
        side.InFleet = 0;
        EnterFleet(side);
    }
}

void RemoveShip(const GameState& game, Side& side) {
    Player& pilot = *side.Pilot;
    std::int32_t& slot = pilot.Fleet[side.FleetCursor];
    pilot.FleetValue = AddValue(pilot.FleetValue, -std::int64_t{game.ShipValue[slot]});
    slot = kEmptyFleetSlot;
    const int next = NextFilledSlot(pilot, side.FleetCursor);
    if (next >= 0)
        side.FleetCursor = next;
    else
        side.InFleet = 0;
}

void AddShip(const GameState& game, Side& side) {
    Player& pilot = *side.Pilot;
    if (game.ClassAvailable[side.ClassCursor] != 1) return;
    for (std::int32_t& slot : pilot.Fleet) {
        if (!ValidClass(slot)) {
            slot = side.ClassCursor;
            pilot.FleetValue = AddValue(pilot.FleetValue, game.ShipValue[side.ClassCursor]);
            return;
        }
    }
}

// A key of the side's latch: fires when down and the latch is clear, and
// sets the latch whether or not the action then changes anything.
bool SidePress(Side& side, int key) { return LatchedPress(side.Latch, key); }

void SideActions(const GameState& game, Side& side) {
    if (side.Pilot) {
        if (side.InFleet == 1 && SidePress(side, side.KeyBuySell)) RemoveShip(game, side);
        if (side.InFleet == 0 && SidePress(side, side.KeyBuySell)) AddShip(game, side);
        if (side.InFleet == 1) {
            if (SidePress(side, side.KeyPrevious)) {
                const int slot = PreviousFilledSlot(*side.Pilot, side.FleetCursor);
                if (slot >= 0) side.FleetCursor = slot;
            }
            if (SidePress(side, side.KeyNext)) {
                const int slot = NextFilledSlot(*side.Pilot, side.FleetCursor);
                if (slot >= 0) side.FleetCursor = slot;
            }
        }
        if (side.InFleet == 1 && SidePress(side, side.KeyToClasses)) side.InFleet = 0;
        if (side.InFleet == 0 && SidePress(side, side.KeyToFleet)) EnterFleet(side);
    }
    if (side.InFleet == 0) {
        if (SidePress(side, side.KeyPrevious))
            side.ClassCursor = side.ClassCursor == 0 ? kClassCount - 1 : side.ClassCursor - 1;
        if (SidePress(side, side.KeyNext))
            side.ClassCursor = side.ClassCursor == kClassCount - 1 ? 0 : side.ClassCursor + 1;
    }
    const int keys[] = {side.KeyBuySell, side.KeyPrevious, side.KeyNext, side.KeyToClasses, side.KeyToFleet};
    if (!AnyKeyDown(keys)) side.Latch = 0;
}

void ClearFleets(Side& blue, Side& green) {
    for (Side* side : {&blue, &green}) {
        if (side->Pilot) {
            for (std::int32_t& slot : side->Pilot->Fleet) slot = kEmptyFleetSlot;
            side->Pilot->FleetValue = 0;
        }
        side->InFleet = 0;
        side->ClassCursor = 0;
    }
}

void DrawClassList(const GameState& game, const Side& side, float rowOrigin) {
    char line[64];
    for (int i = 0; i < kClassCount; ++i) {
        std::snprintf(line, sizeof line, "%-17s %3d", ClassNameText(game, i).c_str(), game.ShipValue[i]);
        const bool current = i == side.ClassCursor && side.InFleet == 0;
        DrawMenuText(line, side.ClassX, rowOrigin + static_cast<float>(11 * i), 5,
                     current ? Form1->UIColours.ColourWhite : side.Colour);
    }
}

void DrawFleet(const GameState& game, const Side& side) {
    DrawFleetNames(game, side.Pilot, side.FleetX, 240, side.InFleet == 1 ? side.FleetCursor : -1, side.Colour);
}

void DrawFleetValue(const Side& side, float rowOrigin) {
    char line[64];
    std::snprintf(line, sizeof line, "Fleet value : %4d", side.FleetValue());
    DrawMenuText(line, side.ValueX, rowOrigin + 484, 6, Form1->UIColours.ColourRed);
}

void DrawSelections(const GameState& game, const Side& blue, const Side& green) {
    const UIColourSet& c = Form1->UIColours;
    const float x = MenuCentreX(game);
    char line[64];
    DrawEscHint("Press esc for main menu", 105);
    DrawMenuTitle(game, "Ship selections");
    std::snprintf(line, sizeof line, "Point limit      +        -  : %4d", game.PointLimit);
    DrawLabel(line, "             PGUP   PGDOWN         ", x, 150, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel("Clear all   ", "          F5", x, 180, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel(" ack", "B   ", x, 210, 8, c.ColourBlue, c.ColourLightBlue);

    const float rowOrigin = game.ScreenHeight <= 601 ? 80.0f : 240.0f;
    DrawClassList(game, blue, rowOrigin);
    DrawClassList(game, green, rowOrigin);
    DrawFleet(game, blue);
    DrawFleet(game, green);
    DrawFleetValue(blue, rowOrigin);
    DrawFleetValue(green, rowOrigin);
    DrawMenuText(blue.KeyHint, blue.ValueX, rowOrigin + 504, 6, c.ColourRed);
    DrawMenuText(green.KeyHint, green.ValueX, rowOrigin + 504, 6, c.ColourRed);
}

}  // namespace

void DrawFleetNames(const GameState& game, const Player* pilot, float x, float top, int highlight, PixelValue colour) {
    if (!pilot) return;
    int row = 0;
    for (int slot = 0; slot < kFleetSlots; ++slot) {
        if (!FleetSlotFilled(*pilot, slot)) continue;
        DrawMenuText(ClassNameText(game, pilot->Fleet[slot]).c_str(), x, top + static_cast<float>(11 * row), 6,
                     slot == highlight ? Form1->UIColours.ColourWhite : colour);
        ++row;
    }
}

int FilledSlotCount(const Player* pilot) {
    if (!pilot) return 0;
    int n = 0;
    for (int slot = 0; slot < kFleetSlots; ++slot) n += FleetSlotFilled(*pilot, slot) ? 1 : 0;
    return n;
}

bool FleetSlotFilled(const Player& pilot, int slot) {
    return slot >= 0 && slot < kFleetSlots && ValidClass(pilot.Fleet[slot]);
}

int NextFilledSlot(const Player& pilot, int cursor) { return FindFilledSlot(pilot, cursor, 1); }
int PreviousFilledSlot(const Player& pilot, int cursor) { return FindFilledSlot(pilot, cursor, -1); }

int ShipSelectionScreen(GameState* gamePtr) {
    GameState& game = *gamePtr;
    const int band = TestMouseBands(game, kSelectionBands);
    UpdateMouseLatch(game);
    DrawMenuBackground(game);

    Side blue = BlueSide(game);
    Side green = GreenSide(game);
    KeepCursorsInRange(blue);
    KeepCursorsInRange(green);
    DrawSelections(game, blue, green);

    SideActions(game, blue);
    SideActions(game, green);
    if (MenuItemFires(game, band, BandLimitUp, kKeyPageUp))
        game.PointLimit = game.PointLimit > kHighestLimit - kPointStep ? kHighestLimit : game.PointLimit + kPointStep;
    if (MenuItemFires(game, band, BandLimitDown, kKeyPageDown))
        game.PointLimit = game.PointLimit < kLowestLimit + kPointStep ? kLowestLimit : game.PointLimit - kPointStep;
    if (MenuItemFires(game, band, BandClearAll, kKeyF5)) ClearFleets(blue, green);
    if (!AnyKeyDown(kSelectionLatchKeys)) game.MenuLatch = 0;

    int result = ScreenShipSelections;
    const bool leaveKey = KeyDown(kKeyEscape) || KeyDown('B');
    const bool withinLimit = blue.FleetValue() <= game.PointLimit && green.FleetValue() <= game.PointLimit;
    if ((leaveKey || band == BandBack) && withinLimit && game.MenuLatch == 0) {
        game.MenuLatch = 1;
        result = ScreenBattleMenu;
    } else if (leaveKey && game.MenuLatch == 0) {
        game.FleetWarningTimer = kWarningFrames;
        game.MenuLatch = 1;
    }

    if (game.FleetWarningTimer > 0) {
        --game.FleetWarningTimer;
        DrawMenuText("fleet values too high", MenuCentreX(game), static_cast<float>(game.ScreenHeight / 2), 10,
                     Form1->UIColours.ColourRed);
    }
    Form1->WorkSurface->Unlock();
    return result;
}
