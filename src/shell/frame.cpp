// The program's entry, start-up and the frame cycle.
#include "customers/customers.h"
#include "level/level.h"
#include "persist/persist.h"
#include "rating/rating.h"
#include "shell/game_state.h"
#include "shell/platform.h"
#include "shell/resources.h"
#include "shell/shell.h"
#include "towers/towers.h"
#include "tutorial/tutorial.h"
#include "ui/ui.h"

#include <new>

namespace {
alignas(GameState) unsigned char gameStorage[sizeof(GameState)];
} // namespace

GameState& game = *::new (gameStorage) GameState();

namespace {

void initCursor() {
    game.cursorSprite = makeSprite(loadTexture("../resources/textures/hud/cursor.png"));
    game.cursorSprite.setTextureRect(sf::IntRect(0, 0, 38, 37));
    if (game.window)
        game.window->setMouseCursorVisible(false);
}

void initMoneyText() {
    game.moneyText =
        makeText("", 60, sf::Color::Black, 1620 * game.layoutScaleX, 25 * game.layoutScaleY);
    game.money = 0;
}

void sampleClock() {
    game.now = static_cast<float>(static_cast<double>(game.platform->clockMs()) / 1000.0);
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

void simulateLevel() {
    if (game.screen != InGame)
        return;
    if (!game.paused) {
        updateTowers();
        updateProjectiles();
        if (tutorialGateOpen())
            updateCustomers();
        animateDecorations();
        runWaveScript();
        showReviews();
    }
    clampRating();
}

} // namespace

bool tutorialGateOpen() {
    return game.tutorialEnabled == 0 || game.tutorialRunning == 1;
}

float processSeconds() {
    return static_cast<float>(game.platform->clockMs()) / 1000.0f;
}

void sampleMouse() {
    sf::Vector2i mouse = game.platform->mousePosition();
    game.mouseX = mouse.x;
    game.mouseY = mouse.y;
}

void initGame() {
    game.hasFocus = 1;
    game.clickLatch = 0;
    game.layoutScaleX = game.layoutScaleY = 1.0f;
    game.towers.clear();
    game.slots.clear();
    game.projectiles.clear();
    game.customers.clear();
    initCursor();
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
    initHud();
    initGameMenus();
    initShop();
    loadReviews();
    game.starsEarned[1] = game.starsEarned[2] = game.starsEarned[3] = 0;
    initDoor();
    game.gameSpeed = 1;
    initTutorial();
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

int runGame() {
    // 72 bits per pixel and no title-bar flag, as the window has always been made.
    sf::RenderWindow window(sf::VideoMode(1920, 1080, 72), "Gobbler",
                            sf::Style::Resize | sf::Style::Close);
    window.setFramerateLimit(60);
    game.window = &window;
    game.platform = &sfmlPlatform(window);
    initGame();
    while (window.isOpen()) {
        handleInput();
        updateGame();
        drawFrame();
    }
    shutdownAudio();
    game.window = nullptr;
    return 0;
}
