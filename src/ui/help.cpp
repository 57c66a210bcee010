// The help section of the menu cabinet: two categories, then a page of towers or of customers
// whose pictures tell their story while the pointer rests on them.
#include "ground/records.h"
#include "ui/records.h"
#include "ui/ui.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

const std::string menuFolder = "../resources/textures/Menu/";

struct HelpPicture {
    const char* picture;
    float x, y;
    float scale, hoveredScale;
};

// Burger, soda, fries.
constexpr HelpPicture foodPictures[3] = {
    {"Burger.png", 1271, 280, 1.1f, 1.3f},
    {"Soda.png", 1731, 440, 0.9f, 1.1f},
    {"Frites.png", 1281, 630, 1.1f, 1.3f},
};

// Bachelor, business man, family, big eater.
constexpr HelpPicture customerPictures[4] = {
    {"IconCélibataire.png", 1266, 255, 1.1f, 1.3f},
    {"IconBusinessMan.png", 1271, 385, 1.1f, 1.3f},
    {"IconFamille.png", 1271, 515, 1.1f, 1.3f},
    {"IconGros.png", 1271, 665, 1.1f, 1.3f},
};

struct HelpEntry {
    const char* title;
    float titleX, titleY;
    const char* text;
    float textX, textY;
};

// Same order as the pictures.
constexpr HelpEntry foodEntries[3] = {
    {N_("Burger"), 1421, 770,
     N_("Cette tour tire un projectile\ninfligeant de gros dégâts à\nmoyenne distance et "
        "dispose\nd'une cadence de tir faible."),
     1361, 200}, // burger
    {N_("Soda"), 1431, 770,
     N_("Cette tour sert du soda à tous\nles clients proches d'elle.\nLe statut "
        "ralentissement\ns'applique aux clients touchés\net peut se cumuler."),
     1201, 365}, // soda
    {N_("Frites"), 1431, 770,
     N_("La mitraillette à frites,\nfait des dégâts moyens.\nLorsqu'elle est améliorée,\nla "
        "tourelle "
        "peut servir\nplusieurs clients à la fois."),
     1391, 550}, // fries
};

constexpr HelpEntry customerEntries[4] = {
    {N_("Le Célibataire"), 1341, 770,
     N_("Le célibataire est un habitué \ndu Snack Spire. \nIl n'a pas envie de \nfaire à manger "
        "chez "
        "lui \net sa vie est un peu triste, \ntachez de le rendre heureux \navec un délicieux "
        "repas !"),
     1351, 190}, // bachelor
    {N_("Le Business Man"), 1321, 770,
     N_("Le businessman a beaucoup de \ntravail et ne fait que passer. \nCependant attention, "
        "\ncar "
        "s'il n'a pas son hamburger \nà temps, il ne travaillera \npas correctement le reste \nde "
        "la "
        "journée !"),
     1346, 280}, // business man
    {N_("La Famille"), 1371, 770,
     N_("Ce père de famille passe \nune joyeuse journée en \ncompagnie de sa petite fille. \nIls "
        "sont "
        "là pour passer \nun bon moment. \nA vous de faire en sorte qu'ils\nressortent du "
        "restaurant "
        "\navec le même sourire "),
     1356, 400}, // family
    {N_("L'enrobé"), 1401, 770,
     N_("L'enrobé a très faim et\n sa carrure ne l'empêche\npas d'aller vite.\nIl risque d'être en "
        "colère\ns'il n'a pas son menu\nXXL big size extra viande !"),
     1351, 520}, // big eater
};

// The controls under the two categories: what each does with the mouse and the keys, and with
// a gamepad. The columns stand as wide as their longest line, in any language.
constexpr const char* controlHeads[2] = {N_("Souris, clavier"), N_("Manette")};
constexpr const char* controlRows[][3] = {
    {N_("Viser"), N_("Souris"), N_("Stick, croix")},
    {N_("Appuyer"), N_("Clic gauche"), "A"},
    {N_("Retour, menu"), N_("Échap"), "B"},
    {N_("Menu du jeu"), N_("Bouton menu"), "Y"},
    {N_("Pause, reprise"), N_("Espace"), "Start"},
    {N_("Vitesse 1 / 2"), N_("Touches 1 / 2"), "LB / RB"},
    {N_("Plein écran"), "F11", ""},
};
constexpr float controlsCentre = 1530, controlsY = 600, controlsGap = 26, headsDrop = 32;
constexpr unsigned controlsSize = 22;
const sf::Color headsColour(125, 85, 45);

sf::Sprite makeCentred(const char* picture, float x, float y) {
    sf::Sprite sprite = makeSprite(loadTexture(menuFolder + picture), x, y);
    const sf::FloatRect bounds = sprite.getLocalBounds();
    sprite.setOrigin(bounds.width / 2, bounds.height / 2);
    return sprite;
}

// Scales a page picture by hover and tells whether the pointer rests on it.
int hoverPicture(sf::Sprite& sprite, const HelpPicture& picture) {
    const bool hovered = hitCentred(sprite, game.shared.input.mouseX, game.shared.input.mouseY);
    const float scale = hovered ? picture.hoveredScale : picture.scale;
    sprite.setScale(scale, scale);
    return hovered ? 1 : 0;
}

void showTitle(const char* title, float x, float y) {
    placeTextLikeFrench(game.help.helpTitle, title, x, y);
}

void showEntry(sf::Text& text, const HelpEntry& entry) {
    showTitle(entry.title, entry.titleX, entry.titleY);
    text.setString(utf8(tr(entry.text)));
    text.setPosition(entry.textX, entry.textY);
}

void chooseCategory() {
    game.help.helpTitle.setString(" ");
    const int pages[2] = {1, 2}; // towers, customers
    for (int i = 0; i < 2; ++i) {
        sf::Sprite& sprite = game.help.helpCategories[i];
        const bool hovered = hitCentred(sprite, game.shared.input.mouseX, game.shared.input.mouseY);
        sprite.setScale(hovered ? 1.1f : 1.0f, hovered ? 1.1f : 1.0f);
        if (hovered && game.shared.input.leftDown)
            game.help.helpPage = pages[i];
    }
}

} // namespace

void initHelp() {
    game.help.helpPage = 0;
    game.help.helpCategories[0] = makeCentred("Nourritours.png", 1631, 450);
    game.help.helpCategories[1] = makeCentred("Clients.png", 1351, 450);
    for (int i = 0; i < 3; ++i) {
        const HelpPicture& p = foodPictures[i];
        game.help.helpFoods[i] = makeCentred(p.picture, p.x, p.y);
        game.help.helpFoods[i].setScale(p.scale, p.scale);
        game.help.helpFoodHovered[i] = 0;
    }
    for (int i = 0; i < 4; ++i) {
        const HelpPicture& p = customerPictures[i];
        game.help.helpCustomers[i] = makeCentred(p.picture, p.x, p.y);
        game.help.helpCustomers[i].setScale(p.scale, p.scale);
        game.help.helpCustomerHovered[i] = 0;
    }
    for (sf::Text& column : game.help.controls)
        column = makeText("", controlsSize, sf::Color::Black);
    for (sf::Text& head : game.help.controlHeads)
        head = makeText("", controlsSize, headsColour);
    labelHelp();
    game.help.helpTitle = makeText(" ", 40, sf::Color::Black);
    game.help.helpTowerText = makeText("", 29, sf::Color::Black);
    game.help.helpCustomerText = makeText("", 28, sf::Color::Black);
}

void updateHelp() {
    switch (game.help.helpPage) {
    case 0:
        chooseCategory();
        break;
    case 1:
        for (int i = 0; i < 3; ++i)
            game.help.helpFoodHovered[i] = hoverPicture(game.help.helpFoods[i], foodPictures[i]);
        break;
    case 2:
        for (int i = 0; i < 4; ++i)
            game.help.helpCustomerHovered[i] =
                hoverPicture(game.help.helpCustomers[i], customerPictures[i]);
        break;
    default:
        break;
    }
}

void updateHelpTexts() {
    if (game.help.helpPage == 1) {
        for (int i = 0; i < 3; ++i) {
            if (game.help.helpFoodHovered[i]) {
                showEntry(game.help.helpTowerText, foodEntries[i]);
                return;
            }
        }
        showTitle(N_("Selectionnez une tour"), 1251, 770);
    } else if (game.help.helpPage == 2) {
        for (int i = 0; i < 4; ++i) {
            if (game.help.helpCustomerHovered[i]) {
                showEntry(game.help.helpCustomerText, customerEntries[i]);
                return;
            }
        }
        showTitle(N_("Sélectionnez un client"), 1271, 770);
    }
}

void labelHelp() {
    // The columns side by side, each as wide as its longest line, the whole centred on the screen.
    float widths[3] = {};
    for (int column = 0; column < 3; ++column) {
        std::string lines;
        for (const auto& row : controlRows)
            lines += std::string(lines.empty() ? "" : "\n") + tr(row[column]);
        game.help.controls[column].setString(utf8(lines));
        widths[column] = game.help.controls[column].getLocalBounds().width;
        if (column > 0) {
            sf::Text& head = game.help.controlHeads[column - 1];
            head.setString(utf8(tr(controlHeads[column - 1])));
            widths[column] = std::max(widths[column], head.getLocalBounds().width);
        }
    }
    float x =
        std::round(controlsCentre - (widths[0] + widths[1] + widths[2] + 2 * controlsGap) / 2);
    for (int column = 0; column < 3; ++column) {
        game.help.controls[column].setPosition(x, controlsY + headsDrop);
        if (column > 0)
            game.help.controlHeads[column - 1].setPosition(x, controlsY);
        x += widths[column] + controlsGap;
    }
}
