#include "shell/platform.h"

#include <SFML/System/Clock.hpp>
#include <SFML/Window.hpp>

namespace {

class SfmlPlatform final : public Platform {
  public:
    explicit SfmlPlatform(sf::Window& window) : window_(window) {}

    // A steady wall clock: the game's timers are in real seconds, whatever the CPU does.
    std::int64_t clockMs() override { return clock_.getElapsedTime().asMilliseconds(); }
    sf::Vector2i mousePosition() override { return sf::Mouse::getPosition(window_); }
    bool leftButtonDown() override { return sf::Mouse::isButtonPressed(sf::Mouse::Left); }
    bool speedKeyDown(int key) override {
        return sf::Keyboard::isKeyPressed(key == 1 ? sf::Keyboard::Num1 : sf::Keyboard::Num2);
    }
    bool pollEvent(sf::Event& event) override { return window_.pollEvent(event); }

  private:
    sf::Window& window_;
    sf::Clock clock_;
};

} // namespace

Platform& sfmlPlatform(sf::Window& window) {
    static SfmlPlatform platform(window);
    return platform;
}
