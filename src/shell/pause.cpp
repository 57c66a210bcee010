// Pause, game speed, the in-game menu and options, and the level's end overlay.
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "shell/records.h"
#include "shell/shell.h"
#include "towers/records.h"
#include "ui/records.h"

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
constexpr MenuBox menuHoverBoxes[5] = {{15, 240, 240, 290},
                                       {15, 300, 335, 380},
                                       {15, 195, 430, 475},
                                       {15, 310, 525, 570},
                                       {15, 350, 620, 665}};
// Options and menu are pressed 5 pixels above where they light up.
constexpr MenuBox menuPressBoxes[5] = {{15, 240, 240, 290},
                                       {15, 300, 335, 380},
                                       {15, 195, 425, 470},
                                       {15, 310, 520, 565},
                                       {15, 350, 620, 665}};
constexpr float menuArrows[5][2] = {{570, 380}, {570, 470}, {570, 565}, {570, 655}, {570, 750}};
// The menu's picture: its four items, and beside them the same with a fifth, taller.
const sf::IntRect fourItems(0, 0, 640, 640), fiveItems(640, 0, 640, 735);

constexpr float effectsBarX = 576, effectsBarY = 669;
constexpr float musicBarX = 576, musicBarY = 482;
constexpr float backLabelX = 795, backLabelY = 779;

// The title menu's "Jouer" picture also closes the in-game options, as large as it stands once
// pressed on the way to the level (259 x 108 around its centre).
bool onPlayPicture(int x, int y) {
    sf::Sprite play = game.menus.panelButtons[0];
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
    game.hud.pauseButton.setTextureRect(game.waveClock.paused ? sf::IntRect(43, 0, 43, 69)
                                                              : sf::IntRect(0, 0, 43, 69));
}

// ---- the HUD buttons (screen 6)

void countdownSkip() {
    const int x = game.shared.input.mouseX, y = game.shared.input.mouseY;
    // An open tower menu is drawn over the wave preview: its buttons take the press.
    if (onTowerMenuButton(x, y))
        return;
    const bool firstTimerShown = !(game.level.mapNumber == 3 && game.waves.wave <= 1);
    if ((firstTimerShown && hitCentred(game.hud.countdownTimers[0], x, y)) ||
        (game.shared.currentLevel == 3 && hitCentred(game.hud.countdownTimers[1], x, y)))
        game.waveClock.countdown = 0;
}

void enterGameMenu() {
    // A pause already running becomes the menu's freeze without a gap.
    if (game.waveClock.paused == 0)
        beginFreeze();
    game.waveClock.paused = 0;
    game.pause.pausedOverLesson = 0;
    setPauseFrame();
    game.shared.screen = GameMenu;
}

bool openGameMenu() {
    if (game.shared.clickLatch != 0 ||
        !hitTopLeft(game.hud.optionsButton, game.shared.input.mouseX, game.shared.input.mouseY))
        return false;
    enterGameMenu();
    game.shared.clickLatch = 1;
    return true;
}

void togglePause() {
    if (game.waveClock.paused == 0) {
        beginFreeze();
        game.waveClock.paused = 1;
        game.pause.pausedOverLesson = lessonHolds() ? 1 : 0;
    } else {
        game.waveClock.paused = 0;
        game.pause.pausedOverLesson = 0;
        leaveFrozenTimeOut(game.waveClock.gameSpeed);
    }
    setPauseFrame();
}

void pauseButton() {
    const sf::Vector2f at = game.hud.pauseButton.getPosition();
    if (!hitBox(at.x, at.y, 43, 69, game.shared.input.mouseX, game.shared.input.mouseY) ||
        game.shared.clickLatch != 0)
        return;
    togglePause();
    game.shared.clickLatch = 1;
}

void resumeFromGameMenu() {
    leaveFrozenTimeOut(game.waveClock.gameSpeed);
    game.shared.screen = InGame;
}

// The lesson resumed by a press while the pause button is down: it has just left its frozen
// time out, so the pause counts on from here.
void settleLessonUnderPause() {
    if (game.waveClock.paused == 1 && game.pause.pausedOverLesson == 1 && !lessonHolds()) {
        freezeFromNow();
        game.pause.pausedOverLesson = 0;
    }
}

void muteButton() {
    const sf::Vector2f at = game.hud.muteButton.getPosition();
    if (game.shared.clickLatch != 0 ||
        !hitBox(at.x, at.y, 78, 39, game.shared.input.mouseX, game.shared.input.mouseY))
        return;
    game.sound.muted = game.sound.muted == 0 ? 1 : 0;
    applyVolumes();
    game.shared.clickLatch = 1;
}

void speedButton() {
    if (game.shared.clickLatch != 0 ||
        !hitTopLeft(game.hud.speedButton, game.shared.input.mouseX, game.shared.input.mouseY))
        return;
    // A freeze running across the switch keeps its time so far at the old speed.
    if (game.waveClock.paused == 1 || lessonHolds())
        leaveFrozenTimeOut(game.waveClock.gameSpeed);
    if (game.waveClock.gameSpeed == 1) {
        game.waveClock.gameSpeed = 2;
        game.waveClock.waveClockStart =
            game.waveClock.waveClockStart + (game.clock.now - game.waveClock.waveClockStart) * 0.5f;
    } else if (game.waveClock.gameSpeed == 2) {
        game.waveClock.gameSpeed = 1;
        game.waveClock.waveClockStart =
            game.waveClock.waveClockStart - (game.clock.now - game.waveClock.waveClockStart);
    }
    game.shared.clickLatch = 1;
    applySpeedPitch();
}

void continueButton() {
    if ((game.rating.levelWon == 0 && game.rating.levelLost == 0) ||
        !hitTopLeftInclusiveX(game.hud.continueButton, game.shared.input.mouseX,
                              game.shared.input.mouseY))
        return;
    game.shared.screen = LevelSelect;
    game.rating.levelLost = game.rating.levelWon = 0;
    game.shared.clickLatch = 1;
    for (SoundId sound : {SoundDefeatCrowd, SoundDefeatMusic, SoundApplause, SoundVictory})
        stopSound(sound);
    playMusic(MusicMenu);
    clearLevel();
}

void placeKnobs() {
    game.gameMenu.gameEffectsKnobX =
        knobForVolume(game.sound.effectsVolume, game.gameMenu.gameEffectsBar.getPosition().x);
    game.gameMenu.gameMusicKnobX =
        knobForVolume(game.sound.musicVolume, game.gameMenu.gameMusicBar.getPosition().x);
}

} // namespace

bool onHudButton(int x, int y) {
    const sf::Vector2f pause = game.hud.pauseButton.getPosition();
    const sf::Vector2f mute = game.hud.muteButton.getPosition();
    return hitBox(pause.x, pause.y, 43, 69, x, y) || hitTopLeft(game.hud.optionsButton, x, y) ||
           hitBox(mute.x, mute.y, 78, 39, x, y) || hitTopLeft(game.hud.speedButton, x, y);
}

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
    const bool space = game.shared.input.pauseKey, escape = game.shared.input.menuKey;
    const bool menu = game.shared.input.gameMenuKey; // the pad's Y
    if (!space && !escape && !menu)
        return;
    switch (game.shared.screen) {
    case InGame:
        // The keys act where their buttons would: not under the end panel.
        if (game.rating.levelWon != 0 || game.rating.levelLost != 0)
            return;
        settleLessonUnderPause();
        if (space)
            togglePause();
        if (escape || menu) {
            // Escape closes an open tower menu first, but not one the lesson opened (it waits
            // for the lesson's press); Y goes to the in-game menu at once.
            const bool towerMenuOpen =
                game.defence.towerMenu != Closed && !lessonTakesPresses();
            if (towerMenuOpen)
                closeTowerMenu();
            if (menu || !towerMenuOpen)
                enterGameMenu();
        }
        break;
    case GameMenu:
        if (escape || menu)
            resumeFromGameMenu();
        break;
    case GameOptions:
        if (escape)
            game.shared.screen = GameMenu; // as its back label
        break;
    default:
        break;
    }
}

void handleGameMenuClick() {
    if (game.shared.clickLatch != 0)
        return;
    const int x = game.shared.input.mouseX, y = game.shared.input.mouseY;
    if (insideMenuBox(menuPressBoxes[0], x, y)) {
        resumeFromGameMenu();
    } else if (insideMenuBox(menuPressBoxes[1], x, y)) {
        setupCurrentLevel();
        game.shared.screen = InGame;
    } else if (insideMenuBox(menuPressBoxes[2], x, y)) {
        game.shared.screen = GameOptions;
        placeKnobs();
    } else if (insideMenuBox(menuPressBoxes[3], x, y)) {
        game.shared.screen = TitleMenu;
        for (MusicId music : {MusicLevel1, MusicLevel2, MusicLevel3})
            stopMusic(music);
    } else if (firstLessonOn() && insideMenuBox(menuPressBoxes[4], x, y)) {
        resumeFromGameMenu();
        skipLesson();
    } else {
        return;
    }
    game.shared.clickLatch = 1;
}

void handleGameOptionsClick() {
    // The in-game options stay part of the menu's freeze: going back counts nothing yet.
    if (game.shared.clickLatch == 0 &&
        onPlayPicture(game.shared.input.mouseX, game.shared.input.mouseY)) {
        game.shared.screen = GameMenu;
        game.shared.clickLatch = 1;
    }
}

void updateGameMenu() {
    game.gameMenu.gameMenuItems = firstLessonOn() ? 5 : 4;
    const sf::IntRect& picture = game.gameMenu.gameMenuItems == 5 ? fiveItems : fourItems;
    if (game.gameMenu.gameMenuSprite.getTextureRect() != picture)
        game.gameMenu.gameMenuSprite.setTextureRect(picture);
    for (int item = 0; item < game.gameMenu.gameMenuItems; ++item) {
        const bool lit =
            insideMenuBox(menuHoverBoxes[item], game.shared.input.mouseX, game.shared.input.mouseY);
        setSpriteTexture(game.gameMenu.gameMenuArrows[item],
                         lit ? game.gameMenu.fullArrowTexture : game.gameMenu.emptyArrowTexture,
                         true);
    }
}

void updateGameOptions() {
    const int x = game.shared.input.mouseX, y = game.shared.input.mouseY;
    if (game.shared.input.leftDown) {
        if (hitTopLeft(game.gameMenu.gameEffectsBar, x, y)) {
            game.gameMenu.gameEffectsKnobX = static_cast<float>(x);
            game.shared.clickLatch = 1;
        } else if (hitTopLeft(game.gameMenu.gameMusicBar, x, y)) {
            game.gameMenu.gameMusicKnobX = static_cast<float>(x);
            game.shared.clickLatch = 1;
        } else if (hitBox(backLabelX, backLabelY, 160, 20, x, y) && game.shared.clickLatch == 0) {
            game.shared.screen = GameMenu;
            game.shared.clickLatch = 1;
        }
    }
    game.gameMenu.gameEffectsKnob.setPosition(game.gameMenu.gameEffectsKnobX,
                                              game.gameMenu.gameEffectsBar.getPosition().y + 5);
    game.gameMenu.gameMusicKnob.setPosition(game.gameMenu.gameMusicKnobX,
                                            game.gameMenu.gameMusicBar.getPosition().y + 5);
    updateScreenChoices(true);
    game.sound.musicVolume =
        volumeForKnob(game.gameMenu.gameMusicKnobX, game.gameMenu.gameMusicBar.getPosition().x);
    game.sound.effectsVolume =
        volumeForKnob(game.gameMenu.gameEffectsKnobX, game.gameMenu.gameEffectsBar.getPosition().x);
    applyVolumes();
}

void placeLevelEndStars() {
    game.hud.ratingStars.setPosition(1475, 400);
    game.hud.ratingStars.setScale(0.7f, 0.7f);
    game.hud.objectiveStars.setPosition(1430, 725);
    game.hud.objectiveStars.setScale(0.6f, 0.6f);
}

void initGameMenus() {
    game.gameMenu.gameMenuSprite = makeSprite(loadTexture(hudPath("IGmenu.png")), menuX, menuY);
    game.gameMenu.gameMenuSprite.setTextureRect(fourItems);
    game.gameMenu.emptyArrowTexture = loadTexture(hudPath("EmptyFleche.png"));
    game.gameMenu.fullArrowTexture = loadTexture(hudPath("FullFleche.png"));
    for (int item = 0; item < 5; ++item)
        game.gameMenu.gameMenuArrows[item] =
            makeSprite(game.gameMenu.emptyArrowTexture, menuArrows[item][0], menuArrows[item][1]);

    game.gameMenu.gameOptionsSprite =
        makeSprite(loadTexture(hudPath("IGOptions.png")), menuX, menuY);
    const sf::Texture* bar = loadTexture(hudPath("volumeBar.png"));
    game.gameMenu.gameEffectsBar = makeSprite(bar, effectsBarX, effectsBarY);
    game.gameMenu.gameMusicBar = makeSprite(bar, musicBarX, musicBarY);
    game.gameMenu.gameOptionsBack =
        makeSprite(loadTexture(hudPath("igOptions retour.png")), backLabelX, backLabelY);
    game.gameMenu.gameEffectsKnob = makeVolumeKnob();
    game.gameMenu.gameMusicKnob = makeVolumeKnob();
    placeKnobs();
}
