// The path-blocking obstacle of maps 2 and 3.
#include "ground/records.h"
#include "level/level.h"
#include "level/records.h"

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
        return time - game.obstacle.mopperFrameTime[i] > 0.1 / game.waveClock.gameSpeed;
    };
    return game.waveClock.paused == 0 && firstMomentWhen(game.clock, due, at);
}

void standAndMop(int i) {
    sf::Sprite& mopper = game.obstacle.mopperSprites[i];
    float at = 0;
    if (mopperFrameDue(i, at)) {
        game.obstacle.mopperFrame[i] += 1;
        if (game.obstacle.mopperFrame[i] == 5)
            game.obstacle.mopperFrame[i] = 0;
        game.obstacle.mopperFrameTime[i] = at;
        mopper.setTextureRect(sheetFrame(mopperSheet, game.obstacle.mopperFrame[i], 0));
    }
    game.obstacle.warningSprites[i].setPosition(game.obstacle.signSprites[i].getPosition());
    game.obstacle.signSprites[i].setTextureRect(sf::IntRect(0, 0, 60, 104));
}

void walkAway(int i) {
    sf::Sprite& mopper = game.obstacle.mopperSprites[i];
    float at = 0;
    if (mopperFrameDue(i, at)) {
        // The walk has four frames; he may set off from the fifth mopping frame, so anything
        // past the last walking frame starts the walk again instead of leaving the sheet.
        game.obstacle.mopperFrame[i] += 1;
        if (game.obstacle.mopperFrame[i] >= 4)
            game.obstacle.mopperFrame[i] = 0;
        game.obstacle.mopperFrameTime[i] = at;
        mopper.setTextureRect(sheetFrame(mopperSheet, game.obstacle.mopperFrame[i], 1));
        sf::Color colour = mopper.getColor();
        colour.a = static_cast<sf::Uint8>(colour.a - 7);
        mopper.setColor(colour);
        if (colour.a <= 10) {
            // Gone: the short way is open and the obstacle wave's clock starts.
            game.obstacle.pathOpenPhase = -1;
            game.waveClock.waveClockStart = at;
        }
    }
    // He keeps sliding away even while the game is paused.
    const double d = -150.0 * game.waveClock.gameSpeed * game.clock.frameDelta;
    mopper.move(static_cast<float>(d * std::cos(static_cast<double>(walkAngle))),
                static_cast<float>(d * std::sin(static_cast<double>(walkAngle))));
}

} // namespace

void initObstacles() {
    const sf::Texture* sign = loadTexture("../resources/textures/map/sol glissant.png");
    const sf::Texture* mopper = loadTexture("../resources/textures/map/serpilleur.png");
    const sf::Texture* warning = loadTexture("../resources/textures/map/warning.png");
    for (int i = 0; i < 3; ++i) {
        game.obstacle.signSprites[i] = makeSprite(sign);
        game.obstacle.signSprites[i].setOrigin(centreOf(sign, sf::Vector2f(30, 52)));
        game.obstacle.signSprites[i].setTextureRect(sf::IntRect(0, 0, 60, 104));
        game.obstacle.mopperSprites[i] = makeSprite(mopper);
        game.obstacle.mopperSprites[i].setOrigin(56, 58);
        game.obstacle.mopperSprites[i].setTextureRect(sheetFrame(mopperSheet, 0));
        game.obstacle.mopperFrameTime[i] = -1.0f;
        game.obstacle.mopperFrame[i] = 0;
    }
    game.obstacle.warningSprites[0] = makeSprite(warning);
    game.obstacle.warningSprites[0].setOrigin(centreOf(warning, sf::Vector2f()));
    game.obstacle.warningSprites[1] = game.obstacle.warningSprites[0];
    game.obstacle.warningSprites[2] = game.obstacle.warningSprites[0];
}

void advanceObstacles() {
    for (int i = 0; i < obstacleCount(game); ++i) {
        if (game.obstacle.obstacleActive == 1)
            standAndMop(i);
        else if (game.obstacle.pathOpenPhase == 1)
            walkAway(i);
    }
}

int obstacleCount(const GameSight& state) {
    return state.shared.currentLevel == 3 ? 3 : state.shared.currentLevel == 2 ? 1 : 0;
}

void blinkPathAlert(bool frozen) {
    game.obstacle.pathAlertShown = 0;
    if (game.obstacle.pathOpenPhase != 1)
        return;
    // A frozen level keeps blinking but neither counts nor stops at three alerts.
    if (!frozen && game.obstacle.pathAlertCount >= 3)
        return;
    game.obstacle.pathAlertShown = 1;
    sf::Color colour = game.obstacle.warningSprites[0].getColor();
    colour.a = static_cast<sf::Uint8>(colour.a - 10 * game.waveClock.gameSpeed);
    if (colour.a <= 20 * game.waveClock.gameSpeed && soundStopped(SoundPathAlert)) {
        playSound(SoundPathAlert);
        if (!frozen)
            game.obstacle.pathAlertCount += 1;
    }
    const int shown = game.shared.currentLevel == 3 ? 3 : 1;
    for (int i = 0; i < shown; ++i)
        game.obstacle.warningSprites[i].setColor(colour);
}
