// The start-up splash (three bites and a flying burger) and the animated logo that slides
// away to the title picture.
#include "ground/records.h"
#include "shell/records.h"
#include "shell/shell.h"
#include "ui/records.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "persist/persist.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr SoundId biteSounds[] = {SoundBite1, SoundBite2, SoundBite3};

constexpr const char* splashBitePath = "../resources/textures/Menu/QZ manger.png";
constexpr const char* splashFirstBitePath = "../resources/textures/Menu/QZ manger debut.png";
// Where the whole burger's own picture (its visible pixels only) sits in the sheet's first frame.
constexpr int wholeLeft = 98, wholeTop = 210, wholeWidth = 600, wholeHeight = 685;
constexpr float splashX = 562, splashY = 71;
constexpr const char* splashFlyerPath = "../resources/textures/menu/gros QZ.png";
constexpr const char* introBackgroundPath = "../resources/textures/Menu/FondIntro.png";
constexpr const char* titlePicturePath = "../resources/textures/Menu/Intro.png";
// Shown by nothing but the intro: let go of when it ends.
constexpr const char* introOnlyPictures[] = {splashFirstBitePath, splashFlyerPath,
                                             introBackgroundPath, titlePicturePath};

// The logo frame after `frame`: frames 51 to 64 are not part of the animation, 94 is the last.
int logoFrameAfter(int frame) {
    return frame == 50 ? 65 : frame < 94 ? frame + 1 : frame;
}

std::string logoPicture(int frame) {
    char path[100];
    std::snprintf(path, sizeof path, "../resources/textures/Logo/%d.png", frame);
    return path;
}

void advanceLogoFrame() {
    const int shown = game.intro.logoFrame;
    // The next frame shows once it is decoded: the logo waits for it, never the whole game.
    if (logoFrameAfter(shown) != shown && loadingDeferred() &&
        !picturePrefetched(logoPicture(logoFrameAfter(shown))))
        return;
    game.intro.logoFrame = logoFrameAfter(shown);
    if (game.intro.logoFrame == shown)
        game.intro.introPhase = 1;
    // The frame was decoded while the one before was showing; the one after it is next. The
    // last frame stays as it is.
    if (game.intro.logoFrame != shown || game.menus.logoTexture.getSize().x == 0) {
        loadTextureInto(game.menus.logoTexture, logoPicture(game.intro.logoFrame));
        setSpriteTexture(game.menus.logoSprite,
                         game.menus.logoTexture.getSize().x ? &game.menus.logoTexture : nullptr,
                         true);
        if (logoFrameAfter(game.intro.logoFrame) != game.intro.logoFrame)
            prefetchPicture(logoPicture(logoFrameAfter(game.intro.logoFrame)));
    }
    game.intro.logoClockStartMs = game.shared.input.clockMs;
}

void blinkPrompt() {
    if (game.intro.promptAlpha != 0 && game.intro.promptRising == 0)
        game.intro.promptAlpha -= 3;
    if (game.intro.promptAlpha < 5 && game.intro.promptRising == 0)
        game.intro.promptRising = 1;
    if (game.intro.promptRising == 1) {
        game.intro.promptAlpha += 3;
        if (game.intro.promptAlpha > 230)
            game.intro.promptRising = 0;
    }
    sf::Color colour = sf::Color::Black;
    colour.a = static_cast<sf::Uint8>(game.intro.promptAlpha);
    game.intro.promptText.setFillColor(colour);
}

} // namespace

void initSplash() {
    // The first frame shows the burger whole, a picture of its own; the sheet of its bites is
    // read meanwhile and taken at the first bite.
    game.intro.splashBite =
        makeSprite(loadTexture(splashFirstBitePath), splashX + wholeLeft, splashY + wholeTop);
    game.intro.splashBite.setTextureRect(sf::IntRect(0, 0, wholeWidth, wholeHeight));
    prefetchPicture(splashBitePath);
    game.intro.splashFlyer = makeSprite(loadTexture(splashFlyerPath));
    game.intro.splashFlyer.setOrigin(131, 124);
    game.intro.splashFlyer.setPosition(-131, 1204);
    game.intro.splashFrame = 0;
    game.intro.splashPhase = 0;
    game.intro.splashStarted = 0;
}

void initIntro() {
    // Opaque and the frame's size: copied in like a map.
    game.intro.introBackground = makeSprite(loadBackdrop(introBackgroundPath));
    game.menus.logoSprite = sf::Sprite();
    // The logo shows no frame until its first step; that frame is decoded meanwhile.
    game.menus.logoTexture = sf::Texture();
    prefetchPicture(logoPicture(logoFrameAfter(0)));
    game.intro.logoClockStartMs = game.shared.input.clockMs;
    game.intro.logoFrame = 0;
    game.intro.introPhase = 0;
    game.intro.logoX = game.intro.logoY = 0;
    game.intro.titleBackground = makeSprite(loadTexture("../resources/textures/Menu/FondMenu.png"));
    game.intro.titlePicture = makeSprite(loadTexture(titlePicturePath), 941, 0);
    game.credits.titleCredits =
        makeSprite(loadTexture("../resources/textures/Menu/Credits Sheets.png"), 1071, 905);
    game.credits.titleCredits.setTextureRect(sf::IntRect(0, 0, 141, 152));
    game.intro.promptText = makeText("", 30, sf::Color::Black, 1221, 750);
    game.intro.promptAlpha = 255;
    game.intro.promptRising = 0;
    relabelIntro();
}

void relabelIntro() {
    placeTextLikeFrench(game.intro.promptText, N_("Appuyez pour commencer"), 1221, 750);
    // The logo's last frame stays up over the menus: its ribbon speaks too.
    if (game.menus.logoTexture.getSize().x != 0)
        loadTextureInto(game.menus.logoTexture, logoPicture(game.intro.logoFrame));
}

void updateSplash() {
    if (game.intro.splashStarted == 0) {
        game.intro.splashStepTime = game.clock.now;
        game.intro.splashStarted = 1;
    }
    if (game.intro.splashPhase == 0 && game.clock.now - game.intro.splashStepTime > 0.5f) {
        game.intro.splashFrame += 1;
        if (game.intro.splashFrame >= 1 && game.intro.splashFrame <= 3)
            playSound(biteSounds[game.intro.splashFrame - 1]);
        if (game.intro.splashFrame == 1) {
            setSpriteTexture(game.intro.splashBite,
                             loadTextureInto(game.intro.splashSheet, splashBitePath)
                                 ? &game.intro.splashSheet
                                 : nullptr);
            game.intro.splashBite.setPosition(splashX, splashY);
        }
        if (game.intro.splashFrame >= 3)
            game.intro.splashPhase = 1;
        game.intro.splashBite.setTextureRect(
            sf::IntRect(797 * game.intro.splashFrame, 0, 797, 939));
        game.intro.splashStepTime = game.clock.now;
    } else if (game.intro.splashPhase == 1) {
        const double d = static_cast<double>(game.clock.frameDelta) * 300.0;
        const sf::Vector2f at = game.intro.splashFlyer.getPosition();
        const float x = static_cast<float>(at.x + std::cos(0.785) * d);
        const float y = static_cast<float>(at.y - std::sin(0.785) * d);
        game.intro.splashFlyer.setPosition(x, y);
        if (x >= 80) {
            playSound(SoundBachelorHappy);
            game.intro.splashPhase = 2;
        }
    } else if (game.intro.splashPhase == 2 && soundStopped(SoundBachelorHappy)) {
        game.shared.screen = Logo;
        playSound(SoundIntroLogo);
    }
}

void updateLogoScreen() {
    // Each phase runs as soon as the previous one hands over, in the same frame.
    if (game.intro.introPhase == 0 && game.shared.input.clockMs - game.intro.logoClockStartMs > 50)
        advanceLogoFrame();
    if (game.intro.introPhase == 1) {
        if (game.intro.logoX > -500)
            game.intro.logoX -= 5;
        else
            game.intro.introPhase = 2;
        game.menus.logoSprite.setPosition(game.intro.logoX, game.intro.logoY);
    }
    if (game.intro.introPhase == 2)
        blinkPrompt();
}

void endIntro() {
    for (sf::Sprite* sprite : {&game.intro.splashBite, &game.intro.splashFlyer,
                               &game.intro.introBackground, &game.intro.titlePicture})
        setSpriteTexture(*sprite, nullptr);
    for (const char* path : introOnlyPictures)
        releaseTexture(path);
    // The logo's last frame stays: the menus show it where the slide left it.
    game.intro.splashSheet = sf::Texture();
}
