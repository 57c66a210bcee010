#include "core/render.h"

#include "core/resources.h"

#include <algorithm>

bool initRenderer(Renderer& renderer) {
    if (renderer.frame.getSize() == sf::Vector2u(layoutWidth, layoutHeight))
        return true;
    renderer.context = std::make_unique<sf::Context>();
    if (!renderer.frame.create(layoutWidth, layoutHeight))
        return false;
    // Shrunk to a small window, the picture is filtered so its texts stay readable.
    renderer.frame.setSmooth(true);
    return true;
}

void beginDrawing(Renderer& renderer) {
    if (renderer.context)
        renderer.context->setActive(true);
}

void queueItem(Renderer& renderer, const sf::Sprite& sprite, sf::Vector2f at, float depthY) {
    renderer.queue.push_back(DrawItem{&sprite, at, depthY});
}

void sortDrawQueue(Renderer& renderer) {
    std::vector<DrawItem>& queue = renderer.queue;
    std::reverse(queue.begin(), queue.end());
    std::stable_sort(queue.begin(), queue.end(),
                     [](const DrawItem& a, const DrawItem& b) { return a.depthY < b.depthY; });
}

void drawQueue(Renderer& renderer) {
    for (const DrawItem& item : renderer.queue) {
        sf::RenderStates states;
        states.transform.translate(item.at - item.sprite->getPosition());
        drawSprite(renderer, *item.sprite, states);
    }
}

void drawSprite(Renderer& renderer, const sf::Sprite& sprite, const sf::RenderStates& states) {
    sf::Sprite trimmed;
    switch (trimmedFrame(sprite, trimmed)) {
    case TrimmedDraw::NotTrimmed:
        renderer.frame.draw(sprite, states);
        break;
    case TrimmedDraw::Draw:
        renderer.frame.draw(trimmed, states);
        break;
    case TrimmedDraw::Nothing:
        break;
    }
}
