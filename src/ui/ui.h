// Menus and HUD: the menu screens, level selection, options, help, credits, shop, HUD.
#pragma once

#include "ground/records.h"
#include "render/render.h"

// Creates the menu objects and sets the first screen.
void initMenus();
// Late rules of the menu screens: the balance of stars, the hovered panel buttons, the
// section's own (carousel and padlocks, sliders and check box, help pages), the credits.
void updateMenuFrame();
// Level-selection and menu-panel presses.
void handleLevelSelect();
void handleMenuPanel();
void handlePadlockPress();
// Per-frame frames of the level cards 2 and 3.
void updateLevelCards();
// Starts the level currentLevel from the level selection.
void startLevel();

// Options: the sliders, the tutorial box and the delete button, reacting to the held button.
void initOptions();
void updateOptions();
// The screen's choices on both options screens: the fullscreen box and the language buttons.
void initScreenChoices();
void updateScreenChoices(bool inGame);
void labelScreenChoices();
void drawScreenChoices(const GameSight& state, Renderer& renderer);
// Every label the menus and the HUD made once, in the language spoken.
void labelMenus();
void labelOptions();
void labelLevelCards();
void labelShop();
void labelHud();
void labelHelp();
void placeVolumeKnobs();
// 551 pixels of a volume bar are the range 0 to 100, in the menu and in the game.
constexpr float volumeBarRange = 551.0f;
// A volume slider on a bar that starts at barX: where the knob of a volume (0..100) stands, and
// the volume a knob's place gives (the bar is a little wider than its range: its last pixels
// stay at 100).
float knobForVolume(float volume, float barX);
float volumeForKnob(float knobX, float barX);
// A volume knob: grey disc, black outline, hung from its horizontal centre.
sf::CircleShape makeVolumeKnob();

// Help: the category pictures, the hovered page pictures, and the texts they tell.
void initHelp();
void updateHelp();
void updateHelpTexts();
// Credits: the sign's hot spots, its animation and the page dragged up and down.
void initCredits();
void handleCreditsPress();
void stepCreditsSign();
void dragCreditsPage();

// Supplier shop.
void initShop();
void updateShop();
void resetShop();

// In-game HUD: its texts and stars, the wave preview placed for the map and wave, the timer's
// hover.
void initHud();
void refreshHud();
void placeWavePreview();
void setTimerHoverScale();

// Drawing: the menu frame with its section, the options' delete button (and its question),
// the help page's foods, the shop, the HUD and the wave preview.
void drawMenu(const GameSight& state, Renderer& renderer);
// Makes the menus' still backdrop ready while the title picture shows, before they open.
void prepareMenuBackdrop(const GameSight& state, Renderer& renderer);
void drawDeleteButton(const GameSight& state, Renderer& renderer);
void drawHelpFoods(const GameSight& state, Renderer& renderer);
void drawShop(const GameSight& state, Renderer& renderer);
void drawHud(const GameSight& state, Renderer& renderer);
// The room dimmed under "Pause" while the game is paused (not under the in-game menu).
void drawPauseVeil(const GameSight& state, Renderer& renderer);
void drawWavePreview(const GameSight& state, Renderer& renderer);
