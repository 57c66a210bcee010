// The records of the menus and the HUD: the HUD, the menu frame and level selection, the options,
// the help pages, the credits and the supplier shop. Each is written by this folder and the
// folders above it; the layers below only read it (ground/records.h).
#pragma once

#include "ground/types.h"

#include <SFML/Graphics.hpp>

#include <list>
#include <memory>
#include <string>

// A framed button with a word on it.
struct WordButton {
    sf::RectangleShape box;
    sf::Text label;
};

// A button of the options that makes the game speak a language ("FR", "EN").
struct LanguageButton {
    std::string code;
    sf::RectangleShape box;
    sf::Text label;
};
constexpr int maxLanguages = 6;

// HUD.
struct HudRecord {
    sf::Text moneyText;
    sf::Sprite hudPanel;
    sf::RectangleShape pauseVeil; // over the room while the game is paused
    sf::Text pauseSign;
    sf::Text waveText;
    sf::Text objectiveLabel;
    sf::Sprite ratingStars;
    sf::Sprite objectiveStars;
    sf::Sprite pauseButton;
    sf::Sprite optionsButton;
    sf::Sprite muteButton;
    sf::Sprite speedButton;
    sf::Sprite victoryPicture;
    sf::Sprite defeatPicture;
    sf::Sprite continueButton;
    sf::Sprite previewBoxes[2];
    sf::Sprite previewFaces[2][CustomerTypeCount];
    sf::Text previewCounts[2][CustomerTypeCount];
    sf::Sprite countdownTimers[2];
    int previewTimerOf[2] = {-1, -1}; // the timer shown with each preview box; -1: box hidden
    int previewFaceShown[2][CustomerTypeCount] = {};
};

// Menu frame and level selection.
struct MenusRecord {
    sf::Sprite menuContentBackground; // "Fond.png"
    sf::Sprite menuCabinet;           // "Borne v2.png"
    sf::Sprite menuOuterFrame;        // "FondMenu.png"
    // The logo: the intro plays it, and its last frame stays up over the menus.
    sf::Sprite logoSprite;
    sf::Texture logoTexture;
    sf::Sprite panelButtons[5]; // Jouer, Fournisseur, Options, Aides, Quitter
    sf::Text menuHeading;
    sf::Text starBalanceText;
    sf::Sprite levelCards[4]; // index = level 1..3
    sf::Text levelTitles[4];
    sf::Text levelDescriptions[4];
    sf::Sprite levelPadlocks[4]; // levels 2 and 3
    sf::Sprite previousArrow, nextArrow;
    sf::Text levelLabel;
    sf::Sprite bestRatingStars[4]; // index = level 1..3
    int carouselMoving = 0;
    int padlockAnimating[4] = {};
    int padlockFrame[4] = {};
    float padlockStepTime[4] = {};
    // The notice that the progress cannot be saved, with the save's path: shown once, over the
    // menus, for a few seconds.
    sf::RectangleShape saveNoticeBox;
    sf::Text saveNoticeTitle, saveNoticePath;
    float saveNoticeUntil = -1; // the game's time it goes; -1 while not shown
};

// Options: volume sliders, tutorial box, the button that deletes the saved game, and the.
struct OptionsRecord {
    // fullscreen box and language buttons (shown by both options screens)
    sf::Sprite volumesLabel, musicBar, effectsBar;
    sf::RectangleShape musicFill, effectsFill;
    sf::CircleShape musicKnob, effectsKnob;
    float musicKnobX = 0, effectsKnobX = 0;
    sf::Sprite tutorialBox;
    int tutorialBoxState = 1; // 1 "CaseTuto1.png" (tutorial on), 2 "CaseTuto2.png" (off)
    sf::Text tutorialLabel;
    sf::Sprite deleteButton;
    sf::Text deleteLabel;
    // "Suppr. partie" asks first: the question over the cabinet's window, yes or no.
    int deleteAsked = 0;
    sf::RectangleShape askVeil, askPanel;
    sf::Text askText;
    WordButton askYes, askNo;
    sf::Sprite fullscreenBox;
    int fullscreenBoxState = 0; // as tutorialBoxState: 1 ticked, 2 empty; 0 not drawn yet
    sf::Text fullscreenLabel;
    LanguageButton languageButtons[maxLanguages];
    int languageCount = 0;
    std::string languageAsked; // a language button pressed, spoken from the frame's end on
    int fullscreenAsked = 0;   // the fullscreen box pressed: the frame's end switches, as F11

    int fullscreen = 0; // the window fills the screen
};

// Help pages: 0 the two categories, 1 towers, 2 customers.
struct HelpRecord {
    int helpPage = 0;
    sf::Sprite helpCategories[2];    // towers, customers
    sf::Sprite helpFoods[3];         // burger, soda, fries
    sf::Sprite helpCustomers[4];     // bachelor, business man, family, big eater
    int helpFoodHovered[3] = {};     // same order
    int helpCustomerHovered[4] = {}; // same order
    sf::Text helpTitle, helpTowerText, helpCustomerText;
    // Under the categories: the controls, by the mouse and keys and by a gamepad.
    sf::Text controls[3];     // what, with the mouse and keys, with a gamepad
    sf::Text controlHeads[2]; // over the last two columns
};

// Credits: 0 idle, 1 sign animating, 2 sign open, 3 page shown.
struct CreditsRecord {
    int creditsState = 0;
    int creditsFrame = 0;
    float creditsStepTime = 0;
    sf::Sprite titleCredits; // the credits sign on the cabinet
    sf::Sprite creditsPage;
    int creditsScroll = 0;
    float creditsDragAnchor = 0;
    int creditsDragging = 0;
};

// Supplier shop.
struct ShopRecord {
    sf::Sprite shopBackground;
    sf::Sprite upgradePictures[TowerTypeCount][4]; // [type][level 1..3]
    sf::Sprite shopPadlocks[6]; // 0..2 level 2 of Fries, Burger, Soda; 3..5 their level 3
    sf::Sprite priceTags[6];    // the price of each, on the top edge of its picture
    int padlockFrames[6] = {};
    sf::Sprite shopResetButton;
    sf::Text shopResetLabel;
    int unlockState2 = 0, unlockState3 = 0; // 0 none, 1 padlock opening, 2 done: pay
    int unlockTarget2 = 0, unlockTarget3 = 0;
    float unlockStepTime = 0;
};
