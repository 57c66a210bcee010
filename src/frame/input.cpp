// The input phase: speed keys, window events, then the left button by screen.
#include "frame/frame.h"

#include "ground/game.h"
#include "ground/ground.h"
#include "persist/persist.h"
#include "shell/shell.h"
#include "towers/towers.h"
#include "tutorial/tutorial.h"
#include "ui/ui.h"

namespace {

void readSpeedKeys() {
    if (game.input.speedKey1)
        game.gameSpeed = 1;
    else if (game.input.speedKey2)
        game.gameSpeed = 2;
}

void readWindowEvents() {
    if (game.input.closeRequested)
        game.windowOpen = 0;
    if (game.input.focus > 0)
        game.hasFocus = 1;
    else if (game.input.focus < 0)
        game.hasFocus = 0;
}

// Whether the tutorial lets the player use the pedestals freely.
bool towerClicksAllowed() {
    if (game.tutorialEnabled == 0 || game.currentLevel == 3)
        return true;
    if (game.currentLevel <= 1)
        return game.tutorialStep > StepBurgerButton && game.tutorialRunning == 1;
    return game.currentLevel == 2 && game.level2TutorialClicks > 0;
}

void handleLevelPress() {
    // The victory or defeat panel lies over the whole level: only its "Continuer" answers.
    if (game.levelWon != 0 || game.levelLost != 0) {
        handleLevelEndPress();
        return;
    }
    if (game.tutorialEnabled != 0)
        tutorialClick();
    handleGameButtons();
    if (game.paused == 0 && towerClicksAllowed())
        handleTowerClick();
}

void dispatchPress() {
    switch (game.screen) {
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
    case Quit:
        game.windowOpen = 0;
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
        if (game.clickLatch == 0 && game.introPhase == 2) {
            // The latch stays free: a press still held acts on the title menu next frame.
            game.screen = TitleMenu;
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
    if (game.hasFocus == 0)
        return;
    handleGameKeys();
    if (!game.input.leftDown) {
        game.clickLatch = 0;
        game.cursorSprite.setTextureRect(sf::IntRect(0, 0, 38, 37));
        return;
    }
    game.cursorSprite.setTextureRect(sf::IntRect(38, 0, 38, 37));
    // A press on the black bars around the picture is outside the game: it does nothing.
    if (game.input.onPicture)
        dispatchPress();
}
