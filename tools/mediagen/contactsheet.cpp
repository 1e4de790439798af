// One picture for reviewing the art at a glance: frames 1 and 16 of every
// ship class, the planets, rock frames, icons, pointer, backdrop and title.
#include <algorithm>

#include "tools/mediagen/asteroids.h"
#include "tools/mediagen/bmpfile.h"
#include "tools/mediagen/catalog.h"
#include "game/data/builtinclasses.h"
#include "tools/mediagen/icons.h"
#include "tools/mediagen/pixelfont.h"
#include "tools/mediagen/planets.h"
#include "tools/mediagen/shipart.h"
#include "tools/mediagen/title.h"

namespace mediagen {

Bytes MakeContactSheet() {
    constexpr int kPad = 6, kLabel = 12;
    constexpr int kShipsPerRow = 6;
    constexpr int kWidth = kPad + kShipsPerRow * (2 * kShipFrameSize + 2 * kPad + 4);
    const int shipRows = (kShipClassCount + kShipsPerRow - 1) / kShipsPerRow;
    const int shipBlock = kShipFrameSize + kLabel + kPad;
    const int planetsTop = kPad + shipRows * shipBlock;
    const int planetRow = 150 + kLabel + kPad;
    const int miscTop = planetsTop + 2 * planetRow;
    const int bigTop = miscTop + kAsteroidFrameSize + kLabel + kPad;
    Image sheet(kWidth, bigTop + kTitleHeight + kPad);
    for (Rgb& p : sheet.pixels) p = {18, 20, 26};
    const Rgb label{200, 204, 214};

    for (int c = 0; c < kShipClassCount; ++c) {
        const int x = kPad + (c % kShipsPerRow) * (2 * kShipFrameSize + 2 * kPad + 4);
        const int y = kPad + (c / kShipsPerRow) * shipBlock;
        for (int k = 0; k < 2; ++k)
            Paste(sheet, RenderShipFrame(c, k == 0 ? 1 : 16), x + k * (kShipFrameSize + 2), y, false);
        DrawPixelText(sheet, x, y + kShipFrameSize + 3, builtin::BuiltInClassAt(c).Name, label);
    }

    int x = kPad, y = planetsTop;
    for (const PlanetSpec& p : PlanetSpecs()) {
        const Image img = RenderPlanet(p);
        if (x + img.width > kWidth - kPad) {
            x = kPad;
            y += planetRow;
        }
        Paste(sheet, img, x, y, false);
        DrawPixelText(sheet, x, y + 150 + 3, p.stem, label);
        x += std::max(img.width, PixelTextWidth(p.stem)) + kPad;
    }

    x = kPad;
    for (int f : {1, 6, 11, 16, 21, 26}) {
        Paste(sheet, RenderAsteroidFrame(f), x, miscTop, false);
        x += kAsteroidFrameSize + kPad;
    }
    DrawPixelText(sheet, kPad, miscTop + kAsteroidFrameSize + 3, "ASTEROID 1 6 11 16 21 26", label);
    for (int k = 0; k < kSubsystemCount; ++k) {
        Paste(sheet, RenderIcon(k, false), x, miscTop + k * (kIconHeight + 3), false);
        Paste(sheet, RenderIcon(k, true), x + kIconWidth + kPad, miscTop + k * (kIconHeight + 3), false);
    }
    x += 2 * (kIconWidth + kPad);
    Paste(sheet, RenderPointer(), x, miscTop, false);

    Paste(sheet, RenderDust(), kPad, bigTop, false);
    Paste(sheet, RenderTitle(), kDustWidth + 2 * kPad, bigTop, false);
    return EncodeBmp(sheet);
}

}  // namespace mediagen
