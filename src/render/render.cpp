#include "render/render.h"

#include "assets/assets.h"
#include "platform/platform.h"

#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {
constexpr std::uint64_t fnvStart = 14695981039346656037ull;

// FNV-1a, 64 bits: what frames and composites look like, summed.
void fnvMix(std::uint64_t& hash, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 1099511628211ull;
}

// The few GL calls SFML does not make for us (copies, clips, a pixel read back), looked up once
// (null when the driver has none; the game links no GL library of its own).
struct GlCalls {
    void(APIENTRY* getIntegerv)(GLenum, GLint*) = nullptr;
    void(APIENTRY* genFramebuffers)(GLsizei, GLuint*) = nullptr;
    void(APIENTRY* bindFramebuffer)(GLenum, GLuint) = nullptr;
    void(APIENTRY* framebufferTexture2D)(GLenum, GLenum, GLenum, GLuint, GLint) = nullptr;
    GLenum(APIENTRY* checkFramebufferStatus)(GLenum) = nullptr;
    void(APIENTRY* blitFramebuffer)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint,
                                    GLbitfield, GLenum) = nullptr;
    void(APIENTRY* enable)(GLenum) = nullptr;
    void(APIENTRY* disable)(GLenum) = nullptr;
    void(APIENTRY* scissor)(GLint, GLint, GLsizei, GLsizei) = nullptr;
    void(APIENTRY* readPixels)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*) = nullptr;

    bool copies() const {
        return getIntegerv && genFramebuffers && bindFramebuffer && framebufferTexture2D &&
               checkFramebufferStatus && blitFramebuffer;
    }
    bool clips() const { return enable && disable && scissor; }
};

template <class Call> void lookUp(Call& call, const char* name) {
    call = reinterpret_cast<Call>(sf::Context::getFunction(name));
}

const GlCalls& glCalls() {
    static const GlCalls calls = [] {
        GlCalls found;
        lookUp(found.getIntegerv, "glGetIntegerv");
        lookUp(found.genFramebuffers, "glGenFramebuffers");
        lookUp(found.bindFramebuffer, "glBindFramebuffer");
        lookUp(found.framebufferTexture2D, "glFramebufferTexture2D");
        lookUp(found.checkFramebufferStatus, "glCheckFramebufferStatus");
        lookUp(found.blitFramebuffer, "glBlitFramebuffer");
        lookUp(found.enable, "glEnable");
        lookUp(found.disable, "glDisable");
        lookUp(found.scissor, "glScissor");
        lookUp(found.readPixels, "glReadPixels");
        return found;
    }();
    return calls;
}
} // namespace

void clipDrawing(const sf::IntRect* area, unsigned height) {
    const GlCalls& gl = glCalls();
    if (!gl.clips())
        return;
    if (!area)
        return gl.disable(GL_SCISSOR_TEST);
    // GL counts rows bottom up.
    gl.enable(GL_SCISSOR_TEST);
    gl.scissor(area->left, static_cast<GLint>(height) - area->top - area->height, area->width,
               area->height);
}

bool readDrawnPixel(sf::Vector2i at, unsigned height, sf::Color& pixel) {
    const GlCalls& gl = glCalls();
    if (!gl.readPixels)
        return false;
    sf::Uint8 rgba[4] = {};
    gl.readPixels(at.x, static_cast<GLint>(height) - 1 - at.y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                  rgba);
    pixel = sf::Color(rgba[0], rgba[1], rgba[2], rgba[3]);
    return true;
}

void FramePicture::mix(const void* data, std::size_t size) {
    fnvMix(look_, data, size);
}

void FramePicture::endPiece(const sf::IntRect& area) {
    pieces_.push_back(FramePiece{look_, area});
    look_ = fnvStart;
}

void FramePicture::sign(const void* data, std::size_t size) {
    mix(data, size);
    endPiece(whole());
}

void FramePicture::signStates(const sf::RenderStates& states) {
    mix(states.transform.getMatrix(), 16 * sizeof(float));
    mix(&states.blendMode, sizeof states.blendMode);
    mix(&states.texture, sizeof states.texture);
    mix(&states.shader, sizeof states.shader);
}

sf::IntRect FramePicture::whole() const {
    return sf::IntRect(0, 0, static_cast<int>(getSize().x), static_cast<int>(getSize().y));
}

sf::IntRect FramePicture::pixelsOf(const sf::FloatRect& bounds,
                                   const sf::Transform& transform) const {
    const sf::FloatRect placed = transform.transformRect(bounds);
    const sf::Vector2i from = mapCoordsToPixel(sf::Vector2f(placed.left, placed.top));
    const sf::Vector2i to =
        mapCoordsToPixel(sf::Vector2f(placed.left + placed.width, placed.top + placed.height));
    // Two pixels more on every side: filtered edges and rounding never fall outside.
    constexpr int margin = 2;
    const sf::IntRect area(std::min(from.x, to.x) - margin, std::min(from.y, to.y) - margin,
                           std::abs(to.x - from.x) + 2 * margin,
                           std::abs(to.y - from.y) + 2 * margin);
    sf::IntRect inside;
    return area.intersects(whole(), inside) ? inside : sf::IntRect();
}

void FramePicture::scissor(const sf::IntRect* area, bool active) {
    if (active || setActive(true))
        clipDrawing(area, getSize().y);
}

void FramePicture::startSigning() {
    signing_ = true;
    look_ = fnvStart;
    pieces_.clear();
}

std::uint64_t FramePicture::stopSigning() {
    signing_ = false;
    look_ = fnvStart;
    for (const FramePiece& piece : pieces_) {
        mix(&piece.look, sizeof piece.look);
        mix(&piece.area, sizeof piece.area);
    }
    return std::exchange(look_, fnvStart);
}

void FramePicture::clear(const sf::Color& color) {
    if (signing_) {
        mix(&color, sizeof color);
        return endPiece(whole());
    }
    clipped(whole(), [&] { sf::RenderTexture::clear(color); });
}

void FramePicture::display() {
    if (signing_)
        return;
    ++drawings_;
    sf::RenderTexture::display();
}

void FramePicture::draw(const sf::Sprite& sprite, const sf::RenderStates& states) {
    const auto area = [&] { return pixelsOf(sprite.getGlobalBounds(), states.transform); };
    if (signing_) {
        const sf::Texture* texture = sprite.getTexture();
        const sf::IntRect rect = sprite.getTextureRect();
        const sf::Color color = sprite.getColor();
        mix(&texture, sizeof texture);
        mix(&rect, sizeof rect);
        mix(&color, sizeof color);
        mix(sprite.getTransform().getMatrix(), 16 * sizeof(float));
        signStates(states);
        return endPiece(area());
    }
    note(sprite.getTexture());
    clipped(clip_.empty() ? whole() : area(), [&] { sf::RenderTexture::draw(sprite, states); });
}

void FramePicture::draw(const sf::Shape& shape, const sf::RenderStates& states) {
    const auto area = [&] { return pixelsOf(shape.getGlobalBounds(), states.transform); };
    if (signing_) {
        const sf::Texture* texture = shape.getTexture();
        const sf::Color colours[2] = {shape.getFillColor(), shape.getOutlineColor()};
        const float outline = shape.getOutlineThickness();
        mix(&texture, sizeof texture);
        mix(colours, sizeof colours);
        mix(&outline, sizeof outline);
        for (std::size_t i = 0; i < shape.getPointCount(); ++i) {
            const sf::Vector2f point = shape.getPoint(i);
            mix(&point, sizeof point);
        }
        mix(shape.getTransform().getMatrix(), 16 * sizeof(float));
        signStates(states);
        return endPiece(area());
    }
    note(shape.getTexture());
    clipped(clip_.empty() ? whole() : area(), [&] { sf::RenderTexture::draw(shape, states); });
}

void FramePicture::draw(const sf::Drawable& drawable, const sf::RenderStates& states) {
    const auto* text = dynamic_cast<const sf::Text*>(&drawable);
    // A drawable of another kind may cover anything.
    const auto area = [&] {
        return text ? pixelsOf(text->getGlobalBounds(), states.transform) : whole();
    };
    if (signing_) {
        if (text) {
            const sf::String& string = text->getString();
            const sf::Font* font = text->getFont();
            const unsigned size = text->getCharacterSize();
            const sf::Uint32 style = text->getStyle();
            const sf::Color colours[2] = {text->getFillColor(), text->getOutlineColor()};
            mix(string.getData(), string.getSize() * sizeof(sf::Uint32));
            mix(&font, sizeof font);
            mix(&size, sizeof size);
            mix(&style, sizeof style);
            mix(colours, sizeof colours);
            mix(text->getTransform().getMatrix(), 16 * sizeof(float));
        } else {
            const sf::Drawable* unknown = &drawable;
            mix(&unknown, sizeof unknown);
        }
        signStates(states);
        return endPiece(area());
    }
    clipped(clip_.empty() ? whole() : area(), [&] { sf::RenderTexture::draw(drawable, states); });
}

void FramePicture::draw(const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                        const sf::RenderStates& states) {
    const auto area = [&] {
        if (count == 0)
            return sf::IntRect();
        sf::Vector2f low = vertices[0].position, high = low;
        for (std::size_t i = 1; i < count; ++i) {
            low.x = std::min(low.x, vertices[i].position.x);
            low.y = std::min(low.y, vertices[i].position.y);
            high.x = std::max(high.x, vertices[i].position.x);
            high.y = std::max(high.y, vertices[i].position.y);
        }
        return pixelsOf(sf::FloatRect(low, high - low), states.transform);
    };
    if (signing_) {
        mix(vertices, count * sizeof(sf::Vertex));
        mix(&type, sizeof type);
        signStates(states);
        return endPiece(area());
    }
    note(states.texture);
    clipped(clip_.empty() ? whole() : area(),
            [&] { sf::RenderTexture::draw(vertices, count, type, states); });
}

void FramePicture::note(const sf::Texture* texture) {
    // A picture standing for the draws that follow: they carry the place, it adds nothing.
    if (signing_)
        return mix(&texture, sizeof texture);
    if (texture && std::find(drawn_.begin(), drawn_.end(), texture) == drawn_.end())
        drawn_.push_back(texture);
}

namespace {

// Areas that overlap or nearly touch become one, until no two do: a pixel is drawn once.
void mergeAreas(std::vector<sf::IntRect>& areas) {
    constexpr int near = 16;
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < areas.size() && !merged; ++i)
            for (std::size_t j = i + 1; j < areas.size() && !merged; ++j) {
                const sf::IntRect& a = areas[i];
                const sf::IntRect grown(a.left - near, a.top - near, a.width + 2 * near,
                                        a.height + 2 * near);
                if (!grown.intersects(areas[j]))
                    continue;
                const sf::IntRect& b = areas[j];
                const int left = std::min(a.left, b.left), top = std::min(a.top, b.top);
                const int right = std::max(a.left + a.width, b.left + b.width);
                const int bottom = std::max(a.top + a.height, b.top + b.height);
                areas[i] = sf::IntRect(left, top, right - left, bottom - top);
                areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(j));
                merged = true;
            }
    }
}

} // namespace

std::vector<sf::IntRect> changedAreas(const std::vector<FramePiece>& before,
                                      const std::vector<FramePiece>& after, sf::Vector2u size) {
    // The draws both frames share at their start and at their end stand where they stood; the
    // ones between changed.
    const std::size_t shared = std::min(before.size(), after.size());
    std::size_t head = 0, tail = 0;
    while (head < shared && before[head] == after[head])
        ++head;
    while (tail < shared - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    std::vector<sf::IntRect> areas;
    for (const auto* frame : {&before, &after})
        for (std::size_t i = head; i < frame->size() - tail; ++i)
            if ((*frame)[i].area.width > 0 && (*frame)[i].area.height > 0)
                areas.push_back((*frame)[i].area);
    mergeAreas(areas);
    // Many scattered areas cost more draws than they save.
    constexpr std::size_t mostAreas = 8;
    long long covered = 0;
    for (const sf::IntRect& area : areas)
        covered += static_cast<long long>(area.width) * area.height;
    const sf::IntRect whole(0, 0, static_cast<int>(size.x), static_cast<int>(size.y));
    if (areas.size() > mostAreas || 2 * covered > static_cast<long long>(size.x) * size.y)
        return {whole};
    return areas;
}

bool initRenderer(Renderer& renderer) {
    if (renderer.frame.getSize().x != 0)
        return true;
    return fitFrame(renderer, sf::Vector2u(layoutWidth, layoutHeight));
}

sf::Vector2u frameSizeFor(sf::Vector2u windowSize) {
    const sf::FloatRect area = pictureArea(windowSize);
    // Measured on a renderer without a graphics card: pictures drawn at the game's own size go
    // its fastest way (unfiltered, unscaled), so a frame shown at more than about six tenths of
    // the game's pixels is quicker drawn whole and shrunk once; below that, drawn at its size.
    const float shownShare =
        area.width * area.height / (static_cast<float>(layoutWidth) * layoutHeight);
    if (area.width <= 0 || shownShare > 0.6f)
        return sf::Vector2u(layoutWidth, layoutHeight);
    return sf::Vector2u(std::max(1u, static_cast<unsigned>(std::lround(area.width))),
                        std::max(1u, static_cast<unsigned>(std::lround(area.height))));
}

bool fitFrame(Renderer& renderer, sf::Vector2u size) {
    if (renderer.frame.getSize() == size)
        return false;
    if (!renderer.frame.create(size.x, size.y))
        return false;
    renderer.shownDrawing = 0; // a new picture holds no frame shown
    // Larger windows show the frame filtered so its texts stay smooth.
    renderer.frame.setSmooth(true);
    renderer.frame.setView(sf::View(
        sf::FloatRect(0, 0, static_cast<float>(layoutWidth), static_cast<float>(layoutHeight))));
    return true;
}

void beginDrawing(Renderer& renderer) {
    if (renderer.frame.signing())
        return;
    renderer.frame.forgetDrawn();
    // SFML sets its lasting drawing states (vertex arrays, texturing, blending) once per render
    // target, but they belong to a GL context: in a window made anew (fullscreen and back) the
    // frame would draw nothing but its clear and the copied map until the window's own drawing
    // happened to set them in the new context. They are set again wherever the frame moves.
    if (!renderer.frame.setActive(true))
        return;
    const std::uint64_t context = sf::Context::getActiveContextId();
    if (context == renderer.statesContext)
        return;
    renderer.frame.resetGLStates();
    renderer.statesContext = context;
}

void endDrawing(Renderer& renderer) {
    if (renderer.frame.signing())
        return;
    // The spotlight's copy of the frame (8 MB) is kept only while a light shows.
    if (!renderer.captured && renderer.capture.getSize().x != 0)
        renderer.capture = sf::Texture();
    renderer.captured = false;
    // The menus' backdrop stays made through a level (made again, the way back to the menus
    // would take one long frame); the title's goes with the intro.
    if (!renderer.titleBackdrop.used)
        renderer.titleBackdrop.picture.reset();
    renderer.titleBackdrop.used = renderer.menuBackdrop.used = false;
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
    const sf::Texture* standIn = nullptr;
    for (const DrawItem& item : renderer.queue) {
        std::vector<sf::Sprite>& pieces = renderer.pieces;
        pieces.clear();
        const TrimmedDraw kind = trimmedFrame(*item.sprite, pieces);
        if (kind == TrimmedDraw::NotTrimmed) {
            pieces.push_back(*item.sprite);
        } else if (item.sprite->getTexture() != standIn) {
            standIn = item.sprite->getTexture();
            renderer.frame.note(standIn);
        }
        const sf::Transform placed =
            sf::Transform().translate(item.at - item.sprite->getPosition());
        for (const sf::Sprite& drawn : pieces) {
            // A sprite without a picture draws nothing.
            if (!drawn.getTexture())
                continue;
            if (drawn.getTexture() != texture) {
                flush();
                texture = drawn.getTexture();
            }
            appendQuad(batch, drawn, placed);
        }
    }
    flush();
}

namespace {

// Whether a sprite shows a backdrop whole over the whole 1920 x 1080 frame, however large the
// frame is drawn.
bool shownWholeInPlace(const sf::RenderTexture& frame, const sf::Sprite& sprite) {
    const sf::Vector2u size(layoutWidth, layoutHeight);
    const sf::View& view = frame.getView();
    const float* matrix = sprite.getTransform().getMatrix();
    const float* identity = sf::Transform::Identity.getMatrix();
    return isBackdrop(sprite.getTexture()) && sprite.getTexture()->getSize() == size &&
           sprite.getTextureRect() ==
               sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y)) &&
           sprite.getColor() == sf::Color::White && std::equal(matrix, matrix + 16, identity) &&
           view.getCenter() == sf::Vector2f(layoutWidth / 2.0f, layoutHeight / 2.0f) &&
           view.getSize() == sf::Vector2f(layoutWidth, layoutHeight) && view.getRotation() == 0 &&
           view.getViewport() == sf::FloatRect(0, 0, 1, 1);
}

} // namespace

namespace {

// Copies a texture of that size over the whole frame (its framebuffer bound for drawing),
// filtered when the frame is drawn at another size; false when the copy cannot be made here.
bool copyIntoFrame(Renderer& renderer, const sf::Texture& texture, sf::Vector2u size) {
    const GlCalls& gl = glCalls();
    if (!gl.copies() || !renderer.frame.setActive(true))
        return false;
    // The backdrop is read through a framebuffer of ours (framebuffers belong to one GL
    // context).
    GLuint& source = renderer.copyFramebuffers[sf::Context::getActiveContextId()];
    if (source == 0)
        gl.genFramebuffers(1, &source);
    GLint frameBuffer = 0;
    gl.getIntegerv(GL_READ_FRAMEBUFFER_BINDING, &frameBuffer);
    gl.bindFramebuffer(GL_READ_FRAMEBUFFER, source);
    gl.framebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                            texture.getNativeHandle(), 0);
    const bool copied = gl.checkFramebufferStatus(GL_READ_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    const GLint w = static_cast<GLint>(renderer.frame.getSize().x);
    const GLint h = static_cast<GLint>(renderer.frame.getSize().y);
    const GLint fromW = static_cast<GLint>(size.x), fromH = static_cast<GLint>(size.y);
    if (copied)
        renderer.frame.clipped(
            sf::IntRect(0, 0, w, h),
            [&] {
                gl.blitFramebuffer(0, 0, fromW, fromH, 0, 0, w, h, GL_COLOR_BUFFER_BIT,
                                   fromW == w && fromH == h ? GL_NEAREST : GL_LINEAR);
            },
            true);
    gl.bindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(frameBuffer));
    return copied;
}

// What a composite's layers look like now: their pictures and the pixels in them, frames, places
// and colours, and the frame's size.
std::uint64_t compositeKey(const Renderer& renderer, const sf::Sprite* const* layers,
                           std::size_t count) {
    std::uint64_t key = fnvStart;
    const auto mix = [&key](const void* data, std::size_t size) { fnvMix(key, data, size); };
    const sf::Vector2u size = renderer.frame.getSize();
    mix(&size, sizeof size);
    for (std::size_t i = 0; i < count; ++i) {
        const sf::Sprite& layer = *layers[i];
        const sf::Texture* texture = layer.getTexture();
        const unsigned handle = texture ? texture->getNativeHandle() : 0;
        // A picture may get new pixels in the same texture (a switch of language).
        const unsigned version = pictureVersion(texture);
        const sf::IntRect rect = layer.getTextureRect();
        const sf::Color color = layer.getColor();
        mix(&texture, sizeof texture);
        mix(&handle, sizeof handle);
        mix(&version, sizeof version);
        mix(&rect, sizeof rect);
        mix(&color, sizeof color);
        mix(layer.getTransform().getMatrix(), 16 * sizeof(float));
    }
    return key;
}

} // namespace

bool drawBackdrop(Renderer& renderer, const sf::Sprite& sprite) {
    if (renderer.frame.signing()) {
        renderer.frame.draw(sprite);
        return false;
    }
    // Into a frame drawn smaller than the game's the backdrop shrinks as it is drawn, the way
    // every other picture does (a shrinking copy is a path of its own to a software renderer).
    // Drawn again in parts, the parts are drawn as any picture: a copy inside a clip is a
    // software renderer's slowest path.
    if (renderer.frame.getSize().x != layoutWidth || !renderer.frame.clip().empty() ||
        !shownWholeInPlace(renderer.frame, sprite) ||
        !copyIntoFrame(renderer, *sprite.getTexture(), sf::Vector2u(layoutWidth, layoutHeight))) {
        renderer.frame.draw(sprite, sf::BlendNone);
        return false;
    }
    renderer.frame.note(sprite.getTexture());
    return true;
}

bool prepareComposite(Renderer& renderer, Composite& composite, const sf::Sprite* const* layers,
                      std::size_t count, std::size_t steps) {
    if (renderer.frame.signing())
        return false;
    composite.used = true;
    const std::uint64_t key = compositeKey(renderer, layers, count);
    if (composite.picture && composite.key == key && composite.drawn == count)
        return true;
    if (!composite.picture || composite.key != key) {
        for (std::size_t i = 0; i < count; ++i)
            if (const sf::Texture* texture = layers[i]->getTexture();
                texture && !hasPixels(texture))
                return false; // drawn as layers until every picture is in
        const sf::Vector2u size = renderer.frame.getSize();
        if (!composite.picture)
            composite.picture = std::make_unique<sf::RenderTexture>();
        if (composite.picture->getSize() != size && !composite.picture->create(size.x, size.y))
            return false;
        composite.picture->setView(renderer.frame.getView());
        composite.picture->clear(sf::Color::Black);
        composite.key = key;
        composite.drawn = 0;
    }
    // A layer a step: made over a few frames ahead of its screen, none of them long.
    for (; steps > 0 && composite.drawn < count; --steps)
        composite.picture->draw(*layers[composite.drawn++]);
    if (composite.drawn < count)
        return false;
    composite.picture->display();
    return true;
}

bool drawComposite(Renderer& renderer, Composite& composite, const sf::Sprite* const* layers,
                   std::size_t count) {
    if (renderer.frame.signing()) {
        const std::uint64_t key = compositeKey(renderer, layers, count);
        if (!composite.picture || composite.key != key || composite.drawn != count)
            return false;
        renderer.frame.sign(&key, sizeof key);
        return true;
    }
    return prepareComposite(renderer, composite, layers, count, count) &&
           copyIntoFrame(renderer, composite.picture->getTexture(), composite.picture->getSize());
}

void drawSprite(Renderer& renderer, const sf::Sprite& sprite, const sf::RenderStates& states) {
    std::vector<sf::Sprite>& pieces = renderer.pieces;
    pieces.clear();
    const TrimmedDraw kind = trimmedFrame(sprite, pieces);
    if (kind != TrimmedDraw::NotTrimmed)
        renderer.frame.note(sprite.getTexture());
    switch (kind) {
    case TrimmedDraw::NotTrimmed:
        renderer.frame.draw(sprite, states);
        break;
    case TrimmedDraw::Draw: {
        std::vector<sf::Vertex>& batch = renderer.batch;
        batch.clear();
        for (const sf::Sprite& piece : pieces)
            appendQuad(batch, piece, states.transform);
        sf::RenderStates atlas = states;
        atlas.transform = sf::Transform::Identity;
        atlas.texture = pieces.front().getTexture();
        renderer.frame.draw(batch.data(), batch.size(), sf::Triangles, atlas);
        batch.clear();
        break;
    }
    case TrimmedDraw::Nothing:
        break;
    }
}
