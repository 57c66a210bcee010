// The frame's signature: a frame that signs as the one shown last is not drawn, so everything a
// draw shows must be in it.
#include "assets/assets.h"
#include "frame/frame.h"
#include "render/render.h"
#include "support/frame_driver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

TEST(Render, EverythingADrawShowsIsInTheFramesSignature) {
    FrameDriver driver; // the window's GL context, the picture and the game's font
    FramePicture& picture = frameRenderer().frame;
    const sf::Texture* cursor = loadTexture("../resources/textures/hud/cursor.png");
    const sf::Texture* other = loadTexture("../resources/textures/Menu/Stars.png");
    struct Draws {
        sf::Text text = makeText("Vague : 3", 30, sf::Color::Black, 100, 100);
        sf::Sprite sprite;
        sf::RectangleShape shape{sf::Vector2f(50, 20)};
    };
    using Change = std::function<void(Draws&)>;
    const std::vector<std::pair<const char*, Change>> changes = {
        {"nothing", [](Draws&) {}},
        {"a text's words", [](Draws& d) { d.text.setString("Vague : 4"); }},
        {"a text's size", [](Draws& d) { d.text.setCharacterSize(31); }},
        {"a text's style", [](Draws& d) { d.text.setStyle(sf::Text::Underlined); }},
        {"a text's fill colour", [](Draws& d) { d.text.setFillColor(sf::Color(214, 30, 30)); }},
        {"a text's outline colour", [](Draws& d) { d.text.setOutlineColor(sf::Color::White); }},
        {"a text's outline", [](Draws& d) { d.text.setOutlineThickness(2); }},
        {"a text's place", [](Draws& d) { d.text.move(1, 0); }},
        {"a sprite's picture", [&](Draws& d) { d.sprite.setTexture(*other); }},
        {"a sprite's frame", [](Draws& d) { d.sprite.setTextureRect(sf::IntRect(0, 0, 30, 37)); }},
        {"a sprite's colour", [](Draws& d) { d.sprite.setColor(sf::Color(255, 255, 255, 130)); }},
        {"a sprite's place", [](Draws& d) { d.sprite.move(0, 1); }},
        {"a sprite's size", [](Draws& d) { d.sprite.setScale(1.2f, 1.2f); }},
        {"a shape's fill colour", [](Draws& d) { d.shape.setFillColor(sf::Color::Yellow); }},
        {"a shape's outline colour", [](Draws& d) { d.shape.setOutlineColor(sf::Color::Red); }},
        {"a shape's outline", [](Draws& d) { d.shape.setOutlineThickness(4); }},
        {"a shape's size", [](Draws& d) { d.shape.setSize(sf::Vector2f(51, 20)); }},
        {"a shape's place", [](Draws& d) { d.shape.setPosition(0, 1); }},
    };
    std::set<std::uint64_t> signatures;
    for (const auto& [what, change] : changes) {
        Draws draws;
        draws.sprite = makeSprite(cursor, 200, 200);
        draws.shape.setOutlineColor(sf::Color::Black);
        change(draws);
        picture.startSigning();
        picture.draw(draws.text);
        picture.draw(draws.sprite);
        picture.draw(draws.shape);
        EXPECT_TRUE(signatures.insert(picture.stopSigning()).second) << what;
    }
}
