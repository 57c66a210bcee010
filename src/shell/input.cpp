// The input phase: speed keys, window events, then the left button by screen.
#include "persist/persist.h"
#include "shell/game_state.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "towers/towers.h"
#include "tutorial/tutorial.h"
#include "ui/ui.h"

namespace {

void readSpeedKeys() {
    if (game.platform->speedKeyDown(1))
        game.gameSpeed = 1;
    else if (game.platform->speedKeyDown(2))
        game.gameSpeed = 2;
}

void drainEvents() {
    while (game.platform->pollEvent(game.event)) {
        if (game.event.type == sf::Event::Closed) {
            if (game.window)
                game.window->close();
        } else if (game.event.type == sf::Event::GainedFocus) {
            game.hasFocus = 1;
        } else if (game.event.type == sf::Event::LostFocus) {
            game.hasFocus = 0;
        }
    }
}

// Whether the tutorial lets the player use the pedestals freely.
bool towerClicksAllowed() {
    if (game.tutorialEnabled == 0 || game.currentLevel == 3)
        return true;
    if (game.currentLevel <= 1)
        return game.tutorialStep > 22 && game.tutorialRunning == 1;
    return game.currentLevel == 2 && game.level2TutorialClicks > 0;
}

void handleLevelPress() {
    if (game.tutorialEnabled == 1)
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
        if (game.window)
            game.window->close();
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

bool hitCentred(const sf::Sprite& sprite, int x, int y) {
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    const sf::Vector2f centre = sprite.getPosition();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return centre.x - bounds.width / 2 < fx && fx < centre.x + bounds.width / 2 &&
           centre.y - bounds.height / 2 < fy && fy < centre.y + bounds.height / 2;
}

bool hitTopLeft(const sf::Sprite& sprite, int x, int y) {
    const sf::FloatRect b = sprite.getGlobalBounds();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return b.left < fx && fx < b.left + b.width && b.top < fy && fy < b.top + b.height;
}

bool hitTopLeftInclusiveX(const sf::Sprite& sprite, int x, int y) {
    const sf::FloatRect b = sprite.getGlobalBounds();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return b.left <= fx && fx <= b.left + b.width && b.top < fy && fy < b.top + b.height;
}

bool hitBox(float left, float top, float width, float height, int x, int y) {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return left < fx && fx < left + width && top < fy && fy < top + height;
}

void handleInput() {
    readSpeedKeys();
    drainEvents();
    if (game.hasFocus == 0)
        return;
    if (!game.platform->leftButtonDown()) {
        game.clickLatch = 0;
        game.cursorSprite.setTextureRect(sf::IntRect(0, 0, 38, 37));
        return;
    }
    game.cursorSprite.setTextureRect(sf::IntRect(38, 0, 38, 37));
    sampleMouse();
    dispatchPress();
}
