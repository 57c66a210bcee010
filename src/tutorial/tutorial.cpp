// The tutorial's look: the spotlight over the captured frame, the speech bubble, the spatula
// and the text, shared by the first level's lesson, the level-2 sign and the shop lesson.
#include "tutorial/tutorial.h"

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
    game.tutorialMessageShown = 0;
    if (game.currentLevel > 1) {
        game.tutorialRunning = 1;
    } else if (game.tutorialEnabled != 0) {
        game.tutorialStep = 0;
        game.tutorialRunning = 0;
    }
}

} // namespace

bool tutorialGateOpen() {
    return game.tutorialEnabled == 0 || game.tutorialRunning == 1;
}

void initTutorial() {
    whenLevelSetUp(resetLessonForLevel);
    gateLevel(tutorialGateOpen);
    game.dialogue.clear();
    shownDialogue.clear();
    game.dialogueText = makeText("", dialogueTextSize, sf::Color::Black);
    game.spotlightOn = 0;
    game.spotlightX = game.spotlightY = game.spotlightRadius = 0;

    game.spatulaSprite = makeSprite(loadTexture("../resources/textures/hud/spat anim.png"), 0, 578);
    game.spatulaSprite.setTextureRect(sf::IntRect(0, 0, spatulaFrameWidth, spatulaFrameHeight));
    game.spatulaAnimating = 0;
    game.spatulaFrame = 0;
    game.spatulaFrameTime = 0;

    const sf::Texture* bubble = loadTexture("../resources/textures/hud/spat dialogue.png");
    const float bubbleHeight = bubble ? static_cast<float>(textureSize(bubble).y) : 0.0f;
    game.bubbleSprite = makeSprite(bubble, 178, 1080 - bubbleHeight);
    // Without its picture the text keeps the writer's lines as they are.
    bubbleTextWidth =
        bubble ? (static_cast<float>(textureSize(bubble).x) - textIndent - textRightMargin)
               : std::numeric_limits<float>::max();
}

void setSpotlight(float x, float y, float radius) {
    game.spotlightX = x;
    game.spotlightY = y;
    game.spotlightRadius = radius;
    game.spotlightOn = 1;
}

void layoutDialogue() {
    if (game.dialogue != shownDialogue || languageSwitches() != shownInLanguage) {
        game.dialogueText.setString(wrapDialogue(utf8(tr(game.dialogue)), bubbleTextWidth));
        shownDialogue = game.dialogue;
        shownInLanguage = languageSwitches();
    }
    const sf::FloatRect text = game.dialogueText.getLocalBounds();
    game.dialogueText.setOrigin(0, text.height / 2);
    const sf::FloatRect bubble = game.bubbleSprite.getGlobalBounds();
    const sf::Vector2f at = game.bubbleSprite.getPosition();
    game.dialogueText.setPosition(at.x + textIndent, at.y + bubble.height / 2);
}

void showDialogue(const char* text) {
    game.dialogue = text;
}

void lightOff() {
    game.spotlightOn = 0;
}

void startSpatula() {
    game.spatulaAnimating = 1;
}

void animateSpatula() {
    if (game.spatulaAnimating != 1 || game.now - game.spatulaFrameTime <= spatulaFrameSeconds)
        return;
    game.spatulaFrame += 1;
    if (game.spatulaFrame > spatulaLastFrame) {
        game.spatulaFrame = 0;
        game.spatulaAnimating = 0;
    }
    game.spatulaFrameTime = game.now;
    game.spatulaSprite.setTextureRect(sf::IntRect(spatulaFrameWidth * game.spatulaFrame, 0,
                                                  spatulaFrameWidth, spatulaFrameHeight));
}
