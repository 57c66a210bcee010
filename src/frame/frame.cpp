// The program's start-up and the frame cycle.
#include "frame/frame.h"

#include "core/core.h"
#include "core/game.h"
#include "core/paths.h"
#include "core/platform.h"
#include "core/resources.h"
#include "customers/customers.h"
#include "level/level.h"
#include "persist/persist.h"
#include "rating/rating.h"
#include "shell/shell.h"
#include "towers/towers.h"
#include "tutorial/tutorial.h"
#include "ui/ui.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <new>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
alignas(GameState) unsigned char gameStorage[sizeof(GameState)];
} // namespace

GameState& game = *::new (gameStorage) GameState();

namespace {

void initCursor() {
    game.cursorSprite = makeSprite(loadTexture("../resources/textures/hud/cursor.png"));
    game.cursorSprite.setTextureRect(sf::IntRect(0, 0, 38, 37));
}

void initMoneyText() {
    game.moneyText =
        makeText("", 60, sf::Color::Black, 1620 * game.layoutScaleX, 25 * game.layoutScaleY);
    game.money = 0;
}

void sampleClock() {
    game.now = static_cast<float>(static_cast<double>(game.input.clockMs) / 1000.0);
    game.frameDelta = game.now - game.prevNow;
}

void screenIndependentWork() {
    creditStars();
    updateLevelCards();
    if (game.supplierTutorialPending)
        supplierTutorialDisplay();
    stopLevelMusicsOffLevel();
}

void animateScreen() {
    if (game.screen == Splash)
        updateSplash();
    if (game.screen == Shop)
        updateShop();
}

// The wave script, held by the level-2 sign while it is explained, then the first level's lesson.
void runLevelScript() {
    if (game.currentLevel == 2 && game.tutorialEnabled != 0 && level2Explanation())
        return;
    runWaveScript();
    if (game.currentLevel <= 1 && game.tutorialEnabled != 0)
        tutorialStepDisplay();
}

void simulateLevel() {
    if (game.screen != InGame)
        return;
    if (!game.paused) {
        updateTowers();
        updateProjectiles();
        if (tutorialGateOpen(game))
            updateCustomers();
        animateDecorations();
        runLevelScript();
        showReviews();
    }
    clampRating();
}

// How the level under the current screen is shown: running, frozen under the in-game menu, or
// under the in-game options (whose countdown is shown but does not step).
enum class LevelView { Running, Frozen, Options };

void lateLevel(LevelView view) {
    advanceObstacles();
    refreshCustomerSprites();
    refreshHud();
    previewTowerChoice();
    if (view != LevelView::Frozen) {
        if (tickCountdown() == 0)
            placeWavePreview();
        setTimerHoverScale();
    }
    if (game.currentLevel == 2 || game.currentLevel == 3)
        blinkPathAlert(view != LevelView::Running);
    layoutDialogue();
    if (game.levelWon || game.levelLost)
        placeLevelEndStars();
}

} // namespace

void initGame() {
#ifdef __GLIBC__
    // Decoded pictures are large and short-lived (made on the loading thread, freed once they
    // are textures): each goes straight back to the system instead of lingering in the heap.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // The renderer builds and frees tens of megabytes of small blocks every frame; handing them
    // back to the system each time costs the next frame as many page faults (three times the
    // draw submission of a crowd). They stay in the heap instead.
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
    game.hasFocus = 1;
    game.clickLatch = 0;
    game.layoutScaleX = game.layoutScaleY = 1.0f;
    game.towers.clear();
    game.slots.clear();
    game.projectiles.clear();
    game.customers.clear();
    initCursor();
    // The first frame shows the splash: everything else is decoded while it plays.
    initSplash();
    deferLoading();
    game.now = game.frameDelta = game.prevNow = -1.0f;
    game.selectedSlot = nullptr;
    game.mapSprite = sf::Sprite();
    game.mapSprite.setScale(game.layoutScaleX, game.layoutScaleY);
    loadLevelAssets();
    initTowerMenus();
    loadTowerCatalogue();
    initBuildPreviews();
    initMoneyText();
    loadCustomerAssets();
    game.paused = 0;
    initObstacles();
    initAudio();
    initMenus();
    initIntro();
    initHud();
    initGameMenus();
    initShop();
    loadReviews();
    game.starsEarned[1] = game.starsEarned[2] = game.starsEarned[3] = 0;
    initDoor();
    game.gameSpeed = 1;
    initTutorial();
    initRenderer(frameRenderer());
    loadSpotlight(frameRenderer());
    game.tutorialEnabled = 1;
    readSave();
}

void updateGame() {
    sampleClock();
    screenIndependentWork();
    animateScreen();
    simulateLevel();
    if (game.levelWon || game.levelLost)
        chooseEndReviews();
    game.prevNow = game.now;
}

void lateUpdate() {
    // These rules answer to what the player sees and points at (hovered buttons, sliders, the
    // blinking warning, the countdown shown over the level): they run after everything else
    // has moved, on the state this frame will show, in the order the picture is built.
    switch (game.screen) {
    case TitleMenu:
    case LevelSelect:
    case Options:
    case Shop:
    case Help:
        updateMenuFrame();
        if (game.supplierTutorialPending)
            layoutDialogue(); // the shop lesson speaks over the menus
        break;
    case InGame:
        lateLevel(LevelView::Running);
        break;
    case GameMenu:
        lateLevel(LevelView::Frozen);
        updateGameMenu();
        break;
    case Logo:
        updateLogoScreen();
        break;
    case GameOptions:
        lateLevel(LevelView::Options);
        updateGameOptions();
        break;
    default:
        break;
    }
}

void runFrame(Platform& platform, sf::RenderWindow* window, bool draw) {
    sampleInput(platform, game.input);
    handleInput();
    updateGame();
    // The splash shows while the other pictures arrive; every other screen needs them all.
    if (game.screen != Splash)
        finishLoading();
    lateUpdate();
    if (!window)
        return;
    if (draw) {
        drawFrame(game, frameRenderer());
        presentFrame(frameRenderer(), *window);
        window->display();
        showSystemCursor(*window, !game.input.onPicture);
    }
    // A few of the pictures decoded meanwhile are ready for the next frame.
    if (game.screen == Splash)
        bringInLoaded();
    if (game.windowOpen == 0)
        closeGameWindow(*window);
    else if (game.input.screenKey)
        toggleFullscreen(*window);
}

int runGame() {
    resolveGameFolders();
    sf::RenderWindow window;
    openGameWindow(window);
    Platform& platform = sfmlPlatform(window);
    game.input.clockMs = platform.clockMs();
    initGame();
    while (window.isOpen())
        runFrame(platform, &window);
    shutdownAudio();
    return 0;
}
