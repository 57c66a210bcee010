// The program's start-up and the frame cycle.
#include "frame/frame.h"
#include "customers/records.h"
#include "frame/records.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "shell/records.h"
#include "towers/records.h"
#include "tutorial/records.h"
#include "ui/records.h"

#include "assets/assets.h"
#include "customers/customers.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "level/level.h"
#include "persist/persist.h"
#include "platform/platform.h"
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

void initCursor() {
    game.frame.cursorSprite = makeSprite(loadTexture("../resources/textures/hud/cursor.png"));
    game.frame.cursorSprite.setTextureRect(sf::IntRect(0, 0, 38, 37));
}

void initMoneyText() {
    game.hud.moneyText = makeText("", 60, sf::Color::Black, 1620, 25);
    game.rating.money = 0;
}

void sampleClock() {
    game.clock.now = static_cast<float>(static_cast<double>(game.shared.input.clockMs) / 1000.0);
    game.clock.frameDelta = game.clock.now - game.clock.prevNow;
}

void screenIndependentWork() {
    creditStars();
    updateLevelCards();
    if (game.lesson.supplierTutorialPending)
        supplierTutorialDisplay();
    stopLevelMusicsOffLevel();
}

void animateScreen() {
    if (game.shared.screen == Splash)
        updateSplash();
    if (game.shared.screen == Shop)
        updateShop();
}

// The wave script, held by the level-2 sign while it is explained, then the first level's lesson.
void runLevelScript() {
    if (game.shared.currentLevel == 2 && game.progress.tutorialEnabled != 0 && level2Explanation())
        return;
    runWaveScript();
    if (game.shared.currentLevel <= 1 && game.progress.tutorialEnabled != 0)
        tutorialStepDisplay();
}

void simulateLevel() {
    if (game.shared.screen != InGame)
        return;
    if (!game.waveClock.paused) {
        updateTowers();
        updateProjectiles();
        if (tutorialGateOpen())
            updateCustomers();
        animateDecorations();
        runLevelScript();
        showReviews();
    }
    clampRating();
}

void lateLevel(LevelView view) {
    advanceObstacles();
    refreshCustomerSprites();
    refreshHud();
    previewTowerChoice();
    if (view != LevelView::Frozen) {
        // A countdown ended by a press while the level stands still starts its wave clock here.
        tickCountdown();
        if (countdownRunning())
            placeWavePreview();
        setTimerHoverScale();
    }
    if (game.shared.currentLevel == 2 || game.shared.currentLevel == 3)
        blinkPathAlert(view != LevelView::Running);
    layoutDialogue();
    if (game.rating.levelWon || game.rating.levelLost)
        placeLevelEndStars();
}

// What the screen shown asks of the pictures held.
struct ScreenShown {
    bool onLevel, splash, logo, titleOverLogo, onMenus;
    bool mapHeld[4], mapPlayed[4];
    bool lessonHeld, lessonNeeded;
};

ScreenShown screenShown() {
    ScreenShown shown{};
    const int screen = game.shared.screen;
    shown.onLevel = screen == InGame || screen == GameMenu || screen == GameOptions;
    shown.splash = screen == Splash;
    shown.logo = screen == Logo;
    shown.titleOverLogo = shown.logo && game.intro.introPhase == 2;
    shown.onMenus = !shown.onLevel && !shown.splash && !shown.logo;
    // The menus hold the map of the level chosen in the selection, ready for its set-up.
    const int chosen = game.shared.currentLevel <= 1 ? 1 : game.shared.currentLevel;
    for (int map = 1; map <= 3; ++map) {
        shown.mapPlayed[map] =
            shown.onLevel && game.level.mapSprite.getTexture() == game.level.mapTextures[map];
        shown.mapHeld[map] =
            !shown.splash && !shown.logo && (shown.onLevel ? shown.mapPlayed[map] : map == chosen);
    }
    // The lesson's spatula and bubble speak on the first two levels, and over the menus before
    // the shop's lesson.
    const bool shopLesson = game.lesson.supplierTutorialPending != 0;
    shown.lessonHeld =
        shopLesson || (game.progress.tutorialEnabled != 0 && !shown.splash && !shown.logo &&
                       (shown.onLevel ? game.shared.currentLevel <= 2 : chosen <= 2));
    shown.lessonNeeded = shopLesson || (shown.onLevel && shown.lessonHeld);
    return shown;
}

// A picture, or a folder of them: whether it is held, and whether the frame waits for it.
struct PictureHold {
    const sf::Texture* texture;
    bool held, needed;
};
struct FolderHold {
    const char* path;
    bool held, needed;
};

// What goes, first: the pictures that come are not decoded on top of it. The pictures keep
// holdings of their own, also those in the folders, so they all come before the folders: a
// folder let go of leaves them to their own holding (from the first frame on, when the splash's
// picture and the cursor are held and the folders are not).
template <std::size_t P, std::size_t F>
void applyHolds(const PictureHold (&holds)[P], const FolderHold (&folders)[F]) {
    for (const PictureHold& hold : holds)
        if (!hold.held)
            holdTexture(hold.texture, false, false);
    for (const PictureHold& hold : holds)
        if (hold.held)
            holdTexture(hold.texture, true, hold.needed);
    for (const FolderHold& folder : folders)
        if (!folder.held)
            holdTextures(folder.path, false, false);
    for (const FolderHold& folder : folders)
        if (folder.held)
            holdTextures(folder.path, true, folder.needed);
}

// Which pictures to keep and to fetch ahead. The frame's drawing makes sure of what it shows
// (bringInDrawn); these lists only keep a frame from waiting for it. Pictures shown on some
// screens only are let go of on the others and brought back on the way to them: the intro's, step
// by step; the credits page once its sign opens; the level's end when it shows; the in-game menu's
// and the shop's on their screens; the lesson's where it may speak; the maps of the levels neither
// chosen nor played; the menus' out of a level; the level's (the HUD folder) on levels and menus.
// The menus' and the HUD's come while the logo plays (the title shows at its end), the map and the
// lesson's while the title shows.
void holdScreenPictures() {
    const ScreenShown shown = screenShown();
    const int screen = game.shared.screen;
    const PictureHold holds[] = {
        {game.intro.splashBite.getTexture(), shown.splash, shown.splash},
        {game.intro.introBackground.getTexture(), shown.splash || shown.logo, shown.logo},
        {game.intro.titlePicture.getTexture(), shown.logo, shown.titleOverLogo},
        // The page stays open over every menu screen.
        {game.credits.creditsPage.getTexture(), shown.onMenus && game.credits.creditsState != 0,
         game.credits.creditsState == 3},
        {game.hud.victoryPicture.getTexture(), shown.onLevel && game.rating.levelWon, true},
        {game.hud.defeatPicture.getTexture(), shown.onLevel && game.rating.levelLost, true},
        {game.frame.cursorSprite.getTexture(), true, true},
        {game.gameMenu.gameMenuSprite.getTexture(), screen == GameMenu, true},
        {game.gameMenu.gameOptionsSprite.getTexture(), screen == GameOptions, true},
        // The options' fullscreen box, also on a level's options (the menu before them fetches it).
        {game.options.fullscreenBox.getTexture(),
         shown.onMenus || screen == GameMenu || screen == GameOptions, true},
        {game.lesson.spatulaSprite.getTexture(), shown.lessonHeld, shown.lessonNeeded},
        {game.lesson.bubbleSprite.getTexture(), shown.lessonHeld, shown.lessonNeeded},
        {game.shop.shopBackground.getTexture(), screen == Shop, true},
        {game.shop.upgradePictures[Fries][1].getTexture(), screen == Shop, true},
        {game.shop.upgradePictures[Fries][2].getTexture(), screen == Shop, true},
        {game.shop.upgradePictures[Fries][3].getTexture(), screen == Shop, true},
        {game.shop.upgradePictures[Burger][1].getTexture(), screen == Shop, true},
        {game.shop.upgradePictures[Burger][2].getTexture(), screen == Shop, true},
        {game.shop.upgradePictures[Burger][3].getTexture(), screen == Shop, true},
        {game.shop.upgradePictures[Soda][1].getTexture(), screen == Shop, true},
        {game.shop.upgradePictures[Soda][2].getTexture(), screen == Shop, true},
        {game.shop.upgradePictures[Soda][3].getTexture(), screen == Shop, true},
        {game.level.mapTextures[1], shown.mapHeld[1], shown.mapPlayed[1]},
        {game.level.mapTextures[2], shown.mapHeld[2], shown.mapPlayed[2]},
        {game.level.mapTextures[3], shown.mapHeld[3], shown.mapPlayed[3]},
    };
    const FolderHold folders[] = {
        {"../resources/textures/Menu/", !shown.splash && !shown.onLevel,
         !shown.logo || shown.titleOverLogo},
        {"../resources/textures/hud/", !shown.splash, shown.onLevel},
    };
    applyHolds(holds, folders);
}

} // namespace

bool speakLanguage(const std::string& language) {
    const std::string before = currentLanguage();
    chooseLanguage(language);
    if (currentLanguage() == before)
        return false;
    rereadPicturesWithWords(before);
    return true;
}

namespace {

// A language button pressed this frame: from now on every text and picture speaks it.
void speakLanguageAsked() {
    if (game.options.languageAsked.empty())
        return;
    if (speakLanguage(game.options.languageAsked)) {
        rememberLanguage(currentLanguage());
        labelMenus();
        relabelIntro();
    }
    game.options.languageAsked.clear();
}

} // namespace

Renderer& frameRenderer() {
    // Like the game record, never torn down: its GL objects must not outlive their context.
    alignas(Renderer) static unsigned char storage[sizeof(Renderer)];
    static Renderer& renderer = *::new (storage) Renderer();
    return renderer;
}

namespace {
long shownFrames = 0;
long heldFrames = 0;
long framesInPart = 0;
int heldInARow = 0;
// The frames a picture on its way may keep back in a row before it is waited for.
constexpr int maxHeldInARow = 30;
std::int64_t shownAtMs = 0;
// How often a still picture is shown again, for a window uncovered meanwhile (once a second).
constexpr std::int64_t stillShowMs = 1000;

// What of the frame must be drawn anew to show this frame: nothing when it shows nothing the
// last frame shown did not (its draws, signed without being made, are the same, no picture has
// changed and the window does not ask to be drawn again); only the parts that changed when the
// picture still holds the last frame shown; else the whole frame.
std::vector<sf::IntRect> areasToDraw(Renderer& renderer) {
    renderer.frame.startSigning();
    drawFrame(game, renderer);
    const std::uint64_t changes = picturesChanged();
    renderer.frame.sign(&changes, sizeof changes);
    const std::uint64_t signature = renderer.frame.stopSigning();
    const bool changed = signature != renderer.shownSignature || game.shared.input.windowRedrawn;
    renderer.shownSignature = signature;
    if (!changed)
        return {};
    const sf::Vector2u size = renderer.frame.getSize();
    const bool holdsShown = renderer.shownDrawing != 0 &&
                            renderer.shownDrawing == renderer.frame.drawings() &&
                            !game.shared.input.windowRedrawn;
    std::vector<sf::IntRect> areas =
        holdsShown ? changedAreas(renderer.shownPieces, renderer.frame.pieces(), size)
                   : std::vector<sf::IntRect>{
                         sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y))};
    renderer.shownPieces = renderer.frame.pieces();
    return areas;
}

bool wholeFrame(const std::vector<sf::IntRect>& areas, sf::Vector2u size) {
    return areas.size() == 1 &&
           areas[0] == sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y));
}

// Shows the picture: only its parts drawn anew when the window still holds the rest.
void showFrame(Renderer& renderer, sf::RenderWindow& window,
               const std::vector<sf::IntRect>& areas) {
    showPicture(renderer, window,
                wholeFrame(areas, renderer.frame.getSize()) ? std::vector<sf::IntRect>{} : areas);
    ++shownFrames;
    shownAtMs = game.shared.input.clockMs;
    renderer.shownDrawing = renderer.frame.drawings();
}

// The window's size changed between drawn smaller than the game's frame and not: every picture
// is sampled to suit, the game's own ones too.
void smoothFramePictures(bool smooth) {
    smoothPictures(smooth);
    game.menus.logoTexture.setSmooth(smooth);
    game.intro.splashSheet.setSmooth(smooth);
}
} // namespace

long framesShown() {
    return shownFrames;
}

long framesHeldBack() {
    return heldFrames;
}

long framesDrawnInPart() {
    return framesInPart;
}

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
    // The frame is drawn at the size the window shows it; every picture follows from the first.
    smoothPictures(frameSizeFor(game.shared.input.windowSize).x < layoutWidth);
    game.frame.hasFocus = 1;
    game.shared.clickLatch = 0;
    game.defence.towers.clear();
    game.level.slots.clear();
    game.defence.projectiles.clear();
    game.crowd.customers.clear();
    initCursor();
    // The first frame shows the splash: everything else is decoded while it plays.
    initSplash();
    deferLoading();
    game.clock.now = game.clock.frameDelta = game.clock.prevNow = -1.0f;
    game.defence.selectedSlot = nullptr;
    game.level.mapSprite = sf::Sprite();
    loadLevelAssets();
    initTowerMenus();
    watchCustomersForTowers();
    loadTowerCatalogue();
    initBuildPreviews();
    initMoneyText();
    loadCustomerAssets();
    game.waveClock.paused = 0;
    initObstacles();
    initAudio();
    initMenus();
    initIntro();
    initHud();
    initGameMenus();
    initShop();
    loadReviews();
    game.progress.starsEarned[1] = game.progress.starsEarned[2] = game.progress.starsEarned[3] = 0;
    initDoor();
    game.waveClock.gameSpeed = 1;
    initTutorial();
    initRenderer(frameRenderer());
    fitFrame(frameRenderer(), frameSizeFor(game.shared.input.windowSize));
    loadSpotlight(frameRenderer());
    game.progress.tutorialEnabled = 1;
    readSave();
}

void updateGame() {
    sampleClock();
    screenIndependentWork();
    animateScreen();
    simulateLevel();
    startShopLessonAfterFirstWin();
    if (game.rating.levelWon || game.rating.levelLost)
        chooseEndReviews();
    game.clock.prevNow = game.clock.now;
}

void lateUpdate() {
    // These rules answer to what the player sees and points at (hovered buttons, sliders, the
    // blinking warning, the countdown shown over the level): they run after everything else
    // has moved, on the state this frame will show, in the order the picture is built.
    switch (game.shared.screen) {
    case TitleMenu:
    case LevelSelect:
    case Options:
    case Shop:
    case Help:
        updateMenuFrame();
        if (game.lesson.supplierTutorialPending)
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
    sampleInput(platform, game.shared.input);
    handleInput();
    updateGame();
    lateUpdate();
    speakLanguageAsked();
    keepSoundSettings();
    // On the screen this frame shows, as the late rules left it (they may change it).
    holdScreenPictures();
    if (!window)
        return;
    // A window about to close shows nothing more: the frame that quits closes it at once.
    if (draw && game.frame.windowOpen != 0) {
        Renderer& renderer = frameRenderer();
        if (fitFrame(renderer, frameSizeFor(game.shared.input.windowSize)))
            smoothFramePictures(renderer.frame.getSize().x < layoutWidth);
        const std::vector<sf::IntRect> areas = areasToDraw(renderer);
        if (!areas.empty()) {
            if (!wholeFrame(areas, renderer.frame.getSize())) {
                renderer.frame.clipTo(areas);
                ++framesInPart;
            }
            drawFrame(game, renderer);
            // A picture drawn without its pixels (one the holdings did not fetch ahead) never
            // shows as a white box or a hole. While the loading thread decodes, the frame is not
            // shown and the picture before stays up until it comes (a few frames at most, else
            // it is waited for); otherwise it is brought in at once and the frame drawn again.
            const bool mayHold = loadingDeferred() && heldInARow < maxHeldInARow;
            if (bringInDrawn(renderer.frame.drawn(), !mayHold) == 0) {
                heldInARow = 0;
                showFrame(renderer, *window, areas);
            } else if (mayHold) {
                ++heldInARow;
                ++heldFrames;
                renderer.shownSignature = 0; // drawn again next frame, whole
                renderer.shownDrawing = 0;
                platform.restUntilNextFrame();
            } else {
                heldInARow = 0;
                drawFrame(game, renderer);
                showFrame(renderer, *window, areas);
            }
            renderer.frame.clipTo({});
        } else if (game.shared.input.clockMs - shownAtMs >= stillShowMs) {
            // The same picture again now and then, whole, for a window the desktop let
            // something cover.
            showFrame(renderer, *window, {});
        } else {
            platform.restUntilNextFrame();
        }
        showSystemCursor(*window, !game.shared.input.onPicture);
    }
    // A few of the pictures decoded meanwhile are ready for the next frame.
    bringInLoaded();
    if (game.frame.windowOpen == 0)
        closeGameWindow(*window);
    else if (game.shared.input.screenKey || game.options.fullscreenAsked)
        toggleFullscreen(*window);
    game.options.fullscreenAsked = 0;
    game.options.fullscreen = windowFullscreen() ? 1 : 0;
}

int runGame() {
    quietLibraries();
    resolveGameFolders();
    sf::RenderWindow window;
    openGameWindow(window);
    // The desktop's language until the player chooses one; the environment is read only here.
    chooseLanguage(startLanguage(languageChosen(), localeVariables()));
    Platform& platform = sfmlPlatform(window);
    game.shared.input.clockMs = platform.clockMs();
    game.shared.input.windowSize = platform.windowSize();
    initGame();
    while (window.isOpen())
        runFrame(platform, &window);
    shutdownAudio();
    return 0;
}
