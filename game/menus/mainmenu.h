// The main menu, the hub of the game, and its three scrolling text pages:
// the intro story shown once at start-up, the credits (INFO) and the keyboard
// commands (HELP).
#pragma once

struct GameState;

// MainMenuPage values.
inline constexpr int kPageIntro = 0;
inline constexpr int kPageCredits = 1;
inline constexpr int kPageKeys = 2;
inline constexpr int kPageMenu = 3;

// One frame of the main menu, or of the text page it is showing. Returns the
// main menu, the screen an item opens (quick game, battle menu, options) or
// Quit, after saving the statistics and the options.
int MainMenuScreen(GameState* game);

// One frame of text page 0, 1 or 2, drawn into the locked work surface (left
// locked). Ends the page by setting MainMenuPage to the menu.
void ShowTextPage(GameState& game, int page);
