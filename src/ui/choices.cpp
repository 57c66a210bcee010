// The screen's choices, shown by both options screens (the cabinet's and the in-game panel): the
// fullscreen box, the same switch as F11, and a button per language the game speaks.
#include "ground/records.h"
#include "ui/records.h"
#include "ui/ui.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "lang/lang.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

const std::string menuFolder = "../resources/textures/Menu/";
constexpr const char* fullscreenText = N_("Plein écran");

// Where the choices stand on each options screen.
struct ChoicesPlace {
    float boxX, boxY;             // the fullscreen box
    float labelX, labelY;         // its label
    float languagesX, languagesY; // the first language button
};
// In the cabinet: the box and its label as the row below (the delete button and its label), the
// languages in the screen's top right corner, beside the music's label.
constexpr ChoicesPlace cabinetPlace = {1241, 658, 1341, 680, 1630, 190};
// On the in-game panel: one row between its heading and the music slider.
constexpr ChoicesPlace panelPlace = {830, 330, 590, 340, 985, 335};
constexpr float languageWidth = 84, languageHeight = 54, languageGap = 12;

const sf::Color chosenFill(255, 200, 60);
const sf::Color otherFill(255, 248, 225);

void showFullscreenState() {
    const int state = game.options.fullscreen != 0 ? 1 : 2;
    if (state == game.options.fullscreenBoxState)
        return;
    game.options.fullscreenBoxState = state;
    const char* picture = state == 2 ? "CaseTuto2.png" : "CaseTuto1.png";
    setSpriteTexture(game.options.fullscreenBox, loadTexture(menuFolder + picture), true);
}

void placeChoices(const ChoicesPlace& place) {
    game.options.fullscreenBox.setPosition(place.boxX, place.boxY);
    game.options.fullscreenLabel.setPosition(place.labelX, place.labelY);
    for (int i = 0; i < game.options.languageCount; ++i) {
        LanguageButton& button = game.options.languageButtons[i];
        const float x = place.languagesX + i * (languageWidth + languageGap);
        button.box.setPosition(x, place.languagesY);
        const sf::FloatRect text = button.label.getLocalBounds();
        button.label.setPosition(
            std::round(x + (languageWidth - text.width) / 2 - text.left),
            std::round(place.languagesY + (languageHeight - text.height) / 2 - text.top));
        button.box.setFillColor(button.code == currentLanguage() ? chosenFill : otherFill);
    }
}

bool under(const sf::FloatRect& area) {
    return area.contains(static_cast<float>(game.shared.input.mouseX),
                         static_cast<float>(game.shared.input.mouseY));
}

void pressChoices() {
    if (!game.shared.input.leftDown || game.shared.clickLatch != 0)
        return;
    if (under(game.options.fullscreenBox.getGlobalBounds()) ||
        under(game.options.fullscreenLabel.getGlobalBounds())) {
        game.options.fullscreenAsked = 1;
        game.shared.clickLatch = 1;
        return;
    }
    for (int i = 0; i < game.options.languageCount; ++i) {
        if (under(game.options.languageButtons[i].box.getGlobalBounds())) {
            game.options.languageAsked = game.options.languageButtons[i].code;
            game.shared.clickLatch = 1;
            return;
        }
    }
}

} // namespace

void initScreenChoices() {
    game.options.fullscreenBoxState = 0;
    game.options.fullscreenBox = makeSprite(nullptr, cabinetPlace.boxX, cabinetPlace.boxY);
    showFullscreenState();
    game.options.fullscreenLabel =
        makeText("", 40, sf::Color::Black, cabinetPlace.labelX, cabinetPlace.labelY);
    game.options.fullscreenLabel.setString(utf8(tr(fullscreenText)));
    const std::vector<std::string> languages = languagesFound();
    game.options.languageCount =
        static_cast<int>(std::min<std::size_t>(languages.size(), maxLanguages));
    // One language alone leaves nothing to choose.
    if (game.options.languageCount < 2)
        game.options.languageCount = 0;
    for (int i = 0; i < game.options.languageCount; ++i) {
        LanguageButton& button = game.options.languageButtons[i];
        button.code = languages[i];
        std::string name = button.code.substr(0, 3);
        for (char& c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        button.label = makeText(name, 32, sf::Color::Black, 0, 0);
        button.box.setSize(sf::Vector2f(languageWidth, languageHeight));
        button.box.setOutlineThickness(4);
        button.box.setOutlineColor(sf::Color::Black);
    }
    placeChoices(cabinetPlace);
}

void updateScreenChoices(bool inGame) {
    showFullscreenState();
    placeChoices(inGame ? panelPlace : cabinetPlace);
    pressChoices();
}

void labelScreenChoices() {
    game.options.fullscreenLabel.setString(utf8(tr(fullscreenText)));
}
