// The in-game HUD: money, wave, rating, objective, buttons, wave preview and timers.
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "towers/records.h"
#include "tutorial/records.h"
#include "ui/records.h"
#include "ui/ui.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "level/level.h"
#include "rating/rating.h"
#include "towers/towers.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Where a set's faces and counts go, per box placement, in CustomerType order.
struct PreviewPlacement {
    float face[CustomerTypeCount][2];
    float count[CustomerTypeCount][2];
};

constexpr PreviewPlacement map1Placement = {
    {{515, 174}, {359, 173}, {359, 330}, {518, 329}},
    {{538, 260}, {385, 260}, {385, 298}, {538, 298}},
};
constexpr PreviewPlacement map2Placement = {
    {{670, 750}, {514, 750}, {514, 905}, {670, 905}},
    {{696, 840}, {541, 840}, {541, 875}, {694, 875}},
};
// The third map's boxes stand beside their entrances' mats, never over them: the second
// entrance's to the right of its mat at the top, the map's own entrance's above its mat.
constexpr PreviewPlacement map3SecondEntrancePlacement = {
    {{940, 114}, {784, 113}, {784, 270}, {943, 269}},
    {{963, 200}, {810, 200}, {810, 238}, {963, 238}},
};
constexpr PreviewPlacement map3EntrancePlacement = {
    {{269, 695}, {113, 695}, {113, 850}, {269, 850}},
    {{295, 785}, {140, 785}, {140, 820}, {295, 820}},
};

constexpr const char* previewFaceFiles[CustomerTypeCount] = {"celibFace.png", "familleFace.png",
                                                             "grosFace.png", "businessManFace.png"};

void place(sf::Transformable& object, float x, float y) {
    object.setPosition(x, y);
}

// Places on box `box` the faces and counts of the customers the coming wave brings through one
// entrance, as the wave script will spawn them (a wave outside the script brings nobody: the
// box and timer show without faces).
void placePreviewSet(int box, int entrance, const PreviewPlacement& placement) {
    const WaveMix mix = waveMix(game.level.mapNumber, game.waves.wave, entrance);
    for (int type = 0; type < CustomerTypeCount; ++type) {
        const int count = mix.count[type];
        if (count <= 0)
            continue;
        sf::Text& text = game.hud.previewCounts[box][type];
        place(game.hud.previewFaces[box][type], placement.face[type][0], placement.face[type][1]);
        place(text, placement.count[type][0], placement.count[type][1]);
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "x %d", count);
        text.setString(buffer);
        game.hud.previewFaceShown[box][type] = 1;
    }
}

// Shows box `box` at (x, y) with its timer `timer` at (tx, ty).
void placeBox(int box, float x, float y, int timer, float tx, float ty) {
    place(game.hud.previewBoxes[box], x, y);
    place(game.hud.countdownTimers[timer], tx, ty);
    game.hud.previewTimerOf[box] = timer;
}

// Level 2 keeps its preview faces hidden while the shop lesson is pending, unless its sign
// explanation has already been clicked through.
bool level2FacesShown() {
    if (game.lesson.supplierTutorialPending == 0)
        return true;
    return game.lesson.level2TutorialClicks > 1 && game.progress.tutorialEnabled != 0;
}

} // namespace

void initHud() {
    game.hud.hudPanel = makeSprite(loadTexture(hudPath("HUD.png")), 1540, 0);
    game.hud.waveText = makeText("", 30, sf::Color::Black, 1610, 505);
    game.hud.objectiveLabel = makeText("", 25, sf::Color::Black, 1570, 390);
    // The room dims under the pause, the HUD beside it stays as it is: its buttons still work.
    game.hud.pauseVeil.setSize(sf::Vector2f(1540, 1080));
    game.hud.pauseVeil.setFillColor(sf::Color(30, 16, 6, 120));
    game.hud.pauseSign = makeText("", 120, sf::Color(255, 246, 224), 0, 0);
    game.hud.pauseSign.setOutlineColor(sf::Color(74, 42, 18));
    game.hud.pauseSign.setOutlineThickness(8);
    labelHud();

    game.hud.ratingStars = makeSprite(loadTexture(hudPath("Stars.png")), 1575, 145);
    game.hud.ratingStars.setTextureRect(sheetFrame(ratingStarsSheet, 0));
    game.hud.objectiveStars = makeSprite(loadTexture(hudPath("Stars2.png")), 1700, 385);
    game.hud.objectiveStars.setTextureRect(sheetFrame(starStripSheet, 0));
    game.hud.objectiveStars.setScale(0.35f, 0.35f);

    game.hud.pauseButton = makeSprite(loadTexture(hudPath("PauseButton.png")), 1584, 993);
    game.hud.pauseButton.setTextureRect(sf::IntRect(0, 0, 43, 69));
    game.hud.optionsButton = makeSprite(loadTexture(hudPath("OptionsButton.png")), 1655, 993);
    game.hud.muteButton = makeSprite(loadTexture(hudPath("mute button.png")), 1738, 1008);
    game.hud.muteButton.setTextureRect(sf::IntRect(0, 0, 78, 39));
    game.hud.speedButton = makeSprite(loadTexture(hudPath("B x2.png")), 1828, 993);

    game.hud.victoryPicture = makeSprite(loadTexture(hudPath("Victory.png")));
    game.hud.defeatPicture = makeSprite(loadTexture(hudPath("Defeat.png")));
    game.hud.continueButton = makeSprite(loadTexture(hudPath("B Continuer.png")), 1414, 555);

    // The tower info panel's two pictures; the tower menus choose which one it shows.
    game.defence.infoPanelTexture = loadTexture(hudPath("InfoTour.png"));
    game.defence.infoPanel2Texture = loadTexture(hudPath("InfoTour2.png"));
    game.defence.infoPanel = sf::Sprite();
    game.defence.infoPanel.setPosition(1000, 800);

    game.hud.previewBoxes[0] = makeSprite(loadTexture(hudPath("PrévisuCase.png")));
    game.hud.previewBoxes[1] = makeSprite(loadTexture(hudPath("PrévisuCase2.png")));
    for (int box = 0; box < 2; ++box) {
        for (int type = 0; type < CustomerTypeCount; ++type) {
            game.hud.previewFaces[box][type] =
                makeSprite(loadTexture(hudPath(previewFaceFiles[type])));
            game.hud.previewFaces[box][type].setScale(1.2f, 1.2f);
            game.hud.previewCounts[box][type] = makeText("x 1", 25, sf::Color::Black);
        }
        const sf::Texture* timer = loadTexture(hudPath("TimerAnim.png"));
        game.hud.countdownTimers[box] = makeSprite(timer);
        game.hud.countdownTimers[box].setTextureRect(sheetFrame(timerSheet, 0));
        if (timer)
            game.hud.countdownTimers[box].setOrigin(
                static_cast<float>(textureSize(timer).x) / 20.0f,
                static_cast<float>(textureSize(timer).y) / 2.0f);
    }
    game.level.mapNumber = 0;
}

void labelHud() {
    game.hud.objectiveLabel.setString(utf8(tr("Objectif: ")));
    game.hud.pauseSign.setString(utf8(tr("Pause")));
    // Centred on the room.
    const sf::FloatRect sign = game.hud.pauseSign.getLocalBounds();
    game.hud.pauseSign.setPosition(std::round(770 - sign.left - sign.width / 2),
                                   std::round(480 - sign.top - sign.height / 2));
}

void refreshHud() {
    char buffer[30];
    std::snprintf(buffer, sizeof buffer, "%d", game.rating.money);
    game.hud.moneyText.setString(buffer);
    // The wave and how many the level has.
    std::snprintf(buffer, sizeof buffer, tr("Vague : %d/%d"), game.waves.wave,
                  game.level.waveCount);
    game.hud.waveText.setString(buffer);
    game.hud.ratingStars.setTextureRect(
        sheetFrame(ratingStarsSheet, starFrame(game.rating.RatingScore)));
    game.hud.objectiveStars.setTextureRect(
        sheetFrame(starStripSheet, starFrame(game.rating.levelObjective)));
    // The mute switch as it stands, also when a start restored it.
    game.hud.muteButton.setTextureRect(sf::IntRect(game.sound.muted != 0 ? 78 : 0, 0, 78, 39));
}

void placeWavePreview() {
    const sf::IntRect timerFrame = sheetFrame(timerSheet, 10 - game.waveClock.countdown);
    game.hud.countdownTimers[0].setTextureRect(timerFrame);
    game.hud.countdownTimers[1].setTextureRect(timerFrame);
    for (int box = 0; box < 2; ++box) {
        game.hud.previewTimerOf[box] = -1;
        for (int& shown : game.hud.previewFaceShown[box])
            shown = 0;
    }
    switch (game.level.mapNumber) {
    case 1:
        placeBox(0, 335, 80, 0, 481, 295);
        placePreviewSet(0, 0, map1Placement);
        break;
    case 2:
        placeBox(1, 491, 720, 0, 641, 875);
        if (level2FacesShown())
            placePreviewSet(1, 0, map2Placement);
        break;
    case 3:
        if (game.rating.levelWon == 1)
            game.progress.levelCleared[3] = 1;
        // Box 1, at the top, tells the second entrance's customers (there are none before
        // wave 2); box 2, at the bottom left, the map's own entrance's.
        if (game.waves.wave > 1) {
            placeBox(0, 760, 20, 0, 906, 235);
            placePreviewSet(0, 1, map3SecondEntrancePlacement);
        }
        placeBox(1, 90, 665, 1, 240, 820);
        placePreviewSet(1, 0, map3EntrancePlacement);
        break;
    default:
        break;
    }
}

void setTimerHoverScale() {
    sf::Sprite& timer = game.hud.countdownTimers[0];
    // Under an open tower menu's button the pointer is on the button, not on the timer.
    const bool inside = hitCentred(timer, game.shared.input.mouseX, game.shared.input.mouseY) &&
                        !onTowerMenuButton(game.shared.input.mouseX, game.shared.input.mouseY);
    const float scale = inside ? 1.1f : 1.0f;
    timer.setScale(scale, scale);
}
