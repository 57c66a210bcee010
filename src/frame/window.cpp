// The game's window: how it opens (sized and centred for the desktop, or fullscreen), the switch
// between the two, and how the 1920 x 1080 picture is shown in it.
#include "frame/window.h"

#include "assets/assets.h"
#include "platform/platform.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <system_error>

namespace {

// Room left around a window for the desktop's panel and the window's title bar.
constexpr unsigned panelRoom = 96, sideRoom = 32;

struct WindowState {
    WindowSettings settings;
    bool cursorShown = false;
};

WindowState& windowState() {
    static WindowState state;
    return state;
}

// A settings file is four short lines; anything longer is damaged.
constexpr std::size_t maxSettingsBytes = 4 * 1024;

void saveWindowSettings() {
    // Only the game's own file is replaced: a pipe, a device link or a folder that the player
    // put in its place stays, and the window is simply not remembered.
    replaceOwnFile(settingsPath(), formatWindowSettings(windowState().settings),
                   ReplaceRule::OnlyARegularFile);
}

// Everything a window of the game has, whichever way it was made.
void dressWindow(sf::RenderWindow& window) {
    setWindowIcon(window);
    window.setFramerateLimit(60);
    // A key held down acts once: Space held does not flick the pause on and off.
    window.setKeyRepeatEnabled(false);
    window.setMouseCursorVisible(false);
    windowState().cursorShown = false;
}

void openWindowed(sf::RenderWindow& window, sf::Vector2u size) {
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    // 72 bits per pixel, as the window has always been made.
    window.create(sf::VideoMode(size.x, size.y, 72), "Gobbler",
                  sf::Style::Resize | sf::Style::Close);
    // Wholly on the desktop, in its middle, with or without a window manager to place it.
    window.setPosition(
        sf::Vector2i((static_cast<int>(desktop.width) - static_cast<int>(size.x)) / 2,
                     (static_cast<int>(desktop.height) - static_cast<int>(size.y)) / 2));
    dressWindow(window);
}

void openFullscreen(sf::RenderWindow& window) {
    window.create(sf::VideoMode::getDesktopMode(), "Gobbler", sf::Style::Fullscreen);
    dressWindow(window);
}

} // namespace

WindowSettings readWindowSettings(const std::string& text) {
    // Line by line: a line that is not a known name and a whole number in its range is passed
    // over, and what it would have set keeps its default.
    WindowSettings settings;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const char* at = text.data() + start;
        const char* const last = text.data() + end;
        auto skipBlanks = [&] {
            while (at < last && (*at == ' ' || *at == '\t' || *at == '\r'))
                ++at;
        };
        skipBlanks();
        const char* const name = at;
        while (at < last && *at != ' ' && *at != '\t' && *at != '\r')
            ++at;
        const std::string key(name, at);
        skipBlanks();
        if (key == "language") {
            const char* const word = at;
            while (at < last && ((*at >= 'a' && *at <= 'z') || *at == '_'))
                ++at;
            const std::string language(word, at);
            skipBlanks();
            if (at == last && !language.empty() && language.size() <= 16)
                settings.language = language;
            start = end + 1;
            continue;
        }
        long value = 0;
        const std::from_chars_result number = std::from_chars(at, last, value);
        at = number.ptr;
        skipBlanks();
        if (number.ec == std::errc() && at == last) {
            if (key == "fullscreen")
                settings.fullscreen = value != 0;
            else if (key == "width" && value > 0 && value <= 16384)
                settings.width = static_cast<unsigned>(value);
            else if (key == "height" && value > 0 && value <= 16384)
                settings.height = static_cast<unsigned>(value);
        }
        start = end + 1;
    }
    return settings;
}

WindowSettings loadWindowSettings() {
    removeLeftovers(settingsPath());
    std::string text;
    const OwnFileRead read = readOwnFile(settingsPath(), maxSettingsBytes, text);
    if (read == OwnFileRead::Unreadable)
        reportUnreadable(settingsPath());
    if (read != OwnFileRead::Read)
        return WindowSettings();
    return readWindowSettings(text);
}

std::string formatWindowSettings(const WindowSettings& settings) {
    char text[96];
    std::snprintf(text, sizeof text, "fullscreen %d\nwidth %u\nheight %u\n",
                  settings.fullscreen ? 1 : 0, settings.width, settings.height);
    std::string written = text;
    if (!settings.language.empty())
        written += "language " + settings.language + "\n";
    return written;
}

sf::Vector2u startWindowSize(sf::Vector2u desktop, const WindowSettings& settings) {
    const unsigned roomX = desktop.x > sideRoom ? desktop.x - sideRoom : desktop.x;
    const unsigned roomY = desktop.y > panelRoom ? desktop.y - panelRoom : desktop.y;
    // The size the player left it at, while it still fits this desktop.
    if (settings.width >= 320 && settings.height >= 180 && settings.width <= roomX &&
        settings.height <= roomY)
        return sf::Vector2u(settings.width, settings.height);
    // Else the largest 16:9 window that fits, no larger than the picture unless the desktop is.
    const bool large = desktop.x > layoutWidth && desktop.y > layoutHeight;
    unsigned height = std::min(roomY, roomX * 9 / 16);
    if (!large)
        height = std::min(height, layoutHeight);
    return sf::Vector2u(height * 16 / 9, height);
}

void openGameWindow(sf::RenderWindow& window) {
    WindowSettings& settings = windowState().settings;
    settings = loadWindowSettings();
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    if (settings.fullscreen)
        openFullscreen(window);
    else
        openWindowed(window, startWindowSize({desktop.width, desktop.height}, settings));
}

void toggleFullscreen(sf::RenderWindow& window) {
    WindowSettings& settings = windowState().settings;
    if (settings.fullscreen) {
        settings.fullscreen = false;
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        openWindowed(window, startWindowSize({desktop.width, desktop.height}, settings));
    } else {
        const sf::Vector2u size = window.getSize();
        settings.width = size.x;
        settings.height = size.y;
        settings.fullscreen = true;
        openFullscreen(window);
    }
    saveWindowSettings();
}

bool windowFullscreen() {
    return windowState().settings.fullscreen;
}

const std::string& languageChosen() {
    return windowState().settings.language;
}

void rememberLanguage(const std::string& language) {
    WindowSettings& settings = windowState().settings;
    if (settings.language == language)
        return;
    settings.language = language;
    saveWindowSettings();
}

void closeGameWindow(sf::RenderWindow& window) {
    WindowSettings& settings = windowState().settings;
    if (window.isOpen() && !settings.fullscreen) {
        settings.width = window.getSize().x;
        settings.height = window.getSize().y;
    }
    saveWindowSettings();
    window.close();
}

void showSystemCursor(sf::RenderWindow& window, bool shown) {
    // Over the black bars the game draws no cursor: the desktop's own one shows there.
    if (windowState().cursorShown == shown)
        return;
    window.setMouseCursorVisible(shown);
    windowState().cursorShown = shown;
}

void presentFrame(Renderer& renderer, sf::RenderTarget& target,
                  const std::vector<sf::IntRect>& areas) {
    const sf::Vector2u size = target.getSize();
    target.setView(
        sf::View(sf::FloatRect(0, 0, static_cast<float>(size.x), static_cast<float>(size.y))));
    const sf::FloatRect area = pictureArea(size);
    const sf::Vector2u frame = renderer.frame.getSize();
    // A frame drawn at the size it is shown (or the game's own, in a window of that size) is
    // copied pixel for pixel: filtering would give the same pixels at a higher price. Only a
    // larger window scales it up, filtered.
    const bool onePerPixel = frame.x < layoutWidth
                                 ? frame == frameSizeFor(size)
                                 : area.width == layoutWidth && area.height == layoutHeight;
    if (renderer.frame.isSmooth() == onePerPixel)
        renderer.frame.setSmooth(!onePerPixel);
    sf::Sprite picture(renderer.frame.getTexture());
    const float scaleX = area.width / static_cast<float>(frame.x);
    const float scaleY = area.height / static_cast<float>(frame.y);
    if (onePerPixel) {
        picture.setPosition(std::floor(area.left), std::floor(area.top));
    } else {
        picture.setPosition(area.left, area.top);
        picture.setScale(scaleX, scaleY);
    }
    if (areas.empty()) {
        target.clear(sf::Color::Black);
        // The picture covers its area whole: nothing to blend.
        target.draw(picture, sf::BlendNone);
        return;
    }
    // The parts drawn anew, in one draw: each the same pixels of the picture at the same place.
    // Filtering reads a pixel beyond each edge.
    const sf::Transform& placed = picture.getTransform();
    std::vector<sf::Vertex> quads;
    for (const sf::IntRect& part : areas) {
        const float left = static_cast<float>(std::max(0, part.left - 2));
        const float top = static_cast<float>(std::max(0, part.top - 2));
        const float right = static_cast<float>(std::min<int>(frame.x, part.left + part.width + 2));
        const float bottom = static_cast<float>(std::min<int>(frame.y, part.top + part.height + 2));
        const sf::Vector2f corners[4] = {
            {left, top}, {left, bottom}, {right, top}, {right, bottom}};
        for (int corner : {0, 1, 2, 2, 1, 3})
            quads.emplace_back(placed.transformPoint(corners[corner]), corners[corner]);
    }
    target.draw(quads.data(), quads.size(), sf::Triangles,
                sf::RenderStates(sf::BlendNone, sf::Transform::Identity,
                                 &renderer.frame.getTexture(), nullptr));
}

namespace {

// What is known of the window's GL context: whether its picture stays once shown. Found out by
// its first two pictures, each marked in its corner pixel, the second mark read back once
// shown; the third picture is shown whole, the mark with it.
enum class Probe { FirstMark, SecondMark, ReadBack, CleanMark, Known };
struct KeptPicture {
    std::uint64_t context = 0;
    Probe probe = Probe::FirstMark;
    sf::Vector2u size; // the window's size while it is found out
    bool kept = false;
};
KeptPicture keptPicture;

// Two marks no picture of the game relies on: the corner pixel is shown with each for a frame.
const sf::Color marks[2] = {sf::Color(1, 2, 3), sf::Color(3, 2, 1)};
const sf::IntRect corner(0, 0, 1, 1);

// Where the window's context stands; a new context, or the window resized while it is found
// out, starts it again.
KeptPicture& probeOf(sf::RenderWindow& window) {
    const std::uint64_t context = sf::Context::getActiveContextId();
    if (context != keptPicture.context ||
        (keptPicture.probe < Probe::CleanMark && keptPicture.size != window.getSize()))
        keptPicture = KeptPicture{context, Probe::FirstMark, window.getSize(), false};
    return keptPicture;
}

} // namespace

void showPicture(Renderer& renderer, sf::RenderWindow& window,
                 const std::vector<sf::IntRect>& parts) {
    if (!window.setActive(true))
        return;
    KeptPicture& known = probeOf(window);
    const bool inParts = !parts.empty() && known.probe == Probe::Known && known.kept;
    presentFrame(renderer, window, inParts ? parts : std::vector<sf::IntRect>{});
    const unsigned height = window.getSize().y;
    if (known.probe == Probe::FirstMark || known.probe == Probe::SecondMark) {
        clipDrawing(&corner, height);
        window.clear(marks[known.probe == Probe::FirstMark ? 0 : 1]);
        clipDrawing(nullptr, height);
        known.probe = known.probe == Probe::FirstMark ? Probe::SecondMark : Probe::ReadBack;
    } else if (known.probe == Probe::CleanMark) {
        known.probe = Probe::Known; // this picture was shown whole, over the mark
    }
    window.display();
    if (known.probe == Probe::ReadBack) {
        sf::Color pixel;
        known.kept = readDrawnPixel(sf::Vector2i(0, 0), height, pixel) &&
                     sf::Color(pixel.r, pixel.g, pixel.b) == marks[1];
        known.probe = Probe::CleanMark;
    }
}
