// The main window outside the frame loop: ship frames on demand, key flags,
// the sound wrappers and the tables it is built from.
#include <cstdlib>
#include <cstring>

#include "platform/input/scriptinput.h"
#include "vx/vxscreen.h"
#include "vx/vxsound.h"
#include "vx/vxsoundbuffer.h"
#include "vx/vxsurface.h"
#include "tests/game/window_script.h"

namespace {

using wintest::GameRunTest;
using wintest::OpenWatch;

class MainWindow : public GameRunTest {
protected:
    void SetUp() override {
        GameRunTest::SetUp();
        Application->Initialize();
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Form1->Display = std::make_unique<VXScreen>();
        Form1->Game = MakeGameState();
        for (int i = 0; i < kImageSets; ++i)
            Form1->FramePattern[static_cast<std::size_t>(i)] = kFramePatterns[static_cast<std::size_t>(i)];
    }
    void TearDown() override {
        Application->Initialize();
        Form1 = nullptr;
        Form2 = nullptr;
        GameRunTest::TearDown();
    }
    static void WriteFrames(const char* pattern, int count) {
        for (int k = 1; k <= count; ++k) {
            char file[96];
            std::snprintf(file, sizeof file, pattern, k);
            wintest::WriteBmp(wintest::Local(file), 4, 4, 0xC0C0C0);
        }
    }
    static void WriteCustomFrames(const char* folder, const char* name, int count) {
        for (int k = 1; k <= count; ++k) {
            char file[96];
            std::snprintf(file, sizeof file, "img\\%s\\%s00%02d.bmp", folder, name, k);
            wintest::WriteBmp(wintest::Local(file), 4, 4, 0xC0C0C0);
        }
    }
    static void MakeCustom(int cls, const char* folder, const char* name, int frames) {
        ClassTable& t = Form1->Game->ShipClassTable;
        t.Active[cls] = 1;
        t.ImageSelection[cls] = 100;
        t.FrameCount[cls] = frames;
        std::strncpy(t.ImageFolder[cls], folder, kClassNameSize);
        std::strncpy(t.ImageName[cls], name, kClassNameSize);
    }
    static int RowCount(int row) {
        int n = 0;
        for (const auto& f : Form1->ShipFrameTable[static_cast<std::size_t>(row)]) n += f != nullptr;
        return n;
    }
};

TEST_F(MainWindow, StartsWithAnEmptyFrameTableAndTheLayoutsDefaults) {
    for (int r = 0; r < kImageSets; ++r) EXPECT_EQ(RowCount(r), 0) << r;
    EXPECT_EQ(Form1->ModeWidth, 800);
    EXPECT_EQ(Form1->ModeHeight, 600);
    EXPECT_EQ(Form1->ScreenState, 1);
    EXPECT_EQ(Form1->QuitChosen, 0);
    EXPECT_EQ(Form1->Caption, "Form1");
    EXPECT_TRUE(Form1->KeyPreview);
    EXPECT_EQ(Form1->BorderStyle, bsNone);
    EXPECT_EQ(Form1->WindowState(), wsMaximized);
}

TEST_F(MainWindow, TheTitlePictureIsCompiledInAndStretchedOverTheWindow) {
    EXPECT_EQ(Form1->Image1->Picture.Width, 640);
    EXPECT_EQ(Form1->Image1->Picture.Height, 480);
    EXPECT_EQ(Form1->Image1->Align, alClient);
    EXPECT_TRUE(Form1->Image1->Stretch);
}

TEST_F(MainWindow, BuiltInFramesLoadOnceAndGoWhenNoLongerWanted) {
    WriteFrames(kFramePatterns[1], 60);
    OpenWatch watch;
    watch.WatchTree("img");
    Form1->FramesWanted[1] = 1;
    Form1->SyncShipFrames();
    auto opened = watch.Opened();
    EXPECT_EQ(opened.size(), 60u);
    EXPECT_TRUE(opened.count("img/ywing/ywink0001.bmp"));
    EXPECT_TRUE(opened.count("img/ywing/ywink0060.bmp"));
    EXPECT_EQ(RowCount(1), 60);
    EXPECT_EQ(Form1->FramesLoaded[1], 1);
    Form1->SyncShipFrames();
    EXPECT_TRUE(watch.Opened().empty());
    Form1->FramesWanted[1] = 0;
    Form1->SyncShipFrames();
    EXPECT_EQ(RowCount(1), 0);
    EXPECT_EQ(Form1->FramesLoaded[1], 0);
}

TEST_F(MainWindow, ABorrowedRowWhoseOwnClassIsNotWantedIsLoadedAgainEachTime) {
    WriteFrames(kFramePatterns[3], 60);
    ClassTable& t = Form1->Game->ShipClassTable;
    t.Active[30] = 1;
    t.ImageSelection[30] = 3;
    Form1->FramesWanted[30] = 1;
    OpenWatch watch;
    watch.WatchTree("img");
    Form1->SyncShipFrames();
    EXPECT_EQ(watch.Opened().size(), 60u);
    EXPECT_EQ(RowCount(3), 60);
    EXPECT_EQ(RowCount(30), 0);
    Form1->SyncShipFrames();
    EXPECT_EQ(watch.Opened().size(), 60u);
    EXPECT_EQ(Form1->FramesLoaded[3], 1);
}

TEST_F(MainWindow, ACustomSetLoadsItsOwnFrames) {
    WriteCustomFrames("mine", "ship", 1);
    MakeCustom(25, "mine", "ship", 1);
    Form1->FramesWanted[25] = 1;
    OpenWatch watch;
    watch.WatchTree("img");
    Form1->SyncShipFrames();
    EXPECT_EQ(watch.Opened(), (std::multiset<std::string>{"img/mine/ship0001.bmp"}));
    EXPECT_EQ(RowCount(25), 1);
    Form1->FramesWanted[25] = 0;
    Form1->SyncShipFrames();
    EXPECT_EQ(RowCount(25), 0);
}

TEST_F(MainWindow, ACustomSetNeverFillsMoreThanItsRow) {
    WriteCustomFrames("big", "b", 360);
    MakeCustom(40, "big", "b", 400);
    Form1->FramesWanted[40] = 1;
    OpenWatch watch;
    watch.WatchTree("img");
    Form1->SyncShipFrames();
    const auto opened = watch.Opened();
    EXPECT_EQ(opened.size(), 360u);
    EXPECT_TRUE(opened.count("img/big/b00100.bmp"));  // three digits from frame 100
    EXPECT_TRUE(opened.count("img/big/b00360.bmp"));
    EXPECT_EQ(RowCount(40), 360);
    EXPECT_EQ(RowCount(41), 0);
}

TEST_F(MainWindow, NamesFillingTheirWholeFieldAreCutAt19Characters) {
    WriteCustomFrames("abcdefghijklmnopqrs", "ABCDEFGHIJKLMNOPQRS", 1);
    ClassTable& t = Form1->Game->ShipClassTable;
    t.Active[26] = 1;
    t.ImageSelection[26] = 100;
    t.FrameCount[26] = 1;
    std::memcpy(t.ImageFolder[26], "abcdefghijklmnopqrstu", kClassNameSize);  // no terminating NUL
    std::memcpy(t.ImageName[26], "ABCDEFGHIJKLMNOPQRSTU", kClassNameSize);
    Form1->FramesWanted[26] = 1;
    Form1->SyncShipFrames();
    EXPECT_EQ(RowCount(26), 1);
}

TEST_F(MainWindow, SelectionsOutsideTheBuiltInSetsAndInactiveClassesLoadNothing) {
    ClassTable& t = Form1->Game->ShipClassTable;
    for (int cls : {24, 27, 28}) {
        t.Active[cls] = 1;
        Form1->FramesWanted[static_cast<std::size_t>(cls)] = 1;
    }
    t.ImageSelection[24] = -1;
    t.ImageSelection[27] = 60;
    t.ImageSelection[28] = 100;
    t.FrameCount[28] = -5;
    t.ImageSelection[29] = 5;  // not active
    Form1->FramesWanted[29] = 1;
    Form1->SyncShipFrames();
    for (int r = 0; r < kImageSets; ++r) EXPECT_EQ(RowCount(r), 0) << r;
    EXPECT_FALSE(plat::QuitPosted());
}

TEST_F(MainWindow, AFrameThatFailsToLoadPostsQuitAndAbandonsTheFrame) {
    WriteFrames(kFramePatterns[0], 59);  // frame 60 is missing
    Form1->FramesWanted[0] = 1;
    EXPECT_THROW(Form1->SyncShipFrames(), FrameAbandoned);
    EXPECT_TRUE(plat::QuitPosted());
    EXPECT_EQ(Form1->FramesLoaded[0], 0);
    EXPECT_EQ(RowCount(0), 59);
    Form1->ReleaseAll();
    EXPECT_EQ(RowCount(0), 0);
    EXPECT_EQ(Form1->Display, nullptr);
    Form1->ReleaseAll();  // nothing left the second time
}

TEST_F(MainWindow, KeyFlagsFollowKeysBelow128Only) {
    std::uint16_t key = 27;
    Form1->FormKeyDown(Form1, key, 0);
    EXPECT_EQ(Form1->KeyState[27], 1);
    for (std::uint16_t code : {128, 144, 200, 255, 1000, 65535}) {
        std::uint16_t k = code;
        Form1->FormKeyDown(Form1, k, 0);
    }
    int down = 0;
    for (int flag : Form1->KeyState) down += flag;
    EXPECT_EQ(down, 1);
    Form1->KeysRead();  // a frame saw the key down
    Form1->FormKeyUp(Form1, key, ssShift);
    EXPECT_EQ(Form1->KeyState[27], 0);
    // Through the window: F13 and ';' come as codes of 128 and above.
    plat::PushKey("F13", true);
    plat::PushKey(";", true);
    plat::PushKey("Left Shift", true);
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    down = 0;
    for (int flag : Form1->KeyState) down += flag;
    EXPECT_EQ(down, 1);
    EXPECT_EQ(Form1->KeyState[16], 1);
}

TEST_F(MainWindow, AltF10AndCapsLockReachTheKeyFlagsAsPlainKeys) {
    auto dispatch = [] {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    };
    // Pressed, then released.
    for (const bool down : {true, false}) {
        for (const char* key : {"Left Alt", "F10", "CapsLock"}) plat::PushKey(key, down);
        dispatch();
        for (const int code : {18, 121, 20}) EXPECT_EQ(Form1->KeyState[code], down ? 1 : 0) << code << " " << down;
        Form1->KeysRead();  // a frame in between
    }
}

TEST_F(MainWindow, SoundWrappersCopeWithSlotsThatAreNotThere) {
    // No slot exists yet.
    EXPECT_EQ(Form1->PlaySound(3, 1, 0, 0), 0);
    Form1->StopSound(3);
    Form1->SetSoundVolume(0, -100);
    EXPECT_EQ(Form1->PlaySound(-1, 0, 0, 0), 0);
    EXPECT_EQ(Form1->PlaySound(44, 0, 0, 0), 0);
}

TEST_F(MainWindow, SoundWrappersDoNothingWhileSoundIsOff) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    wintest::WriteWav("snd/sw/implaser.wav");
    Form1->SoundDevice = std::make_unique<VXSound>();
    ASSERT_NE(Form1->SoundDevice->Create(Form1->Handle()), 0);
    for (auto& slot : Form1->SoundSlots) slot = std::make_unique<VXSoundBuffer>();
    VXSoundBuffer& laser = *Form1->SoundSlots[7];
    ASSERT_NE(laser.Load(Form1->SoundDevice.get(), "snd\\sw\\implaser.wav", 4), 0);
    LONG before = 0;
    laser.Voices[0]->GetVolume(&before);

    Form1->SoundsOn = 0;
    EXPECT_EQ(Form1->PlaySound(7, 1, 0, 0), 0);
    Form1->SetSoundVolume(7, -1234);
    for (const auto& voice : laser.Voices) {
        DWORD status = 0;
        voice->GetStatus(&status);
        EXPECT_EQ(status & DSBSTATUS_PLAYING, 0u);
    }
    LONG after = 0;
    laser.Voices[0]->GetVolume(&after);
    EXPECT_EQ(after, before);

    // The same calls with sound on reach the slot.
    Form1->SoundsOn = 1;
    EXPECT_NE(Form1->PlaySound(7, 0, 0, 0), 0);
    Form1->SetSoundVolume(7, -1234);
    laser.Voices[0]->GetVolume(&after);
    EXPECT_EQ(after, -1234);
    Form1->ReleaseAll();
}

TEST(Tables, FramePatternsAndSoundSlots) {
    EXPECT_STREQ(kFramePatterns[1], "img\\ywing\\ywink00%02d.bmp");
    EXPECT_STREQ(kFramePatterns[7], "img\\hhunt\\hh00%02d.bmp");
    EXPECT_STREQ(kFramePatterns[23], "img\\runa\\runa00%02d.bmp");
    for (int r = 24; r < kImageSets; ++r)
        EXPECT_STREQ(kFramePatterns[static_cast<std::size_t>(r)], "img\\%s\\%s00%02d.bmp");
    EXPECT_EQ(kSoundSlotFiles[15].File, nullptr);
    EXPECT_STREQ(kSoundSlotFiles[0].File, "snd\\fanfare2.wav");
    EXPECT_EQ(kSoundSlotFiles[0].Voices, 1);
    EXPECT_EQ(kSoundSlotFiles[17].Voices, 6);
    EXPECT_STREQ(kSoundSlotFiles[43].File, "snd\\tele.wav");
    EXPECT_EQ(kUIColourRefs[9], 0xFF6464u);  // ColourLightBlue, the loading bar
}

}  // namespace
