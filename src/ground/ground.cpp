#include "ground/ground.h"

#include <cmath>

bool hitCentred(const sf::Sprite& sprite, int x, int y) {
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    const sf::Vector2f centre = sprite.getPosition();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return centre.x - bounds.width / 2 < fx && fx < centre.x + bounds.width / 2 &&
           centre.y - bounds.height / 2 < fy && fy < centre.y + bounds.height / 2;
}

bool hitTopLeft(const sf::Sprite& sprite, int x, int y) {
    const sf::FloatRect b = sprite.getGlobalBounds();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return b.left < fx && fx < b.left + b.width && b.top < fy && fy < b.top + b.height;
}

bool hitTopLeftInclusiveX(const sf::Sprite& sprite, int x, int y) {
    const sf::FloatRect b = sprite.getGlobalBounds();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return b.left <= fx && fx <= b.left + b.width && b.top < fy && fy < b.top + b.height;
}

bool hitBox(float left, float top, float width, float height, int x, int y) {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return left < fx && fx < left + width && top < fy && fy < top + height;
}

namespace {
constexpr double ticksPerSecond = 60;
} // namespace

float tickTime(long long tick) {
    // Whole milliseconds, then seconds as a float: as the frame clock reads the time.
    const double ms =
        static_cast<double>(std::llround(static_cast<double>(tick) * 1000.0 / ticksPerSecond));
    return static_cast<float>(ms / 1000.0);
}

long long firstTickAfter(float time) {
    auto tick = static_cast<long long>(std::floor(static_cast<double>(time) * ticksPerSecond)) - 1;
    while (tickTime(tick) <= time)
        ++tick;
    return tick;
}
