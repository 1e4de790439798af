#include "game/program/winmain.h"

#include <cstdio>
#include <algorithm>
#include <string>

#include "game/data/builtinclasses.h"
#include "game/program/initgame.h"
#include "game/program/videodialog.h"
#include "platform/system/system.h"
#include "shipdata/shipclassrecord.h"
#include "vx/vxerror.h"
#include "vx/vxformat.h"
#include "vx/vxinput.h"
#include "vx/vxscreen.h"
#include "vx/vxsound.h"
#include "vx/vxsoundbuffer.h"
#include "vx/vxsprite.h"
#include "vx/vxsurface.h"
#include "vx/vxtimer.h"

TForm1* Form1 = nullptr;

namespace {

// The title picture, written by the media generator as an initializer list.
const unsigned char kTitleJpeg[] = {
#include "title_jpeg.inc"
};

struct PlanetFile {
    const char* File;
    const char* Message;
    int Picture;  // index into PlanetPictures
};

// The planet pictures in the order they are loaded.
constexpr PlanetFile kPlanetFiles[kPlanetPictureCount] = {
    {"img\\planets\\earth1.bmp", "Earth->Create FAILED!!", 0},
    {"img\\planets\\jupiter.bmp", "Jupiter->Create FAILED!!", 1},
    {"img\\planets\\calisteo.bmp", "Calisteo->Create FAILED!!", 3},
    {"img\\planets\\io.bmp", "Io->Create FAILED!!", 2},
    {"img\\planets\\europa.bmp", "Europa->Create FAILED!!", 19},
    {"img\\planets\\ganymede.bmp", "Ganymede->Create FAILED!!", 9},
    {"img\\planets\\mars.bmp", "Mars->Create FAILED!!", 4},
    {"img\\planets\\titan.bmp", "Titan->Create FAILED!!", 5},
    {"img\\planets\\titania.bmp", "Titania->Create FAILED!!", 6},
    {"img\\planets\\tethys.bmp", "Tethys->Create FAILED!!", 7},
    {"img\\planets\\venus.bmp", "Venus->Create FAILED!!", 8},
    {"img\\planets\\rhea.bmp", "Rhea->Create FAILED!!", 16},
    {"img\\planets\\ariel.bmp", "Ariel->Create FAILED!!", 12},
    {"img\\planets\\umbriel.bmp", "umb->Create FAILED!!", 15},
    {"img\\planets\\encelad.bmp", "ence->Create FAILED!!", 13},
    {"img\\planets\\iapetus.bmp", "iapetus->Create FAILED!!", 14},
    {"img\\planets\\mimas.bmp", "mima->Create FAILED!!", 17},
    {"img\\planets\\neptune.bmp", "neptune->Create FAILED!!", 10},
    {"img\\planets\\uranus.bmp", "uranus->Create FAILED!!", 11},
    {"img\\planets\\miranda.bmp", "miranda->Create FAILED!!", 18},
    {"img\\planets\\moon.bmp", "moon->Create FAILED!!", 20},
};

constexpr const char* kDamagedIconFiles[kIconCount] = {
    "img\\systems\\missiles.bmp", "img\\systems\\shields.bmp",   "img\\systems\\thrust.bmp",
    "img\\systems\\turning.bmp",  "img\\systems\\generator.bmp", "img\\systems\\weapon1.bmp",
};
constexpr const char* kBrokenIconFiles[kIconCount] = {
    "img\\systems\\missiles2.bmp", "img\\systems\\shields2.bmp",   "img\\systems\\thrust2.bmp",
    "img\\systems\\turning2.bmp",  "img\\systems\\generator2.bmp", "img\\systems\\weapon2.bmp",
};

// A frame file that CheckClassSprites found but that cannot be loaded: the
// game ends, and the frame that asked for it is abandoned.
[[noreturn]] void FailFrameLoad() {
    PostQuitMessage(0);
    throw FrameAbandoned{};
}

// A bounded copy of a class's name field, which need not be NUL-terminated.
std::string NameField(const char (&field)[kClassNameSize]) {
    std::size_t n = 0;
    while (n < kClassNameSize - 1 && field[n] != '\0') ++n;
    return std::string(field, n);
}

}  // namespace

const std::array<std::uint32_t, 14> kUIColourRefs = {
    0xFFFFFF, 0xA0A0A0, 0x5A5A5A, 0x0000FF, 0x6464FF, 0x3232FF, 0x00A000,
    0x5AFF5A, 0xFF0000, 0xFF6464, 0xFFAAAA, 0xFFB41E, 0x00FFFF, 0x6EA0F0,
};

// The built-in rows come from the built-in class table; every user row takes
// the class's folder and file stem.
const std::array<const char*, kImageSets> kFramePatterns = [] {
    std::array<const char*, kImageSets> patterns{};
    for (int i = 0; i < kImageSets; ++i)
        patterns[static_cast<std::size_t>(i)] =
            i < kBuiltInSets ? builtin::BuiltInFramePattern(i) : builtin::kCustomFramePattern;
    return patterns;
}();

const std::array<SoundSlotFile, kSoundSlotCount> kSoundSlotFiles = {{
    {"snd\\fanfare2.wav", 1},
    {"snd\\sw\\aeng.wav", 2},
    {"snd\\sw\\beng.wav", 2},
    {"snd\\sw\\teng.wav", 2},
    {"snd\\sw\\xeng.wav", 2},
    {"snd\\sw\\yeng.wav", 2},
    {"snd\\sw\\guneng.wav", 2},
    {"snd\\sw\\implaser.wav", 4},
    {"snd\\sw\\reblaser.wav", 4},
    {"snd\\sw\\lowpowerlaser.wav", 3},
    {"snd\\sw\\ion.wav", 2},
    {"snd\\sw\\Launch.wav", 2},
    {"snd\\sw\\r2hit.wav", 2},
    {"snd\\laserhithull.wav", 2},
    {"snd\\laserhitshield.wav", 2},
    {nullptr, 0},
    {"snd\\missilehit.wav", 2},
    {"snd\\particlehit.wav", 6},
    {"snd\\collis.wav", 2},
    {"snd\\kaboom.wav", 2},
    {"snd\\sw\\select.wav", 2},
    {"snd\\sw\\select2.wav", 2},
    {"snd\\bsg\\coloniallaser.wav", 4},
    {"snd\\bsg\\cylonlaser.wav", 4},
    {"snd\\bsg\\vipereng.wav", 2},
    {"snd\\bsg\\raidereng.wav", 2},
    {"snd\\b5\\sfuryshot.wav", 4},
    {"snd\\st\\powerphaser.wav", 4},
    {"snd\\st\\normphaser.wav", 4},
    {"snd\\st\\ppgun.wav", 4},
    {"snd\\st\\torp.wav", 4},
    {"snd\\st\\bridge.wav", 4},
    {"snd\\b5\\nialeng.wav", 4},
    {"snd\\b5\\minbarengine.wav", 4},
    {"snd\\b5\\minshot.wav", 4},
    {"snd\\b5\\eabeam.wav", 4},
    {"snd\\st\\beep.wav", 2},
    {"snd\\st\\beep2.wav", 2},
    {"snd\\b5\\beep.wav", 2},
    {"snd\\b5\\beep2.wav", 2},
    {"snd\\phasing.wav", 2},
    {"snd\\cloaking.wav", 2},
    {"snd\\diseng.wav", 2},
    {"snd\\tele.wav", 2},
}};

// ---- the window -----------------------------------------------------------

TForm1::TForm1() : Image1(std::make_unique<TImage>(this)) {
    Caption = "Form1";
    BorderStyle = bsNone;
    HasCloseBox = false;
    FormStyle = fsStayOnTop;
    Position = poDesktopCenter;
    SetWindowState(wsMaximized);
    KeyPreview = true;
    ClientWidth = 1028;
    ClientHeight = 753;
    Colour = kDialogFace;

    Image1->Align = alClient;
    Image1->AutoSize = true;
    Image1->Stretch = true;
    // A picture that cannot be decoded leaves the window its face colour.
    Image1->LoadJpeg(kTitleJpeg, sizeof kTitleJpeg);

    OnActivate = [this](TObject* sender) { FormActivate(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnKeyDown = [this](TObject* sender, std::uint16_t& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OnKeyUp = [this](TObject* sender, std::uint16_t& key, TShiftState shift) { FormKeyUp(sender, key, shift); };
}

TForm1::~TForm1() { ReleaseMedia(); }

void TForm1::FormActivate(TObject*) {
    // The toolkit activates the window again whenever it regains the focus;
    // the game starts once.
    if (started_) return;
    started_ = true;
    StartUp();
}

void TForm1::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TForm1::FormKeyDown(TObject*, std::uint16_t& Key, TShiftState) {
    if (Key >= 128) return;
    KeyState[Key] = 1;
    KeyDownUnread[Key] = 1;
    KeyUpPending[Key] = 0;
}

void TForm1::FormKeyUp(TObject*, std::uint16_t& Key, TShiftState) {
    if (Key >= 128) return;
    // A press no frame has seen yet stays down until one has.
    if (KeyDownUnread[Key])
        KeyUpPending[Key] = 1;
    else
        KeyState[Key] = 0;
}

void TForm1::KeysRead() {
    for (std::size_t k = 0; k < KeyUpPending.size(); ++k)
        if (KeyUpPending[k]) KeyState[k] = 0;
    KeyDownUnread.fill(0);
    KeyUpPending.fill(0);
}

void TForm1::OnAppException(TObject*, const std::exception&) {
    ReleaseAll();
    Application->Terminate();
}

void TForm1::StartUp() {
    CreateCoreObjects();
    if (!RunVideoDialog()) return;
    for (int i = 0; i < kImageSets; ++i)
        FramePattern[static_cast<std::size_t>(i)] = kFramePatterns[static_cast<std::size_t>(i)];
    ShrinkWindow();
    LoadSounds();
    CreateDisplay();
    LoadPictures();
    ClearDisplay();
    DustSprite = std::make_unique<VXSprite>();
    LoadIcons();
    DrawLoadingBar(20);
    CreateSpritesAndInput();
    DrawLoadingBar(100);
    InitGame(Game.get(), ModeWidth, ModeHeight);
    MainLoop();
    ReleaseAll();
}

void TForm1::CreateCoreObjects() {
    Application->OnException = [this](TObject* sender, const std::exception& e) { OnAppException(sender, e); };
    FrameTimer = std::make_unique<VXTimer>();
    Game = MakeGameState();
    Input = std::make_unique<VXInput>();
    PointerSprite = std::make_unique<VXSprite>();
    Display = std::make_unique<VXScreen>();
}

bool TForm1::RunVideoDialog() {
    SoundsOn = 1;
    if (Form2) Form2->ShowModal();
    // A fault while the dialog was up has already released everything and
    // ended the application.
    if (Application->Terminated()) return false;
    if (QuitChosen) {
        Close();
        return false;
    }
    return true;
}

void TForm1::ShrinkWindow() {
    ShowCursor(0);
    SetWindowState(wsNormal);
    SetWidth(16);
    SetHeight(17);
    Sleep(1000);
}

void TForm1::LoadSounds() {
    SoundDevice = std::make_unique<VXSound>();
    for (auto& slot : SoundSlots) slot = std::make_unique<VXSoundBuffer>();
    if (SoundsOn == 1 && SoundDevice->Create(Handle()) != 0) {
        SoundDevice->GetCaps();
        for (int i = 0; i < kSoundSlotCount; ++i) {
            const SoundSlotFile& slot = kSoundSlotFiles[static_cast<std::size_t>(i)];
            if (slot.File) SoundSlots[static_cast<std::size_t>(i)]->Load(SoundDevice.get(), slot.File, slot.Voices);
        }
    }
}

void TForm1::CreateDisplay() {
    WorkSurface = std::make_unique<VXSurface>();
    WorkSurface->SetTextFont("Galactic.ttf", 0, 14, 700);
    for (auto& picture : PlanetPictures) picture = std::make_unique<VXSurface>();

    if (!Display->CreateFullScreen(Handle(), ModeWidth, ModeHeight, 16, 0))
        ReportFatalError(Display.get(), "Screen->Create FAILED!!");
    if (!WorkSurface->Create(Display.get(), ModeWidth, ModeHeight, MemoryAny))
        ReportFatalError(Display.get(), "Surface->Create FAILED!!");
}

bool TForm1::LoadKeyedPicture(std::unique_ptr<VXSurface>& picture, const char* file) {
    picture = std::make_unique<VXSurface>();
    const bool loaded = picture->CreateFromFile(Display.get(), file, MemoryAny);
    picture->SetColorKey(0);
    return loaded;
}

void TForm1::LoadPictures() {
    for (int n = 1; n <= kAsteroidFrameCount; ++n) {
        char file[64];
        std::snprintf(file, sizeof file, "img\\asteroid\\aster00%02d.bmp", n);
        LoadKeyedPicture(AsteroidFrames[static_cast<std::size_t>(n - 1)], file);
    }

    ScratchSurface = std::make_unique<VXSurface>();
    ScratchSurface->Create(Display.get(), 500, 500, MemoryAny);
    ScratchSurface->SetColorKey(0);

    for (std::size_t k = 0; k < kUIColourRefs.size(); ++k)
        UIColours.*kUIColourMembers[k] = ColorrefToPixel(WorkSurface->DirectDrawSurface, kUIColourRefs[k]);

    for (const PlanetFile& planet : kPlanetFiles) {
        if (!PlanetPictures[static_cast<std::size_t>(planet.Picture)]->CreateFromFile(Display.get(), planet.File,
                                                                                      MemoryAny))
            ReportFatalError(Display.get(), "%s", planet.Message);
    }
    PlanetPictures[1]->SetColorKey(0);  // jupiter
    PlanetPictures[0]->SetColorKey(0);  // earth1
}

void TForm1::ClearDisplay() {
    Display->Fill(0);
    Display->Flip(1, 1, 0);
    Display->Fill(0);
    WorkSurface->Fill(0);
}

void TForm1::LoadIcons() {
    for (int k = 0; k < kIconCount; ++k) {
        LoadKeyedPicture(DamagedIcons[static_cast<std::size_t>(k)], kDamagedIconFiles[k]);
        LoadKeyedPicture(BrokenIcons[static_cast<std::size_t>(k)], kBrokenIconFiles[k]);
    }
}

void TForm1::CreateSpritesAndInput() {
    if (!DustSprite->Create(Display.get(), "img\\planets\\Dust.bmp", 461, 278, 1, MemorySystem))
        ReportFatalError(Display.get(), "Unable to load sprite2");
    if (DustSprite->Tile) DustSprite->Tile->SetColorKey(0);

    Input->Create(GetModuleHandleA(nullptr), Handle(), 1);
    PointerSprite->Create(Display.get(), "img\\pointer.bmp", 40, 40, 1, MemoryAny);

    // The mouse is kept inside the display mode, whatever size the window
    // had while the mode was being set.
    Input->SetMouseLimits(0, 0, ModeWidth - 1, ModeHeight - 1);
    Input->SetMousePos(500, 350);
    Input->SetMouseSensitivity(1.6f);
    if (PointerSprite->Tile) PointerSprite->Tile->SetColorKey(0);
}

void TForm1::MainLoop() {
    for (;;) {
        MSG msg{};
        if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessage(&msg, nullptr, 0, 0)) break;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
            continue;
        }
        RunFrame();
        if (ScreenState == ScreenQuit) break;
    }
}

void TForm1::RunFrame() {
    FrameTimer->Restart();
    WorkSurface->Fill(0);
    // The display's back buffer is cleared too; PresentFrame does it, and
    // only where the copy of the work surface will not cover it anyway.
    backBufferToClear_ = true;
    Input->Update();
    Input->GetMousePos(&Game->MouseX, &Game->MouseY);
    // Released counts as down too, so a click always spans two frames.
    Game->MouseLeft = Input->GetKeyState(InputCodeMouseLeft) != InputKeyUp ? 1 : 0;
    Game->MouseRight = Input->GetKeyState(InputCodeMouseRight) != InputKeyUp ? 1 : 0;

    const ScreenHandler handler = ScreenState >= 0 && ScreenState < static_cast<int>(ScreenHandlers.size())
                                      ? ScreenHandlers[static_cast<std::size_t>(ScreenState)]
                                      : nullptr;
    try {
        // A ScreenState outside the table, or an entry left empty, leads back
        // to the main menu.
        ScreenState = handler ? handler(Game.get()) : ScreenMainMenu;
    } catch (const FrameAbandoned&) {
        // SyncShipFrames could not load a frame and posted the quit message:
        // nothing more is drawn, and the loop ends on that message.
        KeysRead();
        return;
    }
    KeysRead();

    if (ScreenState != ScreenPlay && PointerSprite) {
        PointerSprite->WorldX = Game->MouseX - 20;
        PointerSprite->WorldY = Game->MouseY;
        PointerSprite->Draw(WorkSurface.get(), 0, 0, BlitKeyed);
    }
    PresentFrame();
}

bool TForm1::CopyCoversBackBuffer() const {
    const VXSurface* back = Display->BackBuffer.get();
    auto whole = [](const VXSurface& s) {
        return s.ClipBounds.left == 0 && s.ClipBounds.top == 0 && s.ClipBounds.right == s.Width &&
               s.ClipBounds.bottom == s.Height;
    };
    return back && WorkSurface && whole(*back) && whole(*WorkSurface) && ModeWidth >= back->Width &&
           ModeHeight >= back->Height && WorkSurface->Width >= back->Width && WorkSurface->Height >= back->Height;
}

void TForm1::PresentFrame() {
    const bool clear = backBufferToClear_;
    backBufferToClear_ = false;
    const bool covered = CopyCoversBackBuffer();
    if (clear && !covered) Display->Fill(0);
    if (Display->BackBuffer) {
        RECT source{0, 0, ModeWidth, ModeHeight};
        // A copy that fails leaves the back buffer as black as the clear
        // would have.
        if (WorkSurface->DrawOpaqueRect(Display->BackBuffer.get(), 0, 0, source) != DD_OK && clear && covered)
            Display->Fill(0);
    }
    Display->Flip(1, 1, 0);
    FrameTimer->WaitUntilMs(13);
}

void TForm1::DrawLoadingBar(float percent) {
    FrameTimer->Restart();
    WorkSurface->Lock();
    const int columns = 2 * static_cast<int>(percent);
    for (int i = 0; i < columns; ++i) {
        const int x = ModeWidth / 2 - 100 + i;
        WorkSurface->DrawLine(x, 200, x, 220, UIColours.ColourLightBlue);
    }
    WorkSurface->Unlock();
    PresentFrame();
}

bool TForm1::LoadFrameRow(int row, int count, bool custom) {
    const ClassTable& classes = Game->ShipClassTable;
    const std::string folder = custom ? NameField(classes.ImageFolder[row]) : std::string();
    const std::string name = custom ? NameField(classes.ImageName[row]) : std::string();
    for (int k = 0; k < count; ++k) {
        char file[96];
        if (custom)
            std::snprintf(file, sizeof file, builtin::kCustomFramePattern, folder.c_str(), name.c_str(), k + 1);
        else
            std::snprintf(file, sizeof file, FramePattern[static_cast<std::size_t>(row)].c_str(), k + 1);
        // A frame that cannot be loaded is not kept.
        std::unique_ptr<VXSurface> frame;
        if (!LoadKeyedPicture(frame, file)) return false;
        ShipFrameTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(k)] = std::move(frame);
    }
    return true;
}

void TForm1::FreeFrameRow(int row) {
    for (auto& frame : ShipFrameTable[static_cast<std::size_t>(row)]) frame.reset();
}

void TForm1::SyncShipFrames() {
    const ClassTable& classes = Game->ShipClassTable;
    // Frees row i when its frames are no longer wanted, loads them when they
    // are wanted and not there yet.
    auto syncRow = [this](int i, int count, bool custom) {
        const auto row = static_cast<std::size_t>(i);
        if (FramesWanted[row] == 0 && FramesLoaded[row] == 1) {
            FreeFrameRow(i);
            FramesLoaded[row] = 0;
        }
        if (FramesWanted[row] == 1 && FramesLoaded[row] == 0) {
            if (!LoadFrameRow(i, count, custom)) FailFrameLoad();
            FramesLoaded[row] = 1;
        }
    };
    for (int i = 0; i < kImageSets; ++i) {
        const auto row = static_cast<std::size_t>(i);
        if (i < kBuiltInSets) {
            syncRow(i, kBuiltInFrames, false);
            continue;
        }
        if (!classes.Active[i]) continue;
        const int s = classes.ImageSelection[i];
        if (s != shipdata::CustomImage) {
            // A user class drawn with a built-in set borrows that set's row.
            // A selection outside the built-in sets has no frames to load.
            if (s < 0 || s >= kBuiltInSets) continue;
            const auto borrowed = static_cast<std::size_t>(s);
            if (FramesWanted[row] == 1 && FramesLoaded[borrowed] == 0) {
                if (!LoadFrameRow(s, kBuiltInFrames, false)) FailFrameLoad();
                FramesLoaded[borrowed] = 1;
            }
            continue;
        }
        // A row holds at most kFramesPerSet frames, whatever ships.dat says.
        syncRow(i, std::clamp(classes.FrameCount[i], 0, kFramesPerSet), true);
    }
}

void TForm1::ReleaseAll() {
    ReleaseMedia();
    if (Visible()) Close();
}

void TForm1::ReleaseMedia() {
    for (auto& slot : SoundSlots) {
        if (!slot) continue;
        slot->Stop();
        slot.reset();
    }
    SoundDevice.reset();
    for (auto& frame : AsteroidFrames) frame.reset();
    for (int i = 0; i < kImageSets; ++i) FreeFrameRow(i);
    FramesLoaded.fill(0);
    DustSprite.reset();
    PointerSprite.reset();
    ScratchSurface.reset();
    for (auto& icon : DamagedIcons) icon.reset();
    for (auto& icon : BrokenIcons) icon.reset();
    FrameTimer.reset();
    Input.reset();
    WorkSurface.reset();
    for (auto& picture : PlanetPictures) picture.reset();
    Game.reset();
    Display.reset();
}

// ---- sound ----------------------------------------------------------------

VXSoundBuffer* TForm1::SoundSlot(int slot) const {
    if (SoundsOn != 1 || slot < 0 || slot >= kSoundSlotCount) return nullptr;
    return SoundSlots[static_cast<std::size_t>(slot)].get();
}

int TForm1::PlaySound(int slot, std::uint8_t loop, int pan, int volume) {
    VXSoundBuffer* buffer = SoundSlot(slot);
    if (!buffer) return 0;
    const int effects = Game ? Game->EffectsVolume : 0;
    return buffer->Play(loop == 1 ? 1 : 0, pan, volume + effects);
}

void TForm1::StopSound(int slot) {
    if (VXSoundBuffer* buffer = SoundSlot(slot)) buffer->Stop();
}

void TForm1::SetSoundVolume(int slot, int volume) {
    if (VXSoundBuffer* buffer = SoundSlot(slot)) buffer->SetVolume(volume);
}

void PlayOnce(int slot) { Form1->PlaySound(slot, 0, 0, 0); }

// ---- the program ----------------------------------------------------------

int WinMain() {
    try {
        Application->Initialize();
        Application->Title = "Quorvane";
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->Run();
    } catch (const std::exception& e) {
        Application->ShowException(e);
    }
    Form1 = nullptr;
    Form2 = nullptr;
    return 0;
}
