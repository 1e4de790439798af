// Korvanth's start-up, frame loop and shutdown, driven through the platform
// with scripted input, a stepped clock and a recording display.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <stdexcept>

#include "platform/input/scriptinput.h"
#include "platform/system/system.h"
#include "vx/vxinput.h"
#include "vx/vxscreen.h"
#include "vx/vxsoundbuffer.h"
#include "tests/game/window_script.h"

namespace {

using wintest::GameRunTest;
using wintest::OpenWatch;

// What the scripted screens saw; reset by each test.
struct Seen {
    int frames = 0;
    int modeWidth = 0, modeHeight = 0;
    int mouseMaxX = 0, mouseMaxY = 0;
    std::vector<std::int64_t> frameStartsUs;
    int escapeDown = -1;
    int afterSync = 0;
    int quitAt = 4;
    std::weak_ptr<IDirectDraw4> directDraw;
    std::weak_ptr<IDirectDrawSurface4> workSurface, planet, frame;
    int playSoundResult = -1;
    std::size_t listedModes = 0;
    std::vector<int> mouse;
    int cursorCount = 0;
    std::vector<int> planetWidths, planetKeys;
    std::uint16_t lightBlue = 0;
    std::vector<std::size_t> slotVoices;
    LONG playedVolume = 0, playedPan = 0, musicVolume = 0;
    DWORD playedStatus = 0, statusAfterStop = 0;
    int playResult = 0;
};
Seen g;
std::int64_t (*g_now)() = nullptr;

// Dialog keys: focus starts on "Start Fullscreen"; Tab goes to the list, then
// "Quit", then the check box.
void ChooseFirstModeAndStart() {
    plat::PushKeyPress("Tab");
    plat::PushKeyPress("Down");
    plat::PushKeyPress("Tab", true);
    plat::PushKeyPress("Return");
}

class StartUp : public GameRunTest {
protected:
    void SetUp() override {
        GameRunTest::SetUp();
        g = Seen{};
        self_ = this;
        g_now = [] { return self_->NowUs(); };
    }
    static inline StartUp* self_ = nullptr;
};

int MenuRecording(GameState* game) {
    ++g.frames;
    g.frameStartsUs.push_back(g_now());
    g.modeWidth = Form1->ModeWidth;
    g.modeHeight = Form1->ModeHeight;
    g.mouseMaxX = Form1->Input->MouseMaxX;
    g.mouseMaxY = Form1->Input->MouseMaxY;
    g.directDraw = Form1->Display->DirectDraw;
    g.workSurface = Form1->WorkSurface->DirectDrawSurface;
    g.planet = Form1->PlanetPictures[0]->DirectDrawSurface;
    g.listedModes = Form2->List.Items.size();
    g.cursorCount = plat::CursorDisplayCount();
    if (g.frames == 2) plat::PushKey("Escape", true);
    if (g.frames == 3) g.escapeDown = Form1->KeyState[27];
    if (game->ScreenWidth != Form1->ModeWidth) ADD_FAILURE() << "InitGame did not get the mode size";
    return g.frames >= g.quitAt ? ScreenQuit : ScreenMainMenu;
}

TEST_F(StartUp, DialogChoosesAModeAndTheLoopRunsFramesAt13MsUntilQuit) {
    wintest::WriteStartUpMedia();
    plat::SetEnumeratedModes({{1024, 768, 16}, {800, 600, 16}});
    ScreenHandlers[ScreenMainMenu] = MenuRecording;
    // "Start Fullscreen" with nothing selected first.
    plat::PushKeyPress("Return");
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);

    EXPECT_EQ(GameBoxes(), (std::vector<std::string>{"Select a video mode."}));
    EXPECT_EQ(Presenter->ModeWidth, 1024);
    EXPECT_EQ(Presenter->ModeHeight, 768);
    EXPECT_EQ(g.frames, 4);
    EXPECT_EQ(g.modeWidth, 1024);
    EXPECT_EQ(g.listedModes, 2u);
    // The mouse stays inside the mode, not inside the 16 x 17 window.
    EXPECT_EQ(g.mouseMaxX, 1023);
    EXPECT_EQ(g.mouseMaxY, 767);
    EXPECT_EQ(g.escapeDown, 1);
    EXPECT_LT(g.cursorCount, 0);  // the system cursor is hidden while the game runs
    // Each frame starts 13 ms after the one before (the clock steps 0.1 ms a
    // reading, so a frame may run a reading or two over).
    ASSERT_EQ(g.frameStartsUs.size(), 4u);
    for (std::size_t i = 1; i < g.frameStartsUs.size(); ++i) {
        const std::int64_t gap = g.frameStartsUs[i] - g.frameStartsUs[i - 1];
        EXPECT_GE(gap, 13000) << i;
        EXPECT_LT(gap, 14500) << i;
    }
    // The cleared display, the loading bar (20 % and 100 %) and the four
    // frames reached the display.
    EXPECT_EQ(Presenter->Frames.size(), 1u + 2u + 4u);
    // Everything was released once the loop ended.
    EXPECT_TRUE(g.directDraw.expired());
    EXPECT_TRUE(g.workSurface.expired());
    EXPECT_TRUE(g.planet.expired());
    EXPECT_EQ(Form1, nullptr);
}

int MenuLosingTheWorkSurface(GameState*) {
    ++g.frames;
    if (g.frames == 2) Form1->WorkSurface->DirectDrawSurface->SetLost(true);
    return g.frames >= 3 ? ScreenQuit : ScreenMainMenu;
}

// The back buffer is cleared only when the copy of the work surface will not
// cover it; a frame whose copy fails must still show black, as it did when
// every frame cleared the back buffer first.
TEST_F(StartUp, AFrameWhoseWorkSurfaceIsLostShowsBlack) {
    wintest::WriteStartUpMedia();
    plat::SetEnumeratedModes({{800, 600, 16}});
    ScreenHandlers[ScreenMainMenu] = MenuLosingTheWorkSurface;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    // The cleared display, the two loading bars, then the three frames.
    ASSERT_EQ(Presenter->Frames.size(), 6u);
    auto lit = [](const plat::PresentedFrame& f) {
        return std::count_if(f.pixels.begin(), f.pixels.end(), [](std::uint16_t p) { return p != 0; });
    };
    EXPECT_GT(lit(Presenter->Frames[2]), 0);  // the loading bar
    EXPECT_GT(lit(Presenter->Frames[3]), 0);  // the pointer
    EXPECT_EQ(lit(Presenter->Frames[4]), 0);
    EXPECT_GT(lit(Presenter->Frames[5]), 0);
}

TEST_F(StartUp, QuitInTheDialogLoadsNothingAndSetsNoMode) {
    wintest::WriteStartUpMedia();
    OpenWatch watch;
    watch.WatchTree("img");
    watch.WatchTree("snd");
    ScreenHandlers[ScreenMainMenu] = MenuRecording;
    plat::PushKeyPress("Tab");
    plat::PushKeyPress("Tab");  // "Quit"
    plat::PushKeyPress("Space");
    EXPECT_EQ(WinMain(), 0);
    EXPECT_TRUE(watch.Opened().empty());
    EXPECT_EQ(Presenter->ModeWidth, 0);
    EXPECT_TRUE(Presenter->Frames.empty());
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(g.frames, 0);
}

// A tap (down and up before the next frame) and a held key, frame by frame.
std::vector<std::pair<int, int>> g_keys;
int MenuPressingKeys(GameState*) {
    ++g.frames;
    g_keys.emplace_back(Form1->KeyState[27], Form1->KeyState['A']);
    if (g.frames == 2) plat::PushKeyPress("Escape");
    if (g.frames == 3) plat::PushKey("A", true);
    if (g.frames == 5) plat::PushKey("A", false);
    return g.frames >= 6 ? ScreenQuit : ScreenMainMenu;
}

TEST_F(StartUp, AKeyTappedBetweenTwoFramesIsSeenByTheNextFrame) {
    wintest::WriteStartUpMedia();
    plat::SetEnumeratedModes({{800, 600, 16}});
    ScreenHandlers[ScreenMainMenu] = MenuPressingKeys;
    g_keys.clear();
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    // Frames 1 to 6: Escape tapped after frame 2; A held from frame 4 to 5.
    EXPECT_EQ(g_keys, (std::vector<std::pair<int, int>>{{0, 0}, {0, 0}, {1, 0}, {0, 1}, {0, 1}, {0, 0}}));
}

int MenuWithSoundOff(GameState*) {
    ++g.frames;
    g.playSoundResult = Form1->PlaySound(7, 0, 0, 0);
    Form1->StopSound(0);
    Form1->SetSoundVolume(0, -500);
    return ScreenQuit;
}

TEST_F(StartUp, SoundOffOpensNoWaveFileAndTheWrappersDoNothing) {
    wintest::WriteStartUpMedia();
    OpenWatch watch;
    watch.WatchTree("snd");
    watch.WatchTree("img");
    ScreenHandlers[ScreenMainMenu] = MenuWithSoundOff;
    plat::PushKeyPress("Tab");
    plat::PushKeyPress("Tab");
    plat::PushKeyPress("Tab");    // the check box
    plat::PushKeyPress("Space");  // sound off
    plat::PushKeyPress("Tab", true);
    plat::PushKeyPress("Tab", true);  // the list
    plat::PushKeyPress("Down");
    plat::PushKeyPress("Tab", true);
    plat::PushKeyPress("Return");
    EXPECT_EQ(WinMain(), 0);
    const auto opened = watch.Opened();
    EXPECT_FALSE(OpenWatch::AnyUnder(opened, "snd")) << *opened.begin();
    EXPECT_TRUE(opened.count("img/planets/moon.bmp"));
    EXPECT_EQ(g.frames, 1);
    EXPECT_EQ(g.playSoundResult, 0);
}

TEST_F(StartUp, AMissingPlanetPictureIsReportedOnceAndEndsBeforeTheFirstFrame) {
    wintest::WriteStartUpMedia({"img\\planets\\io.bmp"});
    OpenWatch watch;
    watch.WatchTree("img");
    ScreenHandlers[ScreenMainMenu] = MenuRecording;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(GameBoxes(), (std::vector<std::string>{"Io->Create FAILED!!"}));
    EXPECT_EQ(g.frames, 0);
    // The pictures after it were still loaded.
    const auto opened = watch.Opened();
    EXPECT_TRUE(opened.count("img/planets/moon.bmp"));
    EXPECT_TRUE(opened.count("img/pointer.bmp"));
}

TEST_F(StartUp, ClosingTheWindowDuringTheDialogStartsAt800x600AndEndsAtOnce) {
    wintest::WriteStartUpMedia();
    ScreenHandlers[ScreenMainMenu] = MenuRecording;
    plat::PushWindowClose();
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(Presenter->ModeWidth, 800);
    EXPECT_EQ(Presenter->ModeHeight, 600);
    EXPECT_EQ(g.frames, 0);
}

int MenuThatReactivates(GameState*) {
    ++g.frames;
    if (g.frames == 1) {
        // The window regains the focus while the game runs.
        plat::PushFocusGained();
        Form1->Activate();
    }
    if (g.frames == 3) return ScreenQuit;
    return ScreenMainMenu;
}

TEST_F(StartUp, ASecondActivationStartsNothingAgain) {
    wintest::WriteStartUpMedia();
    plat::SetEnumeratedModes({{1024, 768, 16}, {800, 600, 16}});
    ScreenHandlers[ScreenMainMenu] = MenuThatReactivates;
    // The dialog is activated again too, before a mode is chosen.
    plat::PushFocusGained();
    plat::PushFocusGained();
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(g.frames, 3);
    EXPECT_TRUE(GameBoxes().empty());
    // The cleared display, the loading bar's two frames and the three game
    // frames: no second start-up, dialog or loop.
    EXPECT_EQ(Presenter->Frames.size(), 1u + 2u + 3u);
}

int ReturnsToAnEmptyScreen(GameState*) {
    ++g.frames;
    switch (g.frames) {
        case 1: return ScreenShipSelections;
        case 2: return ScreenPlay;
        case 3: return 42;  // no such screen
        default: return ScreenQuit;
    }
}

bool PointerShown(const plat::PresentedFrame& frame) {
    // The pointer's top centre marks the mouse at (500, 350).
    return frame.At(490, 360) == 0x07E0;  // pure green in 5-6-5
}

TEST_F(StartUp, AnEmptyOrUnknownScreenLeadsBackToTheMainMenuAndThePointerShowsOffPlay) {
    wintest::WriteStartUpMedia();
    plat::SetEnumeratedModes({{1024, 768, 16}});
    ScreenHandlers[ScreenMainMenu] = ReturnsToAnEmptyScreen;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    // Frame 1: menu -> 5 (nothing there), frame 2: empty 5 -> back to the
    // menu, frame 3: menu -> 0 (play, no handler), frame 4: back to the menu,
    // frame 5: menu -> 42, frame 6: no such screen -> back to the menu,
    // frame 7: menu -> quit.
    EXPECT_EQ(g.frames, 4);
    const auto& frames = Presenter->Frames;
    ASSERT_EQ(frames.size(), 1u + 2u + 7u);
    EXPECT_TRUE(PointerShown(frames[3]));   // returned 5
    EXPECT_FALSE(PointerShown(frames[5]));  // returned 0: play draws no pointer
    EXPECT_TRUE(PointerShown(frames[9]));   // drawn on the frame that quits
}

int MenuRecordingTheMouse(GameState* game) {
    ++g.frames;
    g.mouse.push_back(game->MouseLeft);
    return g.frames == 5 ? ScreenQuit : ScreenMainMenu;
}

TEST_F(StartUp, AButtonHeldForOneFrameReadsAsDownOnTwo) {
    wintest::WriteStartUpMedia();
    wintest::UseScriptedMouse({false, true, false, false, false});
    ScreenHandlers[ScreenMainMenu] = MenuRecordingTheMouse;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(g.mouse, (std::vector<int>{0, 1, 1, 0, 0}));
}

int MenuThatLoadsAMissingFrame(GameState*) {
    ++g.frames;
    Form1->FramesWanted[0] = 1;
    Form1->SyncShipFrames();
    ++g.afterSync;  // never reached: the frame is abandoned
    return ScreenMainMenu;
}

TEST_F(StartUp, AFrameFileThatFailsToLoadEndsTheGameSafely) {
    wintest::WriteStartUpMedia();
    ScreenHandlers[ScreenMainMenu] = MenuThatLoadsAMissingFrame;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(g.frames, 1);
    EXPECT_EQ(g.afterSync, 0);
    // The abandoned frame is never presented.
    EXPECT_EQ(Presenter->Frames.size(), 1u + 2u);
}

int MenuClosedAtFrameTwo(GameState* game) {
    MenuRecording(game);
    if (g.frames == 2) plat::PushWindowClose();
    return ScreenMainMenu;
}

TEST_F(StartUp, ClosingTheWindowWhileTheGameRunsEndsTheLoopAndReleasesEverything) {
    wintest::WriteStartUpMedia();
    ScreenHandlers[ScreenMainMenu] = MenuClosedAtFrameTwo;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(g.frames, 2);
    EXPECT_TRUE(g.directDraw.expired());
    EXPECT_TRUE(g.workSurface.expired());
    EXPECT_TRUE(g.planet.expired());
}

int MenuThatThrows(GameState* game) {
    MenuRecording(game);
    if (g.frames == 2) throw std::runtime_error("a fault in a screen");
    return ScreenMainMenu;
}

TEST_F(StartUp, AnExceptionInAFrameReleasesEverythingAndEndsWithoutABox) {
    wintest::WriteStartUpMedia();
    ScreenHandlers[ScreenMainMenu] = MenuThatThrows;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(g.frames, 2);
    EXPECT_TRUE(GameBoxes().empty());
    EXPECT_TRUE(g.directDraw.expired());
    EXPECT_TRUE(g.workSurface.expired());
}

// The picture stems in the order of PlanetPictures.
const char* const kPlanetStems[] = {"earth1",  "jupiter", "io",       "calisteo", "mars",    "titan",  "titania",
                                    "tethys",  "venus",   "ganymede", "neptune",  "uranus",  "ariel",  "encelad",
                                    "iapetus", "umbriel", "rhea",     "mimas",    "miranda", "europa", "moon"};

int MenuRecordingThePlanets(GameState*) {
    ++g.frames;
    for (const auto& picture : Form1->PlanetPictures) {
        g.planetWidths.push_back(picture->Width);
        DDCOLORKEY key{};
        g.planetKeys.push_back(picture->DirectDrawSurface->GetColorKey(DDCKEY_SRCBLT, &key) == DD_OK ? 1 : 0);
    }
    g.lightBlue = static_cast<std::uint16_t>(Form1->UIColours.ColourLightBlue);
    return ScreenQuit;
}

TEST_F(StartUp, EachPlanetPictureComesFromItsOwnFileAndOnlyEarthAndJupiterAreKeyed) {
    wintest::WriteStartUpMedia();
    // Each picture a different width, so a swapped file shows.
    for (int k = 0; k < kPlanetPictureCount; ++k)
        wintest::WriteBmp(wintest::Local(std::string("img\\planets\\") + kPlanetStems[k] + ".bmp"), 10 + k, 8,
                          0x3050A0);
    plat::SetEnumeratedModes({{1024, 768, 16}});
    ScreenHandlers[ScreenMainMenu] = MenuRecordingThePlanets;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    ASSERT_EQ(g.planetWidths.size(), static_cast<std::size_t>(kPlanetPictureCount));
    for (int k = 0; k < kPlanetPictureCount; ++k) {
        EXPECT_EQ(g.planetWidths[static_cast<std::size_t>(k)], 10 + k) << kPlanetStems[k];
        EXPECT_EQ(g.planetKeys[static_cast<std::size_t>(k)], k < 2 ? 1 : 0) << kPlanetStems[k];
    }
}

TEST_F(StartUp, TheLoadingBarShows20And100PercentCentredOnTheMode) {
    wintest::WriteStartUpMedia();
    plat::SetEnumeratedModes({{1024, 768, 16}});
    ScreenHandlers[ScreenMainMenu] = MenuRecordingThePlanets;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    // The cleared display, then the bar at 20 % and at 100 %.
    const auto& frames = Presenter->Frames;
    ASSERT_GE(frames.size(), 3u);
    ASSERT_NE(g.lightBlue, 0);
    const int left = 1024 / 2 - 100;
    auto lit = [&](const plat::PresentedFrame& f, int x, int y) { return f.At(x, y) == g.lightBlue; };
    EXPECT_FALSE(lit(frames[0], left, 210));
    // 20 %: 40 columns.
    EXPECT_TRUE(lit(frames[1], left, 200));
    EXPECT_TRUE(lit(frames[1], left + 39, 219));
    EXPECT_FALSE(lit(frames[1], left + 40, 210));
    EXPECT_FALSE(lit(frames[1], left - 1, 210));
    EXPECT_FALSE(lit(frames[1], left, 199));
    // 100 %: 200 columns over the first bar.
    EXPECT_TRUE(lit(frames[2], left, 210));
    EXPECT_TRUE(lit(frames[2], left + 199, 210));
    EXPECT_FALSE(lit(frames[2], left + 200, 210));
}

int MenuPlayingSounds(GameState* game) {
    ++g.frames;
    for (const auto& slot : Form1->SoundSlots) g.slotVoices.push_back(slot->Voices.size());
    if (Form1->SoundSlots[7]->Voices.empty() || Form1->SoundSlots[0]->Voices.empty()) return ScreenQuit;
    game->EffectsVolume = -300;
    g.playResult = Form1->PlaySound(7, 1, 250, -200);
    for (const auto& voice : Form1->SoundSlots[7]->Voices) {
        DWORD status = 0;
        voice->GetStatus(&status);
        if (!(status & DSBSTATUS_PLAYING)) continue;
        g.playedStatus = status;
        voice->GetVolume(&g.playedVolume);
        voice->GetPan(&g.playedPan);
    }
    Form1->StopSound(7);
    for (const auto& voice : Form1->SoundSlots[7]->Voices) {
        DWORD status = 0;
        voice->GetStatus(&status);
        g.statusAfterStop |= status;
    }
    Form1->SetSoundVolume(0, -700);
    Form1->SoundSlots[0]->Voices[0]->GetVolume(&g.musicVolume);
    return ScreenQuit;
}

TEST_F(StartUp, SoundOnLoadsEverySlotWithItsVoicesAndTheWrappersReachThem) {
    // A silent output device, so that the sound device opens on any machine.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    wintest::WriteStartUpMedia();
    plat::SetEnumeratedModes({{1024, 768, 16}});
    ScreenHandlers[ScreenMainMenu] = MenuPlayingSounds;
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    if (Boxes.size() != GameBoxes().size()) GTEST_SKIP() << "no sound device here";
    ASSERT_EQ(g.slotVoices.size(), static_cast<std::size_t>(kSoundSlotCount));
    for (int i = 0; i < kSoundSlotCount; ++i) {
        const SoundSlotFile& slot = kSoundSlotFiles[static_cast<std::size_t>(i)];
        EXPECT_EQ(g.slotVoices[static_cast<std::size_t>(i)], static_cast<std::size_t>(slot.File ? slot.Voices : 0))
            << i;
    }
    EXPECT_EQ(g.slotVoices[15], 0u);
    EXPECT_NE(g.playResult, 0);
    // The effects volume is added; the pan passes unchanged.
    EXPECT_TRUE(g.playedStatus & DSBSTATUS_LOOPING);
    EXPECT_EQ(g.playedVolume, -500);
    EXPECT_EQ(g.playedPan, 250);
    EXPECT_EQ(g.statusAfterStop & DSBSTATUS_PLAYING, 0u);
    // The music volume is set as given.
    EXPECT_EQ(g.musicVolume, -700);
}

TEST_F(StartUp, AnExceptionInTheDialogReleasesEverythingAndLoadsNothing) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    wintest::WriteStartUpMedia();
    OpenWatch watch;
    watch.WatchTree("img");
    watch.WatchTree("snd");
    ScreenHandlers[ScreenMainMenu] = MenuRecording;
    // The dialog's message fails: the fault reaches the application's handler
    // while the dialog is up.
    plat::SetEnumeratedModes({{1024, 768, 16}});
    plat::SetMessageBoxHandler([this](const plat::MessageBoxCall& call) -> int {
        Boxes.push_back(call.text);
        if (call.text == "Select a video mode.") throw std::runtime_error("no box");
        return plat::DefaultMessageBoxAnswer(call.type);
    });
    plat::PushKeyPress("Return");  // "Start Fullscreen" with nothing selected
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(Boxes, (std::vector<std::string>{"Select a video mode."}));
    EXPECT_TRUE(watch.Opened().empty());
    EXPECT_EQ(Presenter->ModeWidth, 0);
    EXPECT_EQ(g.frames, 0);
}

}  // namespace
