// What the draw pass owns: the 1920 x 1080 frame it draws into, the world pass's depth queue and
// the spotlight's copy of the frame. None of it is game state: a frame that is never drawn
// changes nothing the game plays by.
#pragma once

#include <SFML/Graphics.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

// One sprite of the world pass, drawn with its origin at `at`.
struct DrawItem {
    const sf::Sprite* sprite = nullptr;
    sf::Vector2f at;
    float depthY = 0;
};

// One draw of a frame as it was signed: what it shows, and the part of the frame (in the
// frame's pixels, a little wider than the draw) it may touch.
struct FramePiece {
    std::uint64_t look = 0;
    sf::IntRect area;
    bool operator==(const FramePiece& other) const {
        return look == other.look && area == other.area;
    }
};

// The parts of a frame that differ between two signings of it, as few separate rectangles: the
// draws that differ, where they were and where they are. One rectangle, the whole frame, when
// most of it changed; none when nothing shown did.
std::vector<sf::IntRect> changedAreas(const std::vector<FramePiece>& before,
                                      const std::vector<FramePiece>& after, sf::Vector2u size);

// The picture a frame is drawn into. It notes every texture drawn into it (a sprite's, a
// shape's, a batch's), so that a frame about to be shown can be checked for pictures drawn
// without their pixels. While it signs, nothing is drawn: every draw is summed into a
// signature and leaves a piece instead, and a frame whose signature is the one shown last need
// not be drawn. Clipped to some areas, it draws only there: a frame where little moved is drawn
// again only where it moved, the same pixels as drawn whole.
class FramePicture : public sf::RenderTexture {
  public:
    void clear(const sf::Color& color = sf::Color::Black);
    void display();
    void draw(const sf::Sprite& sprite, const sf::RenderStates& states = sf::RenderStates::Default);
    void draw(const sf::Shape& shape, const sf::RenderStates& states = sf::RenderStates::Default);
    void draw(const sf::Drawable& drawable,
              const sf::RenderStates& states = sf::RenderStates::Default);
    void draw(const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
              const sf::RenderStates& states = sf::RenderStates::Default);
    // Notes a texture shown by other means (copied in, or standing for a sheet's pieces).
    void note(const sf::Texture* texture);
    // The textures drawn since the frame's drawing began (beginDrawing), each once.
    const std::vector<const sf::Texture*>& drawn() const { return drawn_; }
    void forgetDrawn() { drawn_.clear(); }
    // Starts summing the draws instead of making them; signed() gives the sum so far.
    void startSigning();
    std::uint64_t stopSigning();
    bool signing() const { return signing_; }
    // Adds something that changes what a frame shows without a draw (a light's place); it
    // counts as a draw over the whole frame.
    void sign(const void* data, std::size_t size);
    // The draws signed last, one piece each.
    const std::vector<FramePiece>& pieces() const { return pieces_; }
    // Draws from now on only inside these areas of the frame (its pixels); none: everywhere.
    void clipTo(std::vector<sf::IntRect> areas) { clip_ = std::move(areas); }
    const std::vector<sf::IntRect>& clip() const { return clip_; }
    // Counts the frames drawn into the picture (each ends with display()).
    unsigned long drawings() const { return drawings_; }
    // Runs a drawing step once inside each clip area it may touch (`area`, the frame's pixels),
    // or once when not clipped. `active`: the frame's framebuffer is bound already, as the step
    // needs it (made active again, it would be bound for reading too).
    template <class Step> void clipped(const sf::IntRect& area, Step step, bool active = false) {
        if (clip_.empty())
            return step();
        for (const sf::IntRect& inside : clip_)
            if (inside.intersects(area)) {
                scissor(&inside, active);
                step();
            }
        scissor(nullptr, active);
    }

  private:
    void mix(const void* data, std::size_t size);
    void endPiece(const sf::IntRect& area);
    void signStates(const sf::RenderStates& states);
    sf::IntRect pixelsOf(const sf::FloatRect& bounds, const sf::Transform& transform) const;
    sf::IntRect whole() const;
    void scissor(const sf::IntRect* area, bool active);
    std::vector<const sf::Texture*> drawn_;
    bool signing_ = false;
    std::uint64_t look_ = 0;
    std::vector<FramePiece> pieces_;
    std::vector<sf::IntRect> clip_;
    unsigned long drawings_ = 0;
};

// Still pictures drawn once into a backdrop of their own and copied into the frame like a map,
// instead of blended into it every frame (the menus' cabinet and frames).
struct Composite {
    std::unique_ptr<sf::RenderTexture> picture; // none until made, and once let go of
    std::uint64_t key = 0;                      // what its layers looked like when it was made
    std::size_t drawn = 0;                      // of them, how many are in it so far
    bool used = false;                          // copied or made this frame
};

struct Renderer {
    // The picture is drawn in whichever window is open: its texture is shared by every GL
    // context, and its framebuffer is made again in the new window's after a switch to or from
    // fullscreen.
    FramePicture frame;                    // the picture, in layout pixels
    std::vector<DrawItem> queue;           // the world pass, rebuilt every frame
    std::vector<sf::Vertex> batch;         // the queue's run of sprites of one texture
    std::vector<sf::Sprite> pieces;        // a trimmed sprite's pieces
    sf::Texture capture;                   // the frame so far, for the spotlight
    bool captured = false;                 // the spotlight used it this frame
    std::unique_ptr<sf::Shader> spotlight; // null when shaders cannot run, empty until compiled
    std::map<std::uint64_t, unsigned> copyFramebuffers; // per GL context, to copy backdrops
    std::uint64_t statesContext = 0;     // the GL context the frame's drawing states were set in
    std::uint64_t shownSignature = 0;    // the signature of the frame last shown
    std::vector<FramePiece> shownPieces; // its draws
    unsigned long shownDrawing = 0;      // the picture's drawing it is (0: none shown as such)
    Composite menuBackdrop;              // the cabinet, its frames and the logo
    Composite titleBackdrop;             // the title picture and what lies under it
};

// Limits the drawing of the active GL context's target (`height` pixels high) to an area of
// it, in its pixels from the top left; none: everywhere.
void clipDrawing(const sf::IntRect* area, unsigned height);
// Reads back one pixel (from the top left) of what the active GL context's target shows or
// draws; false when the driver cannot.
bool readDrawnPixel(sf::Vector2i at, unsigned height, sf::Color& pixel);
// Creates the frame once (a second call changes nothing); the spotlight makes its capture
// texture when it first needs it.
bool initRenderer(Renderer& renderer);
// The size the frame is drawn at in a window of that size: the size the picture is shown at
// when that is well under the game's 1920 x 1080 (no second pass to shrink it), the game's own
// otherwise. Positions stay those of the 1920 x 1080 frame whatever its size.
sf::Vector2u frameSizeFor(sf::Vector2u windowSize);
// Makes the frame that size (nothing when it is); whether it changed.
bool fitFrame(Renderer& renderer, sf::Vector2u size);
// Before the screen's layers: readies the frame for drawing in the GL context that is active,
// and starts noting the textures drawn.
void beginDrawing(Renderer& renderer);
// After the screen's layers: lets go of what this frame did not use (the spotlight's copy).
void endDrawing(Renderer& renderer);
// Adds one sprite to the world pass's queue, drawn with its origin at `at`.
void queueItem(Renderer& renderer, const sf::Sprite& sprite, sf::Vector2f at, float depthY);
// Orders the queue back to front (stable: among equal depths the item queued last comes first).
void sortDrawQueue(Renderer& renderer);
// Draws the queue in its order; each run of sprites that show the same texture (trimmed sheets
// packed together show their atlas) is one draw of exactly the same pixels.
void drawQueue(Renderer& renderer);
// Draws an opaque picture into the frame without blending. A backdrop (core/resources.h) shown
// whole at the frame's own place and size is copied in, the same pixels for a fraction of the
// work; returns whether it was.
bool drawBackdrop(Renderer& renderer, const sf::Sprite& sprite);
// Makes the composite of these layers ready (when every picture is in), at most `steps` layers
// this frame, without drawing it: for the screen that comes next. Whether it is ready.
bool prepareComposite(Renderer& renderer, Composite& composite, const sf::Sprite* const* layers,
                      std::size_t count, std::size_t steps);
// Copies layers drawn once into the composite (made again when one of them changes; not while
// one of their pictures is still on its way) into the frame; false when it does not, the caller
// then draws the layers itself.
bool drawComposite(Renderer& renderer, Composite& composite, const sf::Sprite* const* layers,
                   std::size_t count);
// Draws one sprite into the picture; a sprite of a trimmed sheet is drawn from its atlas, at
// exactly the same place.
void drawSprite(Renderer& renderer, const sf::Sprite& sprite,
                const sf::RenderStates& states = sf::RenderStates::Default);
