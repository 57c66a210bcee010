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

// A row of language buttons shared out from the count of languages found: each as wide as the
// row allows, up to a largest width, from its left or its right end.
struct LanguageRow {
    float left, right, top;
    bool fromRight;
};

// Where the choices stand on each options screen.
struct ChoicesPlace {
    float boxX, boxY; // the fullscreen box
    float labelX;     // its label, at the box's height
    float rowRight;   // the row answers to a press from the box's left edge to here
    LanguageRow languages;
};
// In the cabinet: the box and its label as the rows around them (the tutorial's, the delete
// button's), the languages in the screen's top right corner, right of the music's label.
constexpr ChoicesPlace cabinetPlace = {1241, 658, 1341, 1830, {1505, 1820, 190, true}};
// On the in-game panel: the languages, then the fullscreen row, above the volumes and their
// heading. Both stay clear of the title menu's "Jouer" picture, which closes these options.
constexpr ChoicesPlace panelPlace = {576, 296, 656, 1141, {576, 955, 234, false}};
constexpr float boxSide = 64, labelDrop = 22;
constexpr float languageHeight = 54, languageGap = 12, largestLanguageWidth = 84;
constexpr unsigned languageTextSize = 32;

sf::FloatRect languageButtonArea(const LanguageRow& row, int count, int index) {
    const float room = row.right - row.left;
    const float width =
        std::min(largestLanguageWidth, std::floor((room - languageGap * (count - 1)) / count));
    const float used = count * width + (count - 1) * languageGap;
    const float first = row.fromRight ? row.right - used : row.left;
    return sf::FloatRect(first + index * (width + languageGap), row.top, width, languageHeight);
}

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
    game.options.fullscreenLabel.setPosition(place.labelX, place.boxY + labelDrop);
    const int count = game.options.languageCount;
    for (int i = 0; i < count; ++i) {
        LanguageButton& button = game.options.languageButtons[i];
        const sf::FloatRect at = languageButtonArea(place.languages, count, i);
        button.box.setSize(sf::Vector2f(at.width, at.height));
        button.box.setPosition(at.left, at.top);
        // A name too long for a narrow button is shrunk to fit it.
        const sf::FloatRect text = button.label.getLocalBounds();
        const float scale = std::min(1.0f, (at.width - 12) / std::max(1.0f, text.width));
        button.label.setScale(scale, scale);
        button.label.setPosition(
            std::round(at.left + (at.width - text.width * scale) / 2 - text.left * scale),
            std::round(at.top + (at.height - text.height * scale) / 2 - text.top * scale));
        button.box.setFillColor(button.code == currentLanguage() ? chosenFill : otherFill);
    }
}

// The button's name: the language's code in capitals, its region after a dash ("PT-BR").
std::string buttonName(const std::string& code) {
    std::string name = code.substr(0, 8);
    for (char& c : name)
        c = c == '_' ? '-' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

bool under(const sf::FloatRect& area) {
    return area.contains(static_cast<float>(game.shared.input.mouseX),
                         static_cast<float>(game.shared.input.mouseY));
}

void pressChoices(const ChoicesPlace& place) {
    if (!game.shared.input.leftDown || game.shared.clickLatch != 0)
        return;
    const float x = static_cast<float>(game.shared.input.mouseX),
                y = static_cast<float>(game.shared.input.mouseY);
    if (x >= place.boxX && x <= place.rowRight && y > place.boxY && y < place.boxY + boxSide) {
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
        makeText("", 40, sf::Color::Black, cabinetPlace.labelX, cabinetPlace.boxY + labelDrop);
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
        button.label = makeText(buttonName(button.code), languageTextSize, sf::Color::Black, 0, 0);
        button.box.setOutlineThickness(4);
        button.box.setOutlineColor(sf::Color::Black);
    }
    placeChoices(cabinetPlace);
}

void updateScreenChoices(bool inGame) {
    const ChoicesPlace& place = inGame ? panelPlace : cabinetPlace;
    showFullscreenState();
    placeChoices(place);
    pressChoices(place);
}

void labelScreenChoices() {
    game.options.fullscreenLabel.setString(utf8(tr(fullscreenText)));
}
