// The game's window: how it opens, and how the 1920 x 1080 picture is shown in it.
#include "frame/frame.h"

#include "core/platform.h"
#include "core/resources.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <new>

void openGameWindow(sf::RenderWindow& window) {
    // 72 bits per pixel and no title-bar flag, as the window has always been made.
    window.create(sf::VideoMode(layoutWidth, layoutHeight, 72), "Gobbler",
                  sf::Style::Resize | sf::Style::Close);
    setWindowIcon(window);
    window.setFramerateLimit(60);
    window.setMouseCursorVisible(false);
}

void presentFrame(Renderer& renderer, sf::RenderWindow& window) {
    const sf::Vector2u size = window.getSize();
    window.setView(
        sf::View(sf::FloatRect(0, 0, static_cast<float>(size.x), static_cast<float>(size.y))));
    window.clear(sf::Color::Black);
    const sf::FloatRect area = pictureArea(size);
    sf::Sprite picture(renderer.frame.getTexture());
    picture.setPosition(area.left, area.top);
    picture.setScale(area.width / layoutWidth, area.height / layoutHeight);
    window.draw(picture);
    window.display();
}

Renderer& frameRenderer() {
    // Like the game record, never torn down: its GL objects must not outlive their context.
    alignas(Renderer) static unsigned char storage[sizeof(Renderer)];
    static Renderer& renderer = *::new (storage) Renderer();
    return renderer;
}
