// The options screen: music on or off, effects and music volume, asteroid
// count, gravity and planet size. Changes take effect in GameState at once and
// are written to config.cfg when the game quits.
#pragma once

struct GameState;

// One frame; returns Options, or MainMenu on Esc, B or the Back item.
int OptionsScreen(GameState* game);

// Volumes are attenuations in hundredths of a decibel: 0 is full, -2000 the
// quietest step, -10000 off.
inline constexpr int kVolumeOff = -10000;
inline constexpr int kVolumeQuietest = -2000;
inline constexpr int kVolumeStep = 100;

// One step down or up, as the volume keys make it.
int VolumeDown(int volume);
int VolumeUp(int volume);
