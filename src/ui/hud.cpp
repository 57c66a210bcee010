// The in-game HUD: money, wave, rating, objective, buttons, wave preview and timers.
#include "ui/ui.h"

#include "core/core.h"
#include "core/game.h"
#include "core/resources.h"
#include "rating/rating.h"

#include <cstdio>
#include <string>

namespace {

// How many customers of each type a wave brings, in CustomerType order
// (Bachelor, Family, BigEater, BusinessMan).
struct PreviewSet {
    int count[CustomerTypeCount];
};

constexpr int maxWaves = 7;

// Map 1 (tutorial level and level 1), shown on box 1.
constexpr PreviewSet map1Preview[maxWaves] = {
    {{3, 0, 0, 0}}, {{4, 0, 0, 2}}, {{7, 1, 0, 2}}, {{1, 2, 4, 3}}, {{2, 3, 3, 2}}, {}, {},
};
// Map 2, shown on box 2.
constexpr PreviewSet map2Preview[maxWaves] = {
    {{2, 0, 1, 1}}, {{2, 0, 2, 2}}, {{3, 1, 1, 3}}, {{3, 1, 4, 0}},
    {{2, 1, 4, 2}}, {{3, 3, 5, 1}}, {{2, 2, 5, 1}},
};
// Map 3: the first entrance's customers on box 1 (hidden before wave 2), the second
// entrance's on box 2.
constexpr PreviewSet map3FirstPreview[maxWaves] = {
    {},
    {{2, 0, 0, 2}},
    {{1, 0, 1, 2}},
    {{2, 1, 1, 0}},
    {{3, 0, 2, 1}},
    {{2, 0, 4, 1}},
    {{4, 0, 5, 1}},
};
constexpr PreviewSet map3SecondPreview[maxWaves] = {
    {{2, 0, 1, 1}}, {{2, 0, 0, 2}}, {{2, 1, 1, 2}}, {{1, 0, 1, 1}},
    {{1, 0, 4, 0}}, {{2, 0, 4, 1}}, {{4, 0, 4, 1}},
};

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
constexpr PreviewPlacement map3FirstPlacement = {
    {{720, 114}, {564, 113}, {564, 270}, {723, 269}},
    {{743, 200}, {590, 200}, {590, 238}, {743, 238}},
};
constexpr PreviewPlacement map3SecondPlacement = {
    {{269, 740}, {113, 740}, {113, 895}, {269, 895}},
    {{295, 830}, {140, 830}, {140, 865}, {295, 865}},
};

constexpr const char* previewFaceFiles[CustomerTypeCount] = {"celibFace.png", "familleFace.png",
                                                             "grosFace.png", "businessManFace.png"};

void place(sf::Transformable& object, float x, float y) {
    object.setPosition(x * game.layoutScaleX, y * game.layoutScaleY);
}

// Places the faces and counts of one wave's set on box `box`.
void placePreviewSet(int box, const PreviewSet* table, const PreviewPlacement& placement) {
    const int wave = game.wave;
    if (wave < 1 || wave > maxWaves)
        return; // a wave outside the table shows the box and timer without faces
    const PreviewSet& set = table[wave - 1];
    for (int type = 0; type < CustomerTypeCount; ++type) {
        const int count = set.count[type];
        if (count <= 0)
            continue;
        sf::Text& text = game.previewCounts[box][type];
        place(game.previewFaces[box][type], placement.face[type][0], placement.face[type][1]);
        place(text, placement.count[type][0], placement.count[type][1]);
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "x %d", count);
        text.setString(buffer);
        game.previewFaceShown[box][type] = 1;
    }
}

// Shows box `box` at (x, y) with its timer `timer` at (tx, ty).
void placeBox(int box, float x, float y, int timer, float tx, float ty) {
    place(game.previewBoxes[box], x, y);
    place(game.countdownTimers[timer], tx, ty);
    game.previewTimerOf[box] = timer;
}

// Level 2 keeps its preview faces hidden while the shop lesson is pending, unless its sign
// explanation has already been clicked through.
bool level2FacesShown() {
    if (game.supplierTutorialPending == 0)
        return true;
    return game.level2TutorialClicks > 1 && game.tutorialEnabled == 1;
}

} // namespace

void initHud() {
    const float sx = game.layoutScaleX, sy = game.layoutScaleY;
    game.hudPanel = makeSprite(loadTexture(hudPath("HUD.png")), 1540 * sx, 0);
    game.waveText = makeText("Vague: ", 30, sf::Color::Black, 1610 * sx, 505 * sy);
    game.objectiveLabel = makeText("Objectif: ", 25, sf::Color::Black, 1570 * sx, 390 * sy);

    game.ratingStars = makeSprite(loadTexture(hudPath("Stars.png")), 1575 * sx, 145 * sy);
    game.ratingStars.setTextureRect(sf::IntRect(0, 0, 315, 197));
    game.ratingStars.setScale(sx, sy);
    game.objectiveStars = makeSprite(loadTexture(hudPath("Stars2.png")), 1700 * sx, 385 * sy);
    game.objectiveStars.setTextureRect(sf::IntRect(0, 0, 538, 91));
    game.objectiveStars.setScale(0.35f * sx, 0.35f * sy);

    game.pauseButton = makeSprite(loadTexture(hudPath("PauseButton.png")), 1584 * sx, 993 * sy);
    game.pauseButton.setTextureRect(sf::IntRect(0, 0, 43, 69));
    game.optionsButton = makeSprite(loadTexture(hudPath("OptionsButton.png")), 1655 * sx, 993 * sy);
    game.muteButton = makeSprite(loadTexture(hudPath("mute button.png")), 1738 * sx, 1008 * sy);
    game.muteButton.setTextureRect(sf::IntRect(0, 0, 78, 39));
    game.speedButton = makeSprite(loadTexture(hudPath("B x2.png")), 1828 * sx, 993 * sy);

    game.victoryPicture = makeSprite(loadTexture(hudPath("Victory.png")));
    game.defeatPicture = makeSprite(loadTexture(hudPath("Defeat.png")));
    game.continueButton = makeSprite(loadTexture(hudPath("B Continuer.png")), 1414 * sx, 555 * sy);

    // The tower info panel's two pictures; the tower menus choose which one it shows.
    game.infoPanelTexture = loadTexture(hudPath("InfoTour.png"));
    game.infoPanel2Texture = loadTexture(hudPath("InfoTour2.png"));
    game.infoPanel = sf::Sprite();
    game.infoPanel.setScale(sx, sy);
    game.infoPanel.setPosition(1000 * sx, 800 * sy);

    game.previewBoxes[0] = makeSprite(loadTexture(hudPath("PrévisuCase.png")));
    game.previewBoxes[1] = makeSprite(loadTexture(hudPath("PrévisuCase2.png")));
    for (int box = 0; box < 2; ++box) {
        for (int type = 0; type < CustomerTypeCount; ++type) {
            game.previewFaces[box][type] = makeSprite(loadTexture(hudPath(previewFaceFiles[type])));
            game.previewFaces[box][type].setScale(1.2f * sx, 1.2f * sy);
            game.previewCounts[box][type] = makeText("x 1", 25, sf::Color::Black);
        }
        const sf::Texture* timer = loadTexture(hudPath("TimerAnim.png"));
        game.countdownTimers[box] = makeSprite(timer);
        game.countdownTimers[box].setTextureRect(sf::IntRect(0, 0, 90, 91));
        if (timer)
            game.countdownTimers[box].setOrigin(static_cast<float>(textureSize(timer).x) / 20.0f,
                                                static_cast<float>(textureSize(timer).y) / 2.0f);
    }
    game.mapNumber = 0;
}

void refreshHud() {
    char buffer[30];
    std::snprintf(buffer, sizeof buffer, "%d", game.money);
    game.moneyText.setString(buffer);
    std::snprintf(buffer, sizeof buffer, "Vague : %d", game.wave);
    game.waveText.setString(buffer);
    game.ratingStars.setTextureRect(sf::IntRect(315 * starFrame(game.RatingScore), 0, 315, 197));
    game.objectiveStars.setTextureRect(
        sf::IntRect(538 * starFrame(game.levelObjective), 0, 538, 91));
}

void placeWavePreview() {
    const sf::IntRect timerFrame(900 - 90 * game.countdown, 0, 90, 91);
    game.countdownTimers[0].setTextureRect(timerFrame);
    game.countdownTimers[1].setTextureRect(timerFrame);
    for (int box = 0; box < 2; ++box) {
        game.previewTimerOf[box] = -1;
        for (int& shown : game.previewFaceShown[box])
            shown = 0;
    }
    switch (game.mapNumber) {
    case 1:
        placeBox(0, 335, 80, 0, 481, 295);
        placePreviewSet(0, map1Preview, map1Placement);
        break;
    case 2:
        placeBox(1, 491, 720, 0, 641, 875);
        if (level2FacesShown())
            placePreviewSet(1, map2Preview, map2Placement);
        break;
    case 3:
        if (game.levelWon == 1)
            game.levelCleared[3] = 1;
        if (game.wave > 1) {
            placeBox(0, 540, 20, 0, 686, 235);
            placePreviewSet(0, map3FirstPreview, map3FirstPlacement);
        }
        placeBox(1, 90, 710, 1, 240, 865);
        placePreviewSet(1, map3SecondPreview, map3SecondPlacement);
        break;
    default:
        break;
    }
}

void setTimerHoverScale() {
    sf::Sprite& timer = game.countdownTimers[0];
    const bool inside = hitCentred(timer, game.input.mouseX, game.input.mouseY);
    const float scale = inside ? 1.1f : 1.0f;
    timer.setScale(scale * game.layoutScaleX, scale * game.layoutScaleY);
}
