// The main window of Korvanth: start-up, the frame loop, the media it owns and
// the sound wrappers every screen plays through.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "game/program/gamestate.h"
#include "platform/forms/forms.h"
#include "vx/vxformat.h"

class VXScreen;
class VXSurface;
class VXSprite;
class VXSound;
class VXSoundBuffer;
class VXInput;
class VXTimer;

// Number of ship classes (image sets), and the frame slots of one set.
inline constexpr int kImageSets = 44;
inline constexpr int kFramesPerSet = 360;
inline constexpr int kBuiltInSets = 24;
inline constexpr int kBuiltInFrames = 60;
inline constexpr int kSoundSlotCount = 44;
inline constexpr int kPlanetPictureCount = 21;
inline constexpr int kAsteroidFrameCount = 30;
inline constexpr int kIconCount = 6;

// ScreenId: the screen a handler draws and the one it hands over to.
enum ScreenId : int {
    ScreenPlay = 0,
    ScreenMainMenu = 1,
    ScreenBattleMenu = 2,
    ScreenChoosePilots = 3,
    ScreenOptions = 4,
    ScreenShipSelections = 5,
    ScreenBattlePick = 6,
    ScreenQuickGame = 7,
    ScreenQuit = 8,
};

// The 14 interface colours as pixel values of the work surface, converted once
// at start-up from their COLORREF constants (0x00BBGGRR).
struct UIColourSet {
    PixelValue ColourWhite;       // 0xFFFFFF
    PixelValue ColourGrey;        // 0xA0A0A0
    PixelValue ColourDarkGrey;    // 0x5A5A5A
    PixelValue ColourRed;         // 0x0000FF
    PixelValue ColourLightRed;    // 0x6464FF
    PixelValue ColourMidRed;      // 0x3232FF
    PixelValue ColourGreen;       // 0x00A000
    PixelValue ColourLightGreen;  // 0x5AFF5A
    PixelValue ColourBlue;        // 0xFF0000
    PixelValue ColourLightBlue;   // 0xFF6464
    PixelValue ColourPaleBlue;    // 0xFFAAAA
    PixelValue ColourAzure;       // 0xFFB41E
    PixelValue ColourYellow;      // 0x00FFFF
    PixelValue ColourOrange;      // 0x6EA0F0
};

// The COLORREF of each UIColourSet member, in member order.
extern const std::array<std::uint32_t, 14> kUIColourRefs;

// The members of UIColourSet, in the order of kUIColourRefs: the one way to
// walk the set.
inline constexpr std::array<PixelValue UIColourSet::*, 14> kUIColourMembers = {
    &UIColourSet::ColourWhite,     &UIColourSet::ColourGrey,       &UIColourSet::ColourDarkGrey,
    &UIColourSet::ColourRed,       &UIColourSet::ColourLightRed,   &UIColourSet::ColourMidRed,
    &UIColourSet::ColourGreen,     &UIColourSet::ColourLightGreen, &UIColourSet::ColourBlue,
    &UIColourSet::ColourLightBlue, &UIColourSet::ColourPaleBlue,   &UIColourSet::ColourAzure,
    &UIColourSet::ColourYellow,    &UIColourSet::ColourOrange,
};

// printf pattern of the frame files of each image set; rows 24..43 take the
// class's folder and file prefix before the frame number.
extern const std::array<const char*, kImageSets> kFramePatterns;

// The sound slots, each named for what it sounds: the index into
// kSoundSlotFiles and SoundSlots. The engines loop, panned to the ship's side;
// the music loops centred; every other slot is a one-shot effect.
enum SoundSlotId : int {
    SoundMusic = 0,
    SoundAWingEngine = 1,
    SoundBWingEngine = 2,
    SoundTieEngine = 3,
    SoundXWingEngine = 4,
    SoundYWingEngine = 5,
    SoundGunshipEngine = 6,
    SoundImperialLaser = 7,
    SoundRebelLaser = 8,
    SoundLowPowerLaser = 9,
    SoundIonCannon = 10,
    SoundMissileLaunch = 11,
    SoundAstroDroid = 12,
    SoundHitHull = 13,
    SoundHitShield = 14,
    SoundEmptySlot = 15,  // no file: the slot stays silent
    SoundMissileHit = 16,
    SoundParticleHit = 17,
    SoundCollision = 18,
    SoundExplosion = 19,
    SoundSelect = 20,
    SoundSelect2 = 21,
    SoundColonialLaser = 22,
    SoundCylonLaser = 23,
    SoundViperEngine = 24,
    SoundRaiderEngine = 25,
    SoundStarfuryShot = 26,
    SoundPowerPhaser = 27,
    SoundPhaser = 28,
    SoundPulsePhaser = 29,
    SoundTorpedo = 30,
    SoundBridgeEngine = 31,
    SoundNialEngine = 32,
    SoundMinbariEngine = 33,
    SoundMinbariShot = 34,
    SoundAllianceBeam = 35,
    SoundStarFleetBeep = 36,
    SoundStarFleetBeep2 = 37,
    SoundAllianceBeep = 38,
    SoundAllianceBeep2 = 39,
    SoundPhasing = 40,
    SoundCloaking = 41,
    SoundUncloaking = 42,
    SoundTeleport = 43,
};
static_assert(SoundTeleport + 1 == kSoundSlotCount, "every sound slot has a name");

// One sound slot: its WAV file (nullptr: the slot stays empty) and voices.
struct SoundSlotFile {
    const char* File;
    int Voices;
};
// By SoundSlotId.
extern const std::array<SoundSlotFile, kSoundSlotCount> kSoundSlotFiles;

// Thrown by SyncShipFrames when a frame file cannot be loaded: the rest of the
// frame is abandoned and the main loop ends on the quit message.
struct FrameAbandoned {};

class TForm1 : public TForm {
public:
    TForm1();
    ~TForm1() override;

    // The title picture, stretched over the window while the dialog is up.
    std::unique_ptr<TImage> Image1;

    std::uint8_t SoundsOn = 1;
    std::array<std::uint8_t, kImageSets> FramesLoaded{};
    std::array<std::uint8_t, kImageSets> FramesWanted{};
    GameStatePtr Game;
    int ScreenState = ScreenMainMenu;
    int KeyState[128] = {};
    // Keys that went down since a frame last read KeyState, and of those the
    // ones already let go: a tap between two frames still reads as down for
    // the one frame that follows.
    std::array<std::uint8_t, 128> KeyDownUnread{};
    std::array<std::uint8_t, 128> KeyUpPending{};
    UIColourSet UIColours{};
    std::unique_ptr<VXScreen> Display;
    std::unique_ptr<VXSurface> WorkSurface;
    // earth1, jupiter, io, calisteo, mars, titan, titania, tethys, venus,
    // ganymede, neptune, uranus, ariel, encelad, iapetus, umbriel, rhea,
    // mimas, miranda, europa, moon
    std::array<std::unique_ptr<VXSurface>, kPlanetPictureCount> PlanetPictures;
    std::array<std::array<std::unique_ptr<VXSurface>, kFramesPerSet>, kImageSets> ShipFrameTable;
    std::array<std::string, kImageSets> FramePattern;
    std::array<std::unique_ptr<VXSurface>, kAsteroidFrameCount> AsteroidFrames;
    std::unique_ptr<VXSurface> ScratchSurface;
    // missiles, shields, thrust, turning, generator, weapon
    std::array<std::unique_ptr<VXSurface>, kIconCount> DamagedIcons;
    std::array<std::unique_ptr<VXSurface>, kIconCount> BrokenIcons;
    std::unique_ptr<VXSprite> DustSprite;
    std::unique_ptr<VXSound> SoundDevice;
    std::unique_ptr<VXInput> Input;
    std::unique_ptr<VXSprite> PointerSprite;
    std::array<std::unique_ptr<VXSoundBuffer>, kSoundSlotCount> SoundSlots;
    std::unique_ptr<VXTimer> FrameTimer;
    int ModeWidth = 800;
    int ModeHeight = 600;
    std::uint8_t QuitChosen = 0;

    // Event handlers bound in the constructor.
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
    void FormKeyUp(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
    void OnAppException(TObject* Sender, const std::exception& E);

    void RunFrame();
    // A frame has read KeyState: the releases held back for it take effect.
    void KeysRead();
    void PresentFrame();
    void DrawLoadingBar(float percent);
    void SyncShipFrames();
    void ReleaseAll();

    // Sound by slot (a SoundSlotId); each does nothing while SoundsOn is 0.
    int PlaySound(int slot, std::uint8_t loop, int pan, int volume);
    void StopSound(int slot);
    void SetSoundVolume(int slot, int volume);

private:
    // The whole start-up, run once from FormActivate, and its steps in their
    // order.
    void StartUp();
    // What is made before the video-mode dialog: the exception handler, the
    // timer, game state, input and pointer sprite, and the display, whose
    // modes the dialog lists.
    void CreateCoreObjects();
    // The video-mode dialog; false when the game is not to start (the player
    // quit, or a fault ended the application).
    bool RunVideoDialog();
    // Hides the cursor and shrinks the window before the full-screen mode.
    void ShrinkWindow();
    // The sound device and the slots of kSoundSlotFiles, loaded when sound
    // is on and the device could be made.
    void LoadSounds();
    // The full-screen display and the work surface; each failure is a fatal
    // error box.
    void CreateDisplay();
    // The asteroid frames, the scratch surface, the interface colours and the
    // planet pictures (a missing planet is a fatal error box).
    void LoadPictures();
    // Both display buffers and the work surface filled black.
    void ClearDisplay();
    // The damaged and broken system icons.
    void LoadIcons();
    // The dust and pointer sprites, the input device and the mouse.
    void CreateSpritesAndInput();
    // Makes picture a new surface loaded from a picture file with colour key
    // 0, and returns whether the file was loaded; a file that fails to load
    // still leaves a keyed surface, with no picture in it.
    bool LoadKeyedPicture(std::unique_ptr<VXSurface>& picture, const char* file);

    void MainLoop();
    bool LoadFrameRow(int row, int count, bool custom);
    void FreeFrameRow(int row);
    // Every media object and the game state, in release order; the window
    // stays open.
    void ReleaseMedia();
    // The buffer of a sound slot, or nullptr while SoundsOn is 0 or when the
    // slot is out of range or empty.
    VXSoundBuffer* SoundSlot(int slot) const;

    // Whether the copy of the work surface overwrites the whole back buffer.
    bool CopyCoversBackBuffer() const;

    bool started_ = false;            // FormActivate runs the game once only
    bool backBufferToClear_ = false;  // RunFrame's clear, still to be done
};

extern TForm1* Form1;

// A screen handler draws one frame of its screen and returns the next ScreenId.
using ScreenHandler = int (*)(GameState* game);
// Indexed by ScreenId 0..7, one handler for each screen (screens.cpp).
extern std::array<ScreenHandler, 8> ScreenHandlers;

// Plays a sound slot once through Form1, centred and at the slot's own
// volume; a slot out of range (such as -1 for "no sound") plays nothing.
void PlayOnce(int slot);

// The program: initialises the application, creates both forms and runs.
int WinMain();
