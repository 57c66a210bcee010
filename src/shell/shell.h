// Shell: pause and game speed, the HUD's buttons, the in-game menu and options, the level's end
// overlay, and the intro (splash and logo).
#pragma once

#include "ground/records.h"
#include "render/render.h"

// Whether the point lies on the HUD's pause, in-game menu, mute or x2 button.
bool onHudButton(int x, int y);
// The HUD's pause, in-game menu, mute and x2 presses and the countdown timer (screen 6).
void handleGameButtons();
// The level's end overlay: its "Continuer" press (screen 6 while the level is won or lost).
void handleLevelEndPress();
// Space and Escape on the level and its menus: Space as the pause button, Escape opens the
// in-game menu (closing an open tower menu first), resumes from it, and leaves its options.
void handleGameKeys();
// The in-game menu's presses (screen 7) and the in-game options' close area (screen 11).
void handleGameMenuClick();
void handleGameOptionsClick();
// Loads the in-game menu and options pictures.
void initGameMenus();
// Late rules of the in-game menu (its arrows follow the pointer) and of the in-game options
// (the sliders, the back label and the volumes).
void updateGameMenu();
void updateGameOptions();
// Moves the two star pictures onto the victory or defeat panel.
void placeLevelEndStars();
void drawGameMenu(const GameSight& state, Renderer& renderer);
void drawGameOptions(const GameSight& state, Renderer& renderer);
void drawLevelEnd(const GameSight& state, Renderer& renderer);

// Intro: the splash's update, the logo screen's late rules (its frames, the slide, the prompt).
// The splash's pictures, read before the first frame.
void initSplash();
// The logo screen's and the title picture's.
void initIntro();
// Lets go of the pictures only the intro shows (the title menu has opened).
void endIntro();
// The prompt's words and the logo's picture, in the language spoken.
void relabelIntro();
void updateSplash();
void updateLogoScreen();
void drawSplash(const GameSight& state, Renderer& renderer);
void drawLogoScreen(const GameSight& state, Renderer& renderer);
