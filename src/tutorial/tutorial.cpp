// The tutorial's look: the spotlight over the captured frame, the speech bubble, the spatula
// and the text, shared by the first level's lesson, the level-2 sign and the shop lesson.
#include "tutorial/tutorial.h"
#include "ground/records.h"
#include "persist/records.h"
#include "tutorial/records.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "level/level.h"
#include "tutorial/tutorial_common.h"

#include <limits>
#include <memory>
#include <string>

namespace {

constexpr int spatulaFrameWidth = 357, spatulaFrameHeight = 502;
constexpr int spatulaLastFrame = 7;
constexpr float spatulaFrameSeconds = 0.1f;
// The text starts this far right of the bubble's left edge (the spatula's hand covers the rest)
// and keeps this far from its right edge (the bubble's rim and shadow).
constexpr float textIndent = 178;
constexpr float textRightMargin = 44;

// How wide a line of the bubble's text may be.
float bubbleTextWidth = 0;

// The string last given to the dialogue text, so an unchanged bubble is not laid out again.
std::string shownDialogue;
unsigned shownInLanguage = 0; // the switch of language the bubble's text was laid out after

// A new level: the first map's lesson starts over, holding the level still until it lets it
// run; the other maps run at once.
void resetLessonForLevel() {
    game.lesson.tutorialMessageShown = 0;
    game.lesson.shownStep = -1;
    if (game.shared.currentLevel > 1) {
        game.lesson.tutorialRunning = 1;
    } else if (game.progress.tutorialEnabled != 0) {
        game.lesson.tutorialStep = 0;
        game.lesson.tutorialRunning = 0;
    }
}

} // namespace

namespace {
LessonMarks marks;
} // namespace

void markForLessons(const LessonMarks& given) {
    marks = given;
}

const LessonMarks& lessonMarks() {
    return marks;
}

bool tutorialGateOpen() {
    return game.progress.tutorialEnabled == 0 || game.lesson.tutorialRunning == 1;
}

void initTutorial() {
    whenLevelSetUp(resetLessonForLevel);
    gateLevel(tutorialGateOpen);
    game.lesson.dialogue.clear();
    shownDialogue.clear();
    game.lesson.dialogueText = makeText("", dialogueTextSize, sf::Color::Black);
    game.lesson.spotlightOn = 0;
    game.lesson.spotlightX = game.lesson.spotlightY = game.lesson.spotlightRadius = 0;

    game.lesson.spatulaSprite =
        makeSprite(loadTexture("../resources/textures/hud/spat anim.png"), 0, 578);
    game.lesson.spatulaSprite.setTextureRect(
        sf::IntRect(0, 0, spatulaFrameWidth, spatulaFrameHeight));
    game.lesson.spatulaAnimating = 0;
    game.lesson.spatulaFrame = 0;
    game.lesson.spatulaFrameTime = 0;

    const sf::Texture* bubble = loadTexture("../resources/textures/hud/spat dialogue.png");
    const float bubbleHeight = bubble ? static_cast<float>(textureSize(bubble).y) : 0.0f;
    game.lesson.bubbleSprite = makeSprite(bubble, 178, 1080 - bubbleHeight);
    // Without its picture the text keeps the writer's lines as they are.
    bubbleTextWidth =
        bubble ? (static_cast<float>(textureSize(bubble).x) - textIndent - textRightMargin)
               : std::numeric_limits<float>::max();
}

void setSpotlight(float x, float y, float radius) {
    game.lesson.spotlightX = x;
    game.lesson.spotlightY = y;
    game.lesson.spotlightRadius = radius;
    game.lesson.spotlightOn = 1;
}

void layoutDialogue() {
    if (game.lesson.dialogue != shownDialogue || languageSwitches() != shownInLanguage) {
        game.lesson.dialogueText.setString(
            wrapText(utf8(tr(game.lesson.dialogue)), dialogueTextSize, bubbleTextWidth));
        shownDialogue = game.lesson.dialogue;
        shownInLanguage = languageSwitches();
    }
    const sf::FloatRect text = game.lesson.dialogueText.getLocalBounds();
    game.lesson.dialogueText.setOrigin(0, text.height / 2);
    const sf::FloatRect bubble = game.lesson.bubbleSprite.getGlobalBounds();
    const sf::Vector2f at = game.lesson.bubbleSprite.getPosition();
    game.lesson.dialogueText.setPosition(at.x + textIndent, at.y + bubble.height / 2);
}

void showDialogue(const char* text) {
    game.lesson.dialogue = text;
}

void lightOff() {
    game.lesson.spotlightOn = 0;
}

void startSpatula() {
    game.lesson.spatulaAnimating = 1;
}

void animateSpatula() {
    if (game.lesson.spatulaAnimating != 1 ||
        game.clock.now - game.lesson.spatulaFrameTime <= spatulaFrameSeconds)
        return;
    game.lesson.spatulaFrame += 1;
    if (game.lesson.spatulaFrame > spatulaLastFrame) {
        game.lesson.spatulaFrame = 0;
        game.lesson.spatulaAnimating = 0;
    }
    game.lesson.spatulaFrameTime = game.clock.now;
    game.lesson.spatulaSprite.setTextureRect(sf::IntRect(
        spatulaFrameWidth * game.lesson.spatulaFrame, 0, spatulaFrameWidth, spatulaFrameHeight));
}
