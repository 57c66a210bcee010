// The input phase: speed keys, window events, then the left button by screen.
#include "frame/frame.h"
#include "frame/records.h"
#include "ground/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "shell/records.h"
#include "tutorial/records.h"

#include "ground/game.h"
#include "ground/ground.h"
#include "persist/persist.h"
#include "shell/shell.h"
#include "towers/towers.h"
#include "tutorial/tutorial.h"
#include "ui/ui.h"

namespace {

void readSpeedKeys() {
    if (game.shared.input.speedKey1)
        game.waveClock.gameSpeed = 1;
    else if (game.shared.input.speedKey2)
        game.waveClock.gameSpeed = 2;
}

void readWindowEvents() {
    if (game.shared.input.closeRequested)
        game.frame.windowOpen = 0;
    if (game.shared.input.focus > 0)
        game.frame.hasFocus = 1;
    else if (game.shared.input.focus < 0)
        game.frame.hasFocus = 0;
}

// Whether the tutorial lets the player use the pedestals freely.
bool towerClicksAllowed() {
    if (game.progress.tutorialEnabled == 0 || game.shared.currentLevel == 3)
        return true;
    if (game.shared.currentLevel <= 1)
        return game.lesson.tutorialStep > StepBurgerButton && game.lesson.tutorialRunning == 1;
    return game.shared.currentLevel == 2 && game.lesson.level2TutorialClicks > 0;
}

void handleLevelPress() {
    // The victory or defeat panel lies over the whole level: only its "Continuer" answers.
    if (game.rating.levelWon != 0 || game.rating.levelLost != 0) {
        handleLevelEndPress();
        return;
    }
    // The HUD's buttons answer during the first level's lesson as they do in play: a press on one
    // is theirs, not the lesson's (the level-2 sign still counts every press).
    const bool onHud = game.shared.currentLevel <= 1 &&
                       onHudButton(game.shared.input.mouseX, game.shared.input.mouseY);
    if (game.progress.tutorialEnabled != 0 && !onHud)
        tutorialClick();
    handleGameButtons();
    if (game.waveClock.paused == 0 && towerClicksAllowed())
        handleTowerClick();
}

void dispatchPress() {
    switch (game.shared.screen) {
    case TitleMenu:
    case Options:
    case Help:
        handleMenuPanel();
        break;
    case LevelSelect:
        handleLevelSelect();
        handleMenuPanel();
        handlePadlockPress();
        break;
    case Shop:
        handleMenuPanel();
        resetShop();
        break;
    case InGame:
        handleLevelPress();
        break;
    case GameMenu:
        handleGameMenuClick();
        break;
    case Logo:
        if (game.shared.clickLatch == 0 && game.intro.introPhase == 2) {
            // The press that leaves the title picture only opens the menu: held on, it would
            // land on whatever panel button stands where it is.
            game.shared.screen = TitleMenu;
            game.shared.clickLatch = 1;
            playMusic(MusicMenu);
            endIntro();
        }
        break;
    case GameOptions:
        handleGameOptionsClick();
        break;
    default:
        break;
    }
}

} // namespace

void handleInput() {
    readSpeedKeys();
    readWindowEvents();
    if (game.frame.hasFocus == 0)
        return;
    handleGameKeys();
    if (!game.shared.input.leftDown) {
        game.shared.clickLatch = 0;
        game.frame.cursorSprite.setTextureRect(sf::IntRect(0, 0, 38, 37));
        return;
    }
    game.frame.cursorSprite.setTextureRect(sf::IntRect(38, 0, 38, 37));
    // A press on the black bars around the picture is outside the game: it does nothing.
    if (game.shared.input.onPicture)
        dispatchPress();
    // "Quitter" closes the game on the frame its press acts, however short the press was.
    if (game.shared.screen == Quit)
        game.frame.windowOpen = 0;
}
