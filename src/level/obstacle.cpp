// The path-blocking obstacle of maps 2 and 3.
#include "level/level.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "persist/persist.h"

#include <cmath>

namespace {

sf::Vector2f centreOf(const sf::Texture* texture, sf::Vector2f fallback) {
    if (!texture)
        return fallback;
    return sf::Vector2f(textureSize(texture)) / 2.0f;
}

// Whether the mopping man's next frame is due (0.1 s of game time a frame; see
// firstMomentWhen): the moment in `at`.
bool mopperFrameDue(int i, float& at) {
    const auto due = [i](float time) {
        return time - game.mopperFrameTime[i] > 0.1 / game.gameSpeed;
    };
    return game.paused == 0 && firstMomentWhen(game, due, at);
}

void standAndMop(int i) {
    sf::Sprite& mopper = game.mopperSprites[i];
    float at = 0;
    if (mopperFrameDue(i, at)) {
        game.mopperFrame[i] += 1;
        if (game.mopperFrame[i] == 5)
            game.mopperFrame[i] = 0;
        game.mopperFrameTime[i] = at;
        mopper.setTextureRect(sheetFrame(mopperSheet, game.mopperFrame[i], 0));
    }
    game.warningSprites[i].setPosition(game.signSprites[i].getPosition());
    game.signSprites[i].setTextureRect(sf::IntRect(0, 0, 60, 104));
}

void walkAway(int i) {
    sf::Sprite& mopper = game.mopperSprites[i];
    float at = 0;
    if (mopperFrameDue(i, at)) {
        // The walk has four frames; he may set off from the fifth mopping frame, so anything
        // past the last walking frame starts the walk again instead of leaving the sheet.
        game.mopperFrame[i] += 1;
        if (game.mopperFrame[i] >= 4)
            game.mopperFrame[i] = 0;
        game.mopperFrameTime[i] = at;
        mopper.setTextureRect(sheetFrame(mopperSheet, game.mopperFrame[i], 1));
        sf::Color colour = mopper.getColor();
        colour.a = static_cast<sf::Uint8>(colour.a - 7);
        mopper.setColor(colour);
        if (colour.a <= 10) {
            // Gone: the short way is open and the obstacle wave's clock starts.
            game.pathOpenPhase = -1;
            game.waveClockStart = at;
        }
    }
    // He keeps sliding away even while the game is paused.
    const double d = -150.0 * game.gameSpeed * game.frameDelta;
    mopper.move(static_cast<float>(d * std::cos(static_cast<double>(walkAngle))),
                static_cast<float>(d * std::sin(static_cast<double>(walkAngle))));
}

} // namespace

void initObstacles() {
    const sf::Texture* sign = loadTexture("../resources/textures/map/sol glissant.png");
    const sf::Texture* mopper = loadTexture("../resources/textures/map/serpilleur.png");
    const sf::Texture* warning = loadTexture("../resources/textures/map/warning.png");
    for (int i = 0; i < 3; ++i) {
        game.signSprites[i] = makeSprite(sign);
        game.signSprites[i].setOrigin(centreOf(sign, sf::Vector2f(30, 52)));
        game.signSprites[i].setTextureRect(sf::IntRect(0, 0, 60, 104));
        game.mopperSprites[i] = makeSprite(mopper);
        game.mopperSprites[i].setOrigin(56, 58);
        game.mopperSprites[i].setTextureRect(sheetFrame(mopperSheet, 0));
        game.mopperFrameTime[i] = -1.0f;
        game.mopperFrame[i] = 0;
    }
    game.warningSprites[0] = makeSprite(warning);
    game.warningSprites[0].setOrigin(centreOf(warning, sf::Vector2f()));
    game.warningSprites[1] = game.warningSprites[0];
    game.warningSprites[2] = game.warningSprites[0];
}

void advanceObstacles() {
    for (int i = 0; i < obstacleCount(game); ++i) {
        if (game.obstacleActive == 1)
            standAndMop(i);
        else if (game.pathOpenPhase == 1)
            walkAway(i);
    }
}

int obstacleCount(const GameState& state) {
    return state.currentLevel == 3 ? 3 : state.currentLevel == 2 ? 1 : 0;
}

void blinkPathAlert(bool frozen) {
    game.pathAlertShown = 0;
    if (game.pathOpenPhase != 1)
        return;
    // A frozen level keeps blinking but neither counts nor stops at three alerts.
    if (!frozen && game.pathAlertCount >= 3)
        return;
    game.pathAlertShown = 1;
    sf::Color colour = game.warningSprites[0].getColor();
    colour.a = static_cast<sf::Uint8>(colour.a - 10 * game.gameSpeed);
    if (colour.a <= 20 * game.gameSpeed && soundStopped(SoundPathAlert)) {
        playSound(SoundPathAlert);
        if (!frozen)
            game.pathAlertCount += 1;
    }
    const int shown = game.currentLevel == 3 ? 3 : 1;
    for (int i = 0; i < shown; ++i)
        game.warningSprites[i].setColor(colour);
}
