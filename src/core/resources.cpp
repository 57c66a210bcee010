#include "core/resources.h"

#include "core/paths.h"

#include <SFML/System/Err.hpp>

#include <fstream>
#include <memory>
#include <unordered_map>

namespace {

template <class T> using Cache = std::unordered_map<std::string, std::unique_ptr<T>>;

Cache<sf::Texture>& textureCache() {
    static Cache<sf::Texture> cache;
    return cache;
}

Cache<sf::Image>& imageCache() {
    static Cache<sf::Image> cache;
    return cache;
}

std::set<std::string>& requested() {
    static std::set<std::string> paths;
    return paths;
}

// Notes the name the game asked for and gives the file it stands for in the resources found,
// or "" when that file cannot be read.
std::string locate(const std::string& path) {
    requested().insert(path);
    std::string file = resourceFile(path);
    if (!std::ifstream(file, std::ios::binary).good())
        file.clear();
    return file;
}

} // namespace

const std::set<std::string>& requestedResourcePaths() {
    return requested();
}

const sf::Texture* loadTexture(const std::string& path) {
    auto& cache = textureCache();
    auto found = cache.find(path);
    if (found != cache.end())
        return found->second.get();
    std::unique_ptr<sf::Texture> texture(new sf::Texture);
    const std::string file = locate(path);
    if (file.empty() || !texture->loadFromFile(file))
        texture.reset(); // remembered as missing so the disk is asked only once
    const sf::Texture* result = texture.get();
    cache.emplace(path, std::move(texture));
    return result;
}

const sf::Image* loadImage(const std::string& path) {
    auto& cache = imageCache();
    auto found = cache.find(path);
    if (found != cache.end())
        return found->second.get();
    std::unique_ptr<sf::Image> image(new sf::Image);
    const std::string file = locate(path);
    if (file.empty() || !image->loadFromFile(file))
        image.reset();
    const sf::Image* result = image.get();
    cache.emplace(path, std::move(image));
    return result;
}

bool loadTextureInto(sf::Texture& texture, const std::string& path) {
    const std::string file = locate(path);
    if (file.empty() || !texture.loadFromFile(file)) {
        texture = sf::Texture();
        return false;
    }
    return true;
}

const sf::Font* gameFont() {
    static std::unique_ptr<sf::Font> font;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const std::string file = locate("../resources/fonts/SlyCooper.ttf");
        font.reset(new sf::Font);
        if (file.empty() || !font->loadFromFile(file))
            font.reset();
    }
    return font.get();
}

bool loadSoundBuffer(sf::SoundBuffer& buffer, const std::string& path) {
    const std::string file = locate(path);
    return !file.empty() && buffer.loadFromFile(file);
}

bool openMusic(sf::Music& music, const std::string& path) {
    const std::string file = locate(path);
    return !file.empty() && music.openFromFile(file);
}

bool loadFragmentShader(sf::Shader& shader, const std::string& path) {
    if (!sf::Shader::isAvailable())
        return false;
    const std::string file = locate(path);
    return !file.empty() && shader.loadFromFile(file, sf::Shader::Fragment);
}

void setWindowIcon(sf::Window& window) {
    if (const sf::Image* icon = loadImage("../resources/textures/icon/gobbler.png"))
        window.setIcon(icon->getSize().x, icon->getSize().y, icon->getPixelsPtr());
}

void setSpriteTexture(sf::Sprite& sprite, const sf::Texture* texture, bool resetRect) {
    if (texture) {
        sprite.setTexture(*texture, resetRect);
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
        sprite.setTexture(*texture, true);
    sprite.setPosition(x, y);
    return sprite;
}

std::string hudPath(const char* name) {
    return std::string("../resources/textures/hud/") + name;
}

sf::String utf8(const std::string& text) {
    return sf::String::fromUtf8(text.begin(), text.end());
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
