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

namespace {

// The sprite's quad as sf::Sprite draws it (SFML moves a quad's corners on the CPU too), as two
// triangles.
void appendQuad(std::vector<sf::Vertex>& batch, const sf::Sprite& sprite,
                const sf::Transform& placed) {
    const sf::Transform transform = placed * sprite.getTransform();
    const sf::IntRect rect = sprite.getTextureRect();
    const sf::FloatRect bounds = sprite.getLocalBounds();
    const float left = static_cast<float>(rect.left), right = left + rect.width;
    const float top = static_cast<float>(rect.top), bottom = top + rect.height;
    const sf::Color color = sprite.getColor();
    const sf::Vertex corners[4] = {
        sf::Vertex(transform.transformPoint(0, 0), color, {left, top}),
        sf::Vertex(transform.transformPoint(0, bounds.height), color, {left, bottom}),
        sf::Vertex(transform.transformPoint(bounds.width, 0), color, {right, top}),
        sf::Vertex(transform.transformPoint(bounds.width, bounds.height), color, {right, bottom}),
    };
    for (int corner : {0, 1, 2, 2, 1, 3})
        batch.push_back(corners[corner]);
}

} // namespace

void drawQueue(Renderer& renderer) {
    std::vector<sf::Vertex>& batch = renderer.batch;
    const sf::Texture* texture = nullptr;
    const auto flush = [&] {
        if (!batch.empty())
            renderer.frame.draw(batch.data(), batch.size(), sf::Triangles,
                                sf::RenderStates(texture));
        batch.clear();
    };
    for (const DrawItem& item : renderer.queue) {
        sf::Sprite trimmed;
        const sf::Sprite* drawn = item.sprite;
        const TrimmedDraw kind = trimmedFrame(*item.sprite, trimmed);
        if (kind == TrimmedDraw::Nothing)
            continue;
        if (kind == TrimmedDraw::Draw)
            drawn = &trimmed;
        // A sprite without a picture draws nothing.
        if (!drawn->getTexture())
            continue;
        if (drawn->getTexture() != texture) {
            flush();
            texture = drawn->getTexture();
        }
        appendQuad(batch, *drawn, sf::Transform().translate(item.at - item.sprite->getPosition()));
    }
    flush();
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
