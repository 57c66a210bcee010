// Loading the game's resources: the shared pictures, the maps as backdrops, the path images, the
// trimmed sheets, the font; and the sprite and text helpers every layer makes its objects with.
// The loading thread (loader.h), the caches (caches.h), the atlas (atlas.h) and the holding of
// pictures around their screens (holding.cpp) each have a unit of their own.
#include "assets/assets.h"

#include "assets/atlas.h"
#include "assets/caches.h"
#include "assets/loader.h"
#include "assets/picture_files.h"

#include "platform/platform.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

namespace {

const std::string gameFontPath = "../resources/fonts/SlyCooper.ttf";
// Where Debian puts the face the game's font is a copy of (fonts-comfortaa), then a plain one
// (fonts-dejavu-core).
constexpr const char* systemFonts[] = {"/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf",
                                       "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};

// Whether a font file opens and draws the game's letters: a file cut short may open and then
// give no glyph at all.
bool fontWorks(sf::Font& font, const std::string& file) {
    if (!font.loadFromFile(file))
        return false;
    for (const sf::Uint32 letter : {U'0', U'A', U'g', U'\u00e9'})
        if (font.getGlyph(letter, 40, false).advance <= 0)
            return false;
    return true;
}

// A stream that takes every character and keeps none.
struct Unheard : std::streambuf {
    int overflow(int c) override { return traits_type::not_eof(c); }
};

} // namespace

void quietLibraries() {
    static Unheard unheard;
    sf::err().rdbuf(&unheard);
}

const std::set<std::string>& requestedResourcePaths() {
    return requested();
}

const sf::Texture* loadTexture(const std::string& path) {
    auto& cache = textureCache();
    auto found = cache.find(path);
    const bool wasReleased = released().erase(path) > 0;
    if (found != cache.end() && !wasReleased)
        return found->second.get();
    const std::string file = locate(path);
    if (found == cache.end())
        found = cache.emplace(path, std::make_unique<sf::Texture>()).first;
    sf::Texture* texture = found->second.get();
    if (!texture)
        return nullptr; // remembered as missing so the disk is asked only once
    sf::Vector2u size;
    if (!file.empty() && loader().deferring && pictureSize(file, size) &&
        size.x <= sf::Texture::getMaximumSize() && size.y <= sf::Texture::getMaximumSize()) {
        comingSizes()[texture] = size;
        auto job = newJob(JobKind::Texture, path, file);
        job->texture = texture;
        loader().queue(std::move(job));
        return texture;
    }
    comingSizes().erase(texture);
    texture->setSmooth(picturesSmooth());
    if (!file.empty() && texture->loadFromFile(file))
        return texture;
    if (!file.empty())
        reportUnreadable(file);
    // A picture the manifest knows gets a stand-in of its size; any other shows nothing.
    if (listedPictureSize(path, size) && texture->loadFromImage(standInPicture(size, false))) {
        notePicturesChanged(texture);
        return texture;
    }
    found->second.reset();
    return nullptr;
}

const sf::Texture* loadBackdrop(const std::string& path) {
    auto& cache = backdropCache();
    auto found = cache.find(path);
    if (found != cache.end()) {
        // Let go of for good (the intro's, when it ended) and asked for again by a new start:
        // it comes back into the same texture.
        if (found->second && released().erase(path) > 0) {
            auto job = newJob(JobKind::Backdrop, path, pictureFile(path));
            job->backdrop = found->second.get();
            loadOrQueue(std::move(job));
        }
        return found->second ? &found->second->getTexture() : nullptr;
    }
    const std::string file = locate(path);
    sf::Vector2u size;
    if (file.empty() || !pictureSize(file, size) || size.x > sf::Texture::getMaximumSize() ||
        size.y > sf::Texture::getMaximumSize()) {
        cache.emplace(path, nullptr);
        return nullptr;
    }
    auto backdrop = std::make_unique<sf::RenderTexture>();
    const sf::Texture* texture = &backdrop->getTexture();
    comingSizes()[texture] = size;
    auto job = newJob(JobKind::Backdrop, path, file);
    job->backdrop = backdrop.get();
    cache.emplace(path, std::move(backdrop));
    loadOrQueue(std::move(job));
    return texture;
}

bool isBackdrop(const sf::Texture* texture) {
    return backdrops().count(texture) > 0;
}

const sf::Image* loadImage(const std::string& path) {
    auto& cache = imageCache();
    auto found = cache.find(path);
    if (found != cache.end())
        return found->second.get();
    auto image = std::make_unique<sf::Image>();
    const std::string file = locate(path);
    if (!file.empty() && !image->loadFromFile(file))
        reportUnreadable(file);
    if (file.empty() || image->getSize().x == 0)
        image.reset();
    const sf::Image* result = image.get();
    cache.emplace(path, std::move(image));
    return result;
}

const CollisionMap* loadCollisionMap(const std::string& path,
                                     void (*classify)(const sf::Image&, CollisionMap&)) {
    auto& cache = collisionMapCache();
    auto found = cache.find(path);
    if (found != cache.end())
        return found->second.get();
    const std::string file = locate(path);
    std::unique_ptr<CollisionMap> map = file.empty() ? nullptr : std::make_unique<CollisionMap>();
    CollisionMap* result = map.get();
    cache.emplace(path, std::move(map));
    if (!result)
        return nullptr;
    auto job = newJob(JobKind::PathMap, path, file);
    job->map = result;
    job->classify = classify;
    if (loader().deferring) {
        loader().queue(std::move(job));
        return result;
    }
    const bool ok = (decode(*job), job->ok);
    if (!ok) {
        reportUnreadable(file);
        cache[path].reset();
        return nullptr;
    }
    *result = std::move(job->classes);
    return result;
}

std::vector<const sf::Texture*> loadTrimmedSheets(const std::vector<SheetRequest>& requests) {
    auto& standIns = sheetStandIns();
    std::vector<const sf::Texture*> result;
    auto job = std::make_unique<Job>();
    job->kind = JobKind::Sheet;
    for (const SheetRequest& request : requests) {
        auto found = standIns.find(request.path);
        if (found != standIns.end()) {
            result.push_back(found->second.get());
            continue;
        }
        const std::string file = locate(request.path);
        sf::Vector2u size;
        if (file.empty() || request.frameWidth <= 0 || request.frameHeight <= 0 ||
            !pictureSize(file, size)) {
            standIns.emplace(request.path, nullptr);
            result.push_back(nullptr);
            continue;
        }
        auto standIn = std::make_unique<sf::Texture>();
        auto sheet = std::make_unique<TrimmedSheet>();
        sheet->standIn = standIn.get();
        sheet->size = size;
        sheet->frameWidth = request.frameWidth;
        sheet->frameHeight = request.frameHeight;
        sheet->columns = static_cast<int>(size.x) / request.frameWidth;
        sheet->rows = static_cast<int>(size.y) / request.frameHeight;
        SheetPart part;
        part.file = file;
        part.frameWidth = request.frameWidth;
        part.frameHeight = request.frameHeight;
        part.sheet = sheet.get();
        job->sheets.push_back(std::move(part));
        job->path += (job->path.empty() ? "" : ", ") + request.path;
        sheetOfStandIn()[standIn.get()] = sheet.get();
        trimmedSheets().push_back(std::move(sheet));
        result.push_back(standIn.get());
        standIns.emplace(request.path, std::move(standIn));
    }
    if (job->sheets.empty())
        return result;
    atlasPages().emplace_back(std::make_unique<sf::Texture>());
    job->texture = atlasPages().back().get();
    for (SheetPart& part : job->sheets)
        part.sheet->atlas = job->texture;
    loadOrQueue(std::move(job));
    return result;
}

const sf::Texture* loadTrimmedSheet(const std::string& path, int frameWidth, int frameHeight) {
    return loadTrimmedSheets({SheetRequest{path, frameWidth, frameHeight}}).front();
}

const sf::Font* gameFont() {
    static std::unique_ptr<sf::Font> font;
    static bool tried = false;
    if (!tried) {
        tried = true;
        font = std::make_unique<sf::Font>();
        const std::string file = locate(gameFontPath);
        if (file.empty() || !fontWorks(*font, file)) {
            if (!file.empty())
                reportUnreadable(file);
            // The same face from the system (else a plain one), so that no text goes blank.
            const auto fallback = std::find_if(
                std::begin(systemFonts), std::end(systemFonts), [](const char* system) {
                    return readableFile(system) && fontWorks(*font, system);
                });
            if (fallback == std::end(systemFonts))
                font.reset();
        }
    }
    return font.get();
}

void setWindowIcon(sf::Window& window) {
    if (const sf::Image* icon = loadImage("../resources/textures/icon/gobbler.png"))
        window.setIcon(icon->getSize().x, icon->getSize().y, icon->getPixelsPtr());
}

bool hasPixels(const sf::Texture* texture) {
    if (!texture)
        return false;
    const auto sheet = sheetOfStandIn().find(texture);
    if (sheet != sheetOfStandIn().end())
        return sheet->second->arrived;
    return texture->getNativeHandle() != 0 && comingSizes().count(texture) == 0;
}

sf::Vector2u textureSize(const sf::Texture* texture) {
    if (!texture)
        return sf::Vector2u();
    const auto sheet = sheetOfStandIn().find(texture);
    if (sheet != sheetOfStandIn().end())
        return sheet->second->size;
    auto coming = comingSizes().find(texture);
    return coming != comingSizes().end() ? coming->second : texture->getSize();
}

void setSpriteTexture(sf::Sprite& sprite, const sf::Texture* texture, bool resetRect) {
    if (texture) {
        // A sprite given its first texture without a frame shows the whole picture, also one
        // whose pixels are still on their way.
        const bool whole =
            resetRect || (!sprite.getTexture() && sprite.getTextureRect() == sf::IntRect());
        sprite.setTexture(*texture, resetRect);
        if (whole) {
            const sf::Vector2u size = textureSize(texture);
            sprite.setTextureRect(
                sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y)));
        }
        return;
    }
    sf::Sprite blank;
    blank.setTextureRect(sprite.getTextureRect());
    blank.setOrigin(sprite.getOrigin());
    blank.setPosition(sprite.getPosition());
    blank.setScale(sprite.getScale());
    blank.setRotation(sprite.getRotation());
    blank.setColor(sprite.getColor());
    sprite = blank;
}

sf::Sprite makeSprite(const sf::Texture* texture, float x, float y) {
    sf::Sprite sprite;
    if (texture)
        setSpriteTexture(sprite, texture, true);
    sprite.setPosition(x, y);
    return sprite;
}

std::string hudPath(const char* name) {
    return std::string("../resources/textures/hud/") + name;
}

sf::String utf8(const std::string& text) {
    return sf::String::fromUtf8(text.begin(), text.end());
}

void placeTextLikeFrench(sf::Text& text, const char* french, float x, float y) {
    const char* words = tr(french);
    text.setString(utf8(words));
    if (words != french) {
        sf::Text measure = text;
        measure.setString(utf8(french));
        x += (measure.getLocalBounds().width - text.getLocalBounds().width) / 2;
    }
    text.setPosition(x, y);
}

sf::Text makeText(const std::string& text, unsigned size, sf::Color color, float x, float y) {
    sf::Text result;
    if (const sf::Font* font = gameFont())
        result.setFont(*font);
    result.setString(utf8(text));
    result.setCharacterSize(size);
    result.setFillColor(color);
    result.setPosition(x, y);
    return result;
}
