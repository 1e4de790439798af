// Two living ships of class 0 facing each other in the middle of the arena,
// for tests of the play frame, the round end and the in-game display. The
// round is a quick game with a lowest zoom of 4. Sound is off until a test
// watches it.
#pragma once

#include <functional>
#include <vector>

#include "game/common/miscdraw.h"
#include "game/arena/play.h"
#include "game/arena/rounds.h"
#include "game/common/strokefont.h"
#include "tests/game/shot_fixture.h"

class PlayFixture : public ShotFixture {
protected:
    void SetUp() override {
        ShotFixture::SetUp();
        blue = MakeShip(0, 0);
        green = MakeShip(1, 0);
        Place(blue, 900, 1000);
        Place(green, 1100, 1000);
        game->MinZoom = 4;
        game->GameMode = ScreenQuickGame;
    }

    // A living, resting ship at a point.
    static void Place(Ship* ship, float x, float y, float life = 100) {
        ship->X = x;
        ship->Y = y;
        ship->VX = 0;
        ship->VY = 0;
        ship->Life = life;
    }

    // One line of text as DrawStrokeText draws it.
    struct TextLine {
        const char* Text;
        float X, Y, Size;
        PixelValue Colour;
    };

    // The work surface as it looks with only these texts (and whatever
    // `more` draws into the locked surface) drawn on black.
    std::vector<PixelValue> Expected(const std::vector<TextLine>& lines, const std::function<void()>& more = {}) {
        Clear();
        LockWork();
        for (const TextLine& line : lines) {
            SetDrawColour(line.Colour);
            DrawStrokeText(line.Text, line.X, line.Y, line.Size);
        }
        if (more) more();
        UnlockWork();
        std::vector<PixelValue> out = Pixels();
        Clear();
        return out;
    }

    static int CountLit(const std::vector<PixelValue>& pixels) {
        int n = 0;
        for (PixelValue p : pixels) n += p != 0;
        return n;
    }

    Ship* blue = nullptr;
    Ship* green = nullptr;
};
