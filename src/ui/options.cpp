// The options section of the menu cabinet: the music and effects sliders, the tutorial check
// box and the button that deletes the saved game. They react to the mouse while drawn.
#include "persist/persist.h"
#include "shell/game_state.h"
#include "shell/platform.h"
#include "shell/resources.h"
#include "ui/ui.h"

namespace {

const std::string menuFolder = "../resources/textures/Menu/";

// 551 pixels of bar are the range 0 to 100; both bars start at x 1209.
constexpr float barX = 1209;
constexpr float barRange = 551;
constexpr float fillX = 1216;

// Inside a picture from its top-left corner, both x edges counted, y edges not.
bool insideFromCorner(const sf::Sprite& sprite, float left, float top) {
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    const float x = static_cast<float>(game.mouseX), y = static_cast<float>(game.mouseY);
    return left <= x && x <= left + bounds.width && top < y && y < top + bounds.height;
}

void setTutorialBoxPicture() {
    const char* picture = game.tutorialBoxState == 2 ? "CaseTuto2.png" : "CaseTuto1.png";
    setSpriteTexture(game.tutorialBox, loadTexture(menuFolder + picture), true);
}

void toggleTutorialBox() {
    if (game.tutorialBoxState == 1) {
        game.tutorialBoxState = 2;
        game.tutorialEnabled = 0;
    } else {
        game.tutorialBoxState = 1;
        game.tutorialEnabled = 1;
    }
    setTutorialBoxPicture();
}

// The first control under a held button takes the press.
void pressControls() {
    if (insideFromCorner(game.effectsBar, barX, 475)) {
        game.effectsKnobX = static_cast<float>(game.mouseX);
    } else if (insideFromCorner(game.musicBar, barX, 290)) {
        game.musicKnobX = static_cast<float>(game.mouseX);
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

sf::CircleShape makeKnob() {
    sf::CircleShape knob(20);
    knob.setFillColor(sf::Color(150, 150, 150));
    knob.setOutlineThickness(5);
    knob.setOutlineColor(sf::Color::Black);
    knob.setOrigin(knob.getLocalBounds().width / 2, 0);
    return knob;
}

} // namespace

void initOptions() {
    game.volumesLabel = makeSprite(loadTexture(menuFolder + "Sons + SFX.png"), 1209, 190);
    const sf::Texture* bar = loadTexture(menuFolder + "VolumeBar.png");
    game.musicBar = makeSprite(bar, barX, 290);
    game.effectsBar = makeSprite(bar, barX, 475);
    game.musicFill.setFillColor(sf::Color::Black);
    game.musicFill.setPosition(fillX, 300);
    game.effectsFill.setFillColor(sf::Color::Black);
    game.effectsFill.setPosition(fillX, 485);
    game.effectsKnob = makeKnob();
    game.musicKnob = makeKnob();
    placeVolumeKnobs();
    game.tutorialBoxState = 1; // whatever the save file says about the tutorial
    game.tutorialBox = makeSprite(nullptr, 1541, 585);
    setTutorialBoxPicture();
    game.tutorialLabel = makeText("Tutoriel", 40, sf::Color::Black, 1341, 605);
    game.deleteButton = makeSprite(loadTexture(menuFolder + "B Reset.png"), 1211, 752);
    game.deleteLabel = makeText("Suppr. partie", 40, sf::Color::Black, 1341, 760);
}

void placeVolumeKnobs() {
    game.musicKnobX = barX + game.musicVolume * barRange / 100;
    game.effectsKnobX = barX + game.effectsVolume * barRange / 100;
}

void drawOptions() {
    sf::RenderWindow& window = *game.window;
    // The knobs moved last frame set the volumes now.
    game.effectsVolume = (game.effectsKnobX - barX) * 100 / barRange;
    game.musicVolume = (game.musicKnobX - barX) * 100 / barRange;
    applyVolumes();
    if (game.platform->leftButtonDown())
        pressControls();
    else if (game.clickLatch == 1)
        game.clickLatch = 0;

    window.draw(game.effectsBar);
    window.draw(game.musicBar);
    game.effectsKnob.setPosition(game.effectsKnobX, 480);
    game.musicKnob.setPosition(game.musicKnobX, 295);
    game.effectsFill.setSize(sf::Vector2f(game.effectsKnobX - fillX, 30));
    game.musicFill.setSize(sf::Vector2f(game.musicKnobX - fillX, 30));
    window.draw(game.volumesLabel);
    window.draw(game.tutorialBox);
    window.draw(game.effectsFill);
    window.draw(game.musicFill);
    window.draw(game.effectsKnob);
    window.draw(game.musicKnob);
    window.draw(game.tutorialLabel);
}

void drawDeleteButton() {
    game.window->draw(game.deleteButton);
    game.window->draw(game.deleteLabel);
}
