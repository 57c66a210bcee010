// The options section of the menu cabinet: the music and effects sliders, the tutorial check
// box and the button that deletes the saved game. They react to the mouse while drawn.
#include "ui/ui.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "persist/persist.h"

#include <algorithm>

namespace {

const std::string menuFolder = "../resources/textures/Menu/";

// Both bars start at x 1209.
constexpr float barX = 1209;
constexpr float fillX = 1216;

// Inside a picture from its top-left corner, both x edges counted, y edges not.
bool insideFromCorner(const sf::Sprite& sprite, float left, float top) {
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    const float x = static_cast<float>(game.input.mouseX),
                y = static_cast<float>(game.input.mouseY);
    return left <= x && x <= left + bounds.width && top < y && y < top + bounds.height;
}

void setTutorialBoxPicture() {
    const char* picture = game.tutorialBoxState == 2 ? "CaseTuto2.png" : "CaseTuto1.png";
    setSpriteTexture(game.tutorialBox, loadTexture(menuFolder + picture), true);
}

// The box shows the tutorial flag as it stands (the save file, read after the box was made,
// or the shop lesson may have changed it).
void showTutorialFlag() {
    const int state = game.tutorialEnabled != 0 ? 1 : 2;
    if (state != game.tutorialBoxState) {
        game.tutorialBoxState = state;
        setTutorialBoxPicture();
    }
}

void toggleTutorialBox() {
    game.tutorialEnabled = game.tutorialEnabled != 0 ? 0 : 1;
    showTutorialFlag();
    // Kept at once: a player who quits next finds the lesson as they chose it.
    writeSave();
}

// The first control under a held button takes the press.
void pressControls() {
    if (insideFromCorner(game.effectsBar, barX, 475)) {
        game.effectsKnobX = static_cast<float>(game.input.mouseX);
    } else if (insideFromCorner(game.musicBar, barX, 290)) {
        game.musicKnobX = static_cast<float>(game.input.mouseX);
    } else if (insideFromCorner(game.tutorialBox, 1541, 585)) {
        if (game.clickLatch == 0) {
            toggleTutorialBox();
            game.clickLatch = 1;
        }
    } else if (insideFromCorner(game.deleteButton, 1211, 752)) {
        if (game.clickLatch == 0) {
            deleteSave();
            game.clickLatch = 1;
        }
    }
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
    game.volumesLabel = makeSprite(loadTexture(menuFolder + "Sons + SFX.png"), 1209, 190);
    const sf::Texture* bar = loadTexture(menuFolder + "VolumeBar.png");
    game.musicBar = makeSprite(bar, barX, 290);
    game.effectsBar = makeSprite(bar, barX, 475);
    game.musicFill.setFillColor(sf::Color::Black);
    game.musicFill.setPosition(fillX, 300);
    game.effectsFill.setFillColor(sf::Color::Black);
    game.effectsFill.setPosition(fillX, 485);
    // The menu's knobs hang from half their outlined width.
    game.effectsKnob = makeVolumeKnob();
    game.effectsKnob.setOrigin(game.effectsKnob.getLocalBounds().width / 2, 0);
    game.musicKnob = game.effectsKnob;
    placeVolumeKnobs();
    game.tutorialBoxState = 1;
    game.tutorialBox = makeSprite(nullptr, 1541, 585);
    setTutorialBoxPicture();
    game.tutorialLabel = makeText("", 40, sf::Color::Black, 1341, 605);
    game.deleteButton = makeSprite(loadTexture(menuFolder + "B Reset.png"), 1211, 752);
    game.deleteLabel = makeText("", 40, sf::Color::Black, 1341, 760);
    labelOptions();
    initScreenChoices();
}

void labelOptions() {
    game.tutorialLabel.setString(utf8(tr("Tutoriel")));
    game.deleteLabel.setString(utf8(tr("Suppr. partie")));
}

float knobForVolume(float volume, float barStart) {
    return barStart + volume * volumeBarRange / 100;
}

float volumeForKnob(float knobX, float barStart) {
    return std::min(100.0f, std::max(0.0f, (knobX - barStart) * 100 / volumeBarRange));
}

void placeVolumeKnobs() {
    game.musicKnobX = knobForVolume(game.musicVolume, barX);
    game.effectsKnobX = knobForVolume(game.effectsVolume, barX);
}

void updateOptions() {
    // The knobs moved last frame set the volumes now.
    game.effectsVolume = volumeForKnob(game.effectsKnobX, barX);
    game.musicVolume = volumeForKnob(game.musicKnobX, barX);
    applyVolumes();
    showTutorialFlag();
    updateScreenChoices(false);
    if (game.input.leftDown)
        pressControls();
    else if (game.clickLatch == 1)
        game.clickLatch = 0;
    game.effectsKnob.setPosition(game.effectsKnobX, 480);
    game.musicKnob.setPosition(game.musicKnobX, 295);
    game.effectsFill.setSize(sf::Vector2f(game.effectsKnobX - fillX, 30));
    game.musicFill.setSize(sf::Vector2f(game.musicKnobX - fillX, 30));
}
