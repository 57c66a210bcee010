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
// Options: the sliders, tutorial box and delete button (reacting while drawn), the delete
// button and its label drawn over the menu frame, and the knobs placed from the volumes.
void initOptions();
void drawOptions();
void drawDeleteButton();
void placeVolumeKnobs();
// Help: the category and page pictures (reacting while drawn), the page texts, and the food
// pictures with the page title drawn over the menu frame on the towers page.
void initHelp();
void drawHelp();
void drawHelpTexts();
void drawHelpFoods();
// Credits: the sign's hot spots, its animation and the scrollable page.
void initCredits();
void handleCreditsPress();
void stepCreditsSign();
void drawCreditsPage();
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
