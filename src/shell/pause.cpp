// Pause, game speed, the in-game menu and options, and the level's end overlay.
#include "shell/shell.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "level/level.h"
#include "persist/persist.h"
#include "towers/towers.h"
#include "tutorial/tutorial.h"
#include "ui/ui.h"

#include <algorithm>
#include <string>

namespace {

// The in-game menu's corner and items (boxes relative to the corner, strict bounds).
constexpr float menuX = 550, menuY = 130;
struct MenuBox {
    float left, right, top, bottom;
};
constexpr MenuBox menuHoverBoxes[4] = {
    {15, 240, 240, 290}, {15, 300, 335, 380}, {15, 195, 430, 475}, {15, 310, 525, 570}};
// Options and menu are pressed 5 pixels above where they light up.
constexpr MenuBox menuPressBoxes[4] = {
    {15, 240, 240, 290}, {15, 300, 335, 380}, {15, 195, 425, 470}, {15, 310, 520, 565}};
constexpr float menuArrows[4][2] = {{570, 380}, {570, 470}, {570, 565}, {570, 655}};

constexpr float effectsBarX = 576, effectsBarY = 669;
constexpr float musicBarX = 576, musicBarY = 482;
constexpr float backLabelX = 795, backLabelY = 779;

// The title menu's "Jouer" picture also closes the in-game options, as large as it stands once
// pressed on the way to the level (259 x 108 around its centre).
bool onPlayPicture(int x, int y) {
    sf::Sprite play = game.panelButtons[0];
    play.setScale(1.2f, 1.2f);
    return hitCentred(play, x, y);
}

bool insideMenuBox(const MenuBox& box, int x, int y) {
    const float fx = static_cast<float>(x) - menuX;
    const float fy = static_cast<float>(y) - menuY;
    return box.left < fx && fx < box.right && box.top < fy && fy < box.bottom;
}

bool lessonHolds() {
    return !tutorialGateOpen();
}

void setPauseFrame() {
    game.pauseButton.setTextureRect(game.paused ? sf::IntRect(43, 0, 43, 69)
                                                : sf::IntRect(0, 0, 43, 69));
}

// ---- the HUD buttons (screen 6)

void countdownSkip() {
    const int x = game.input.mouseX, y = game.input.mouseY;
    // An open tower menu is drawn over the wave preview: its buttons take the press.
    if (onTowerMenuButton(x, y))
        return;
    const bool firstTimerShown = !(game.mapNumber == 3 && game.wave <= 1);
    if ((firstTimerShown && hitCentred(game.countdownTimers[0], x, y)) ||
        (game.currentLevel == 3 && hitCentred(game.countdownTimers[1], x, y)))
        game.countdown = 0;
}

void enterGameMenu() {
    // A pause already running becomes the menu's freeze without a gap.
    if (game.paused == 0)
        beginFreeze();
    game.paused = 0;
    game.pausedOverLesson = 0;
    setPauseFrame();
    game.screen = GameMenu;
}

bool openGameMenu() {
    if (game.clickLatch != 0 ||
        !hitTopLeft(game.optionsButton, game.input.mouseX, game.input.mouseY))
        return false;
    enterGameMenu();
    game.clickLatch = 1;
    return true;
}

void togglePause() {
    if (game.paused == 0) {
        beginFreeze();
        game.paused = 1;
        game.pausedOverLesson = lessonHolds() ? 1 : 0;
    } else {
        game.paused = 0;
        game.pausedOverLesson = 0;
        leaveFrozenTimeOut(game.gameSpeed);
    }
    setPauseFrame();
}

void pauseButton() {
    const sf::Vector2f at = game.pauseButton.getPosition();
    if (!hitBox(at.x, at.y, 43, 69, game.input.mouseX, game.input.mouseY) || game.clickLatch != 0)
        return;
    togglePause();
    game.clickLatch = 1;
}

void resumeFromGameMenu() {
    leaveFrozenTimeOut(game.gameSpeed);
    game.screen = InGame;
}

// The lesson resumed by a press while the pause button is down: it has just left its frozen
// time out, so the pause counts on from here.
void settleLessonUnderPause() {
    if (game.paused == 1 && game.pausedOverLesson == 1 && !lessonHolds()) {
        freezeFromNow();
        game.pausedOverLesson = 0;
    }
}

void closeTowerMenu() {
    if (towerExists(game.selectedTower))
        game.selectedTower->showRange = 0;
    game.towerMenu = Closed;
    game.towerInfoVisible = 0;
}

void muteButton() {
    const sf::Vector2f at = game.muteButton.getPosition();
    if (game.clickLatch != 0 || !hitBox(at.x, at.y, 78, 39, game.input.mouseX, game.input.mouseY))
        return;
    if (game.muted == 0) {
        muteGameAudio();
        game.muted = 1;
        game.muteButton.setTextureRect(sf::IntRect(78, 0, 78, 39));
    } else {
        game.muted = 0;
        applyVolumes();
        game.muteButton.setTextureRect(sf::IntRect(0, 0, 78, 39));
    }
    game.clickLatch = 1;
}

void speedButton() {
    if (game.clickLatch != 0 || !hitTopLeft(game.speedButton, game.input.mouseX, game.input.mouseY))
        return;
    // A freeze running across the switch keeps its time so far at the old speed.
    if (game.paused == 1 || lessonHolds())
        leaveFrozenTimeOut(game.gameSpeed);
    if (game.gameSpeed == 1) {
        game.gameSpeed = 2;
        game.waveClockStart = game.waveClockStart + (game.now - game.waveClockStart) * 0.5f;
    } else if (game.gameSpeed == 2) {
        game.gameSpeed = 1;
        game.waveClockStart = game.waveClockStart - (game.now - game.waveClockStart);
    }
    game.clickLatch = 1;
    applySpeedPitch();
}

void continueButton() {
    if ((game.levelWon == 0 && game.levelLost == 0) ||
        !hitTopLeftInclusiveX(game.continueButton, game.input.mouseX, game.input.mouseY))
        return;
    game.screen = LevelSelect;
    game.levelLost = game.levelWon = 0;
    game.clickLatch = 1;
    for (SoundId sound : {SoundDefeatCrowd, SoundDefeatMusic, SoundApplause, SoundVictory})
        stopSound(sound);
    playMusic(MusicMenu);
    clearLevel();
}

void placeKnobs() {
    game.gameEffectsKnobX = knobForVolume(game.effectsVolume, game.gameEffectsBar.getPosition().x);
    game.gameMusicKnobX = knobForVolume(game.musicVolume, game.gameMusicBar.getPosition().x);
}

} // namespace

void handleGameButtons() {
    settleLessonUnderPause();
    countdownSkip();
    if (!openGameMenu())
        pauseButton();
    muteButton();
    speedButton();
}

void handleLevelEndPress() {
    continueButton();
}

void handleGameKeys() {
    const bool space = game.input.pauseKey, escape = game.input.menuKey;
    if (!space && !escape)
        return;
    switch (game.screen) {
    case InGame:
        // The keys act where their buttons would: not under the end panel, nor while the
        // lesson takes every press.
        if (game.levelWon != 0 || game.levelLost != 0 || lessonTakesPresses())
            return;
        settleLessonUnderPause();
        if (space)
            togglePause();
        if (escape) {
            if (game.towerMenu != Closed)
                closeTowerMenu();
            else
                enterGameMenu();
        }
        break;
    case GameMenu:
        if (escape)
            resumeFromGameMenu();
        break;
    case GameOptions:
        if (escape)
            game.screen = GameMenu; // as its back label
        break;
    default:
        break;
    }
}

void handleGameMenuClick() {
    if (game.clickLatch != 0)
        return;
    const int x = game.input.mouseX, y = game.input.mouseY;
    if (insideMenuBox(menuPressBoxes[0], x, y)) {
        resumeFromGameMenu();
    } else if (insideMenuBox(menuPressBoxes[1], x, y)) {
        setupCurrentLevel();
        game.screen = InGame;
    } else if (insideMenuBox(menuPressBoxes[2], x, y)) {
        game.screen = GameOptions;
        placeKnobs();
    } else if (insideMenuBox(menuPressBoxes[3], x, y)) {
        game.screen = TitleMenu;
        for (MusicId music : {MusicLevel1, MusicLevel2, MusicLevel3})
            stopMusic(music);
    } else {
        return;
    }
    game.clickLatch = 1;
}

void handleGameOptionsClick() {
    // The in-game options stay part of the menu's freeze: going back counts nothing yet.
    if (game.clickLatch == 0 && onPlayPicture(game.input.mouseX, game.input.mouseY)) {
        game.screen = GameMenu;
        game.clickLatch = 1;
    }
}

void updateGameMenu() {
    for (int item = 0; item < 4; ++item) {
        const bool lit = insideMenuBox(menuHoverBoxes[item], game.input.mouseX, game.input.mouseY);
        setSpriteTexture(game.gameMenuArrows[item],
                         lit ? game.fullArrowTexture : game.emptyArrowTexture, true);
    }
}

void updateGameOptions() {
    const int x = game.input.mouseX, y = game.input.mouseY;
    if (game.input.leftDown) {
        if (hitTopLeft(game.gameEffectsBar, x, y)) {
            game.gameEffectsKnobX = static_cast<float>(x);
            game.clickLatch = 1;
        } else if (hitTopLeft(game.gameMusicBar, x, y)) {
            game.gameMusicKnobX = static_cast<float>(x);
            game.clickLatch = 1;
        } else if (hitBox(backLabelX, backLabelY, 160, 20, x, y) && game.clickLatch == 0) {
            game.screen = GameMenu;
            game.clickLatch = 1;
        }
    }
    game.gameEffectsKnob.setPosition(game.gameEffectsKnobX,
                                     game.gameEffectsBar.getPosition().y + 5);
    game.gameMusicKnob.setPosition(game.gameMusicKnobX, game.gameMusicBar.getPosition().y + 5);
    updateScreenChoices(true);
    game.musicVolume = volumeForKnob(game.gameMusicKnobX, game.gameMusicBar.getPosition().x);
    game.effectsVolume = volumeForKnob(game.gameEffectsKnobX, game.gameEffectsBar.getPosition().x);
    applyVolumes();
}

void placeLevelEndStars() {
    game.ratingStars.setPosition(1475, 400);
    game.ratingStars.setScale(0.7f, 0.7f);
    game.objectiveStars.setPosition(1430, 725);
    game.objectiveStars.setScale(0.6f, 0.6f);
}

void initGameMenus() {
    game.gameMenuSprite = makeSprite(loadTexture(hudPath("IGmenu.png")), menuX, menuY);
    game.emptyArrowTexture = loadTexture(hudPath("EmptyFleche.png"));
    game.fullArrowTexture = loadTexture(hudPath("FullFleche.png"));
    for (int item = 0; item < 4; ++item)
        game.gameMenuArrows[item] =
            makeSprite(game.emptyArrowTexture, menuArrows[item][0], menuArrows[item][1]);

    game.gameOptionsSprite = makeSprite(loadTexture(hudPath("IGOptions.png")), menuX, menuY);
    const sf::Texture* bar = loadTexture(hudPath("volumeBar.png"));
    game.gameEffectsBar = makeSprite(bar, effectsBarX, effectsBarY);
    game.gameMusicBar = makeSprite(bar, musicBarX, musicBarY);
    game.gameOptionsBack =
        makeSprite(loadTexture(hudPath("igOptions retour.png")), backLabelX, backLabelY);
    game.gameEffectsKnob = makeVolumeKnob();
    game.gameMusicKnob = makeVolumeKnob();
    placeKnobs();
}
