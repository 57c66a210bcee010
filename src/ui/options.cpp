// The options section of the menu cabinet: the music and effects sliders, the tutorial check
// box and the button that deletes the saved game. They react to the mouse while drawn.
#include "ground/records.h"
#include "persist/records.h"
#include "ui/records.h"
#include "ui/ui.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "persist/persist.h"

#include <algorithm>
#include <cmath>

namespace {

const std::string menuFolder = "../resources/textures/Menu/";

// Both bars start at x 1209.
constexpr float barX = 1209;
constexpr float fillX = 1216;
// The tutorial's box stands left of its label, as the fullscreen box below it does; the row
// answers to a press across the screen.
constexpr float tutorialBoxX = 1241, tutorialBoxY = 585, rowRight = 1830;

// Inside a picture from its top-left corner (or as wide as asked), both x edges counted, y
// edges not.
bool insideFromCorner(const sf::Sprite& sprite, float left, float top, float width = 0) {
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    const float x = static_cast<float>(game.shared.input.mouseX),
                y = static_cast<float>(game.shared.input.mouseY);
    const float right = left + (width > 0 ? width : bounds.width);
    return left <= x && x <= right && top < y && y < top + bounds.height;
}

void setTutorialBoxPicture() {
    const char* picture = game.options.tutorialBoxState == 2 ? "CaseTuto2.png" : "CaseTuto1.png";
    setSpriteTexture(game.options.tutorialBox, loadTexture(menuFolder + picture), true);
}

// The box shows the tutorial flag as it stands (the save file, read after the box was made,
// or the shop lesson may have changed it).
void showTutorialFlag() {
    const int state = game.progress.tutorialEnabled != 0 ? 1 : 2;
    if (state != game.options.tutorialBoxState) {
        game.options.tutorialBoxState = state;
        setTutorialBoxPicture();
    }
}

void toggleTutorialBox() {
    game.progress.tutorialEnabled = game.progress.tutorialEnabled != 0 ? 0 : 1;
    showTutorialFlag();
    // Kept at once: a player who quits next finds the lesson as they chose it.
    writeSave();
}

// The first control under a held button takes the press.
void pressControls() {
    if (insideFromCorner(game.options.effectsBar, barX, 475)) {
        game.options.effectsKnobX = static_cast<float>(game.shared.input.mouseX);
    } else if (insideFromCorner(game.options.musicBar, barX, 290)) {
        game.options.musicKnobX = static_cast<float>(game.shared.input.mouseX);
    } else if (insideFromCorner(game.options.tutorialBox, tutorialBoxX, tutorialBoxY,
                                rowRight - tutorialBoxX)) {
        if (game.shared.clickLatch == 0) {
            toggleTutorialBox();
            game.shared.clickLatch = 1;
        }
    } else if (insideFromCorner(game.options.deleteButton, 1211, 752)) {
        if (game.shared.clickLatch == 0) {
            game.options.deleteAsked = 1;
            game.shared.clickLatch = 1;
        }
    }
}

bool pointerIn(const sf::RectangleShape& shape) {
    return shape.getGlobalBounds().contains(static_cast<float>(game.shared.input.mouseX),
                                            static_cast<float>(game.shared.input.mouseY));
}

// The question's own presses: "Oui" wipes the save, "Non" or a press beside the question
// leaves it; nothing under the question answers meanwhile.
void answerDeleteQuestion() {
    if (!game.shared.input.leftDown || game.shared.clickLatch != 0)
        return;
    if (pointerIn(game.options.askYes.box))
        deleteSave();
    else if (pointerIn(game.options.askPanel) && !pointerIn(game.options.askNo.box))
        return;
    game.options.deleteAsked = 0;
    game.shared.clickLatch = 1;
}

WordButton makeWordButton(float x, float y) {
    WordButton button;
    button.box.setSize(sf::Vector2f(160, 64));
    button.box.setPosition(x, y);
    button.box.setFillColor(sf::Color(255, 248, 225));
    button.box.setOutlineThickness(4);
    button.box.setOutlineColor(sf::Color::Black);
    button.label = makeText("", 36, sf::Color::Black);
    return button;
}

// A word in the middle of its button, whatever the language.
void centreWord(WordButton& button, const char* word) {
    button.label.setString(utf8(tr(word)));
    const sf::FloatRect text = button.label.getLocalBounds();
    const sf::FloatRect box = button.box.getGlobalBounds();
    button.label.setPosition(std::round(box.left + (box.width - text.width) / 2 - text.left),
                             std::round(box.top + (box.height - text.height) / 2 - text.top));
}

// The question stands in the middle of the cabinet's window, which it dims.
void initDeleteQuestion() {
    game.options.deleteAsked = 0;
    game.options.askVeil.setPosition(1172, 169);
    game.options.askVeil.setSize(sf::Vector2f(672, 686));
    game.options.askVeil.setFillColor(sf::Color(30, 16, 6, 140));
    game.options.askPanel.setPosition(1248, 392);
    game.options.askPanel.setSize(sf::Vector2f(520, 240));
    game.options.askPanel.setFillColor(sf::Color(252, 236, 200));
    game.options.askPanel.setOutlineThickness(5);
    game.options.askPanel.setOutlineColor(sf::Color::Black);
    game.options.askText = makeText("", 36, sf::Color::Black);
    game.options.askYes = makeWordButton(1298, 530);
    game.options.askNo = makeWordButton(1558, 530);
}

} // namespace

sf::CircleShape makeVolumeKnob() {
    sf::CircleShape knob(20);
    knob.setFillColor(sf::Color(150, 150, 150));
    knob.setOutlineThickness(5);
    knob.setOutlineColor(sf::Color::Black);
    knob.setOrigin(20, 0); // horizontal centre, top
    return knob;
}

void initOptions() {
    game.options.volumesLabel = makeSprite(loadTexture(menuFolder + "Sons + SFX.png"), 1209, 190);
    const sf::Texture* bar = loadTexture(menuFolder + "VolumeBar.png");
    game.options.musicBar = makeSprite(bar, barX, 290);
    game.options.effectsBar = makeSprite(bar, barX, 475);
    game.options.musicFill.setFillColor(sf::Color::Black);
    game.options.musicFill.setPosition(fillX, 300);
    game.options.effectsFill.setFillColor(sf::Color::Black);
    game.options.effectsFill.setPosition(fillX, 485);
    // The menu's knobs hang from half their outlined width.
    game.options.effectsKnob = makeVolumeKnob();
    game.options.effectsKnob.setOrigin(game.options.effectsKnob.getLocalBounds().width / 2, 0);
    game.options.musicKnob = game.options.effectsKnob;
    placeVolumeKnobs();
    game.options.tutorialBoxState = 1;
    game.options.tutorialBox = makeSprite(nullptr, tutorialBoxX, tutorialBoxY);
    setTutorialBoxPicture();
    game.options.tutorialLabel = makeText("", 40, sf::Color::Black, 1341, 605);
    game.options.deleteButton = makeSprite(loadTexture(menuFolder + "B Reset.png"), 1211, 752);
    game.options.deleteLabel = makeText("", 40, sf::Color::Black, 1341, 760);
    initDeleteQuestion();
    labelOptions();
    initScreenChoices();
}

void labelOptions() {
    game.options.tutorialLabel.setString(utf8(tr("Tutoriel")));
    game.options.deleteLabel.setString(utf8(tr("Suppr. partie")));
    // The question centred over its buttons.
    game.options.askText.setString(utf8(tr("Supprimer la partie ?")));
    const sf::FloatRect question = game.options.askText.getLocalBounds();
    game.options.askText.setPosition(std::round(1508 - question.width / 2 - question.left), 430);
    centreWord(game.options.askYes, N_("Oui"));
    centreWord(game.options.askNo, N_("Non"));
}

float knobForVolume(float volume, float barStart) {
    return barStart + volume * volumeBarRange / 100;
}

float volumeForKnob(float knobX, float barStart) {
    return std::min(100.0f, std::max(0.0f, (knobX - barStart) * 100 / volumeBarRange));
}

void placeVolumeKnobs() {
    game.options.musicKnobX = knobForVolume(game.sound.musicVolume, barX);
    game.options.effectsKnobX = knobForVolume(game.sound.effectsVolume, barX);
}

void updateOptions() {
    // The knobs moved last frame set the volumes now.
    game.sound.effectsVolume = volumeForKnob(game.options.effectsKnobX, barX);
    game.sound.musicVolume = volumeForKnob(game.options.musicKnobX, barX);
    applyVolumes();
    showTutorialFlag();
    if (game.options.deleteAsked != 0)
        answerDeleteQuestion();
    else
        updateScreenChoices(false);
    if (game.shared.input.leftDown) {
        if (game.options.deleteAsked == 0)
            pressControls();
    } else if (game.shared.clickLatch == 1) {
        game.shared.clickLatch = 0;
    }
    game.options.effectsKnob.setPosition(game.options.effectsKnobX, 480);
    game.options.musicKnob.setPosition(game.options.musicKnobX, 295);
    game.options.effectsFill.setSize(sf::Vector2f(game.options.effectsKnobX - fillX, 30));
    game.options.musicFill.setSize(sf::Vector2f(game.options.musicKnobX - fillX, 30));
}
