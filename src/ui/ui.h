// Menus and HUD: the menu screens, level selection, options, help, credits, shop, HUD.
#pragma once

// Creates the menu objects and sets the first screen.
void initMenus();
// The shared menu frame and the section contents of the menu screens.
void drawMenu();
// Level-selection and menu-panel presses.
void handleLevelSelect();
void handleMenuPanel();
void handlePadlockPress();
// Per-frame frames of the level cards 2 and 3.
void updateLevelCards();
// Supplier shop.
void initShop();
void updateShop();
void drawShop();
void resetShop();
// In-game HUD.
void initHud();
void drawHud();
void drawWavePreview();
void setTimerHoverScale();
// Starts the level currentLevel from the level selection.
void startLevel();
