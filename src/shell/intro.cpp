// The start-up splash (three bites and a flying burger) and the animated logo that slides
// away to the title picture.
#include "shell/shell.h"

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
    const int shown = game.logoFrame;
    // The next frame shows once it is decoded: the logo waits for it, never the whole game.
    if (logoFrameAfter(shown) != shown && loadingDeferred() &&
        !picturePrefetched(logoPicture(logoFrameAfter(shown))))
        return;
    game.logoFrame = logoFrameAfter(shown);
    if (game.logoFrame == shown)
        game.introPhase = 1;
    // The frame was decoded while the one before was showing; the one after it is next. The
    // last frame stays as it is.
    if (game.logoFrame != shown || game.logoTexture.getSize().x == 0) {
        loadTextureInto(game.logoTexture, logoPicture(game.logoFrame));
        setSpriteTexture(game.logoSprite,
                         game.logoTexture.getSize().x ? &game.logoTexture : nullptr, true);
        if (logoFrameAfter(game.logoFrame) != game.logoFrame)
            prefetchPicture(logoPicture(logoFrameAfter(game.logoFrame)));
    }
    game.logoClockStartMs = game.input.clockMs;
}

void blinkPrompt() {
    if (game.promptAlpha != 0 && game.promptRising == 0)
        game.promptAlpha -= 3;
    if (game.promptAlpha < 5 && game.promptRising == 0)
        game.promptRising = 1;
    if (game.promptRising == 1) {
        game.promptAlpha += 3;
        if (game.promptAlpha > 230)
            game.promptRising = 0;
    }
    sf::Color colour = sf::Color::Black;
    colour.a = static_cast<sf::Uint8>(game.promptAlpha);
    game.promptText.setFillColor(colour);
}

} // namespace

void initSplash() {
    // The first frame shows the burger whole, a picture of its own; the sheet of its bites is
    // read meanwhile and taken at the first bite.
    game.splashBite =
        makeSprite(loadTexture(splashFirstBitePath), splashX + wholeLeft, splashY + wholeTop);
    game.splashBite.setTextureRect(sf::IntRect(0, 0, wholeWidth, wholeHeight));
    prefetchPicture(splashBitePath);
    game.splashFlyer = makeSprite(loadTexture(splashFlyerPath));
    game.splashFlyer.setOrigin(131, 124);
    game.splashFlyer.setPosition(-131, 1204);
    game.splashFrame = 0;
    game.splashPhase = 0;
    game.splashStarted = 0;
}

void initIntro() {
    // Opaque and the frame's size: copied in like a map.
    game.introBackground = makeSprite(loadBackdrop(introBackgroundPath));
    game.logoSprite = sf::Sprite();
    // The logo shows no frame until its first step; that frame is decoded meanwhile.
    game.logoTexture = sf::Texture();
    prefetchPicture(logoPicture(logoFrameAfter(0)));
    game.logoClockStartMs = game.input.clockMs;
    game.logoFrame = 0;
    game.introPhase = 0;
    game.logoX = game.logoY = 0;
    game.titleBackground = makeSprite(loadTexture("../resources/textures/Menu/FondMenu.png"));
    game.titlePicture = makeSprite(loadTexture(titlePicturePath), 941, 0);
    game.titleCredits =
        makeSprite(loadTexture("../resources/textures/Menu/Credits Sheets.png"), 1071, 905);
    game.titleCredits.setTextureRect(sf::IntRect(0, 0, 141, 152));
    game.promptText = makeText("", 30, sf::Color::Black, 1221, 750);
    game.promptAlpha = 255;
    game.promptRising = 0;
    relabelIntro();
}

void relabelIntro() {
    placeTextLikeFrench(game.promptText, N_("Appuyez pour commencer"), 1221, 750);
    // The logo's last frame stays up over the menus: its ribbon speaks too.
    if (game.logoTexture.getSize().x != 0)
        loadTextureInto(game.logoTexture, logoPicture(game.logoFrame));
}

void updateSplash() {
    if (game.splashStarted == 0) {
        game.splashStepTime = game.now;
        game.splashStarted = 1;
    }
    if (game.splashPhase == 0 && game.now - game.splashStepTime > 0.5f) {
        game.splashFrame += 1;
        if (game.splashFrame >= 1 && game.splashFrame <= 3)
            playSound(biteSounds[game.splashFrame - 1]);
        if (game.splashFrame == 1) {
            setSpriteTexture(game.splashBite, loadTextureInto(game.splashSheet, splashBitePath)
                                                  ? &game.splashSheet
                                                  : nullptr);
            game.splashBite.setPosition(splashX, splashY);
        }
        if (game.splashFrame >= 3)
            game.splashPhase = 1;
        game.splashBite.setTextureRect(sf::IntRect(797 * game.splashFrame, 0, 797, 939));
        game.splashStepTime = game.now;
    } else if (game.splashPhase == 1) {
        const double d = static_cast<double>(game.frameDelta) * 300.0;
        const sf::Vector2f at = game.splashFlyer.getPosition();
        const float x = static_cast<float>(at.x + std::cos(0.785) * d);
        const float y = static_cast<float>(at.y - std::sin(0.785) * d);
        game.splashFlyer.setPosition(x, y);
        if (x >= 80) {
            playSound(SoundBachelorHappy);
            game.splashPhase = 2;
        }
    } else if (game.splashPhase == 2 && soundStopped(SoundBachelorHappy)) {
        game.screen = Logo;
        playSound(SoundIntroLogo);
    }
}

void updateLogoScreen() {
    // Each phase runs as soon as the previous one hands over, in the same frame.
    if (game.introPhase == 0 && game.input.clockMs - game.logoClockStartMs > 50)
        advanceLogoFrame();
    if (game.introPhase == 1) {
        if (game.logoX > -500)
            game.logoX -= 5;
        else
            game.introPhase = 2;
        game.logoSprite.setPosition(game.logoX, game.logoY);
    }
    if (game.introPhase == 2)
        blinkPrompt();
}

void endIntro() {
    for (sf::Sprite* sprite :
         {&game.splashBite, &game.splashFlyer, &game.introBackground, &game.titlePicture})
        setSpriteTexture(*sprite, nullptr);
    for (const char* path : introOnlyPictures)
        releaseTexture(path);
    // The logo's last frame stays: the menus show it where the slide left it.
    game.splashSheet = sf::Texture();
}
