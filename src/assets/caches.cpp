// What the loader keeps: the caches and the bookkeeping of pictures on their way.
#include "assets/caches.h"

#include "assets/atlas.h"

#include <new>

Cache<sf::Texture>& textureCache() {
    static Cache<sf::Texture> cache;
    return cache;
}

// Never torn down, like the frame: a render texture must not outlive the GL context it lives in.
Cache<sf::RenderTexture>& backdropCache() {
    alignas(
        Cache<sf::RenderTexture>) static unsigned char storage[sizeof(Cache<sf::RenderTexture>)];
    static Cache<sf::RenderTexture>& cache = *::new (storage) Cache<sf::RenderTexture>();
    return cache;
}

// The backdrops whose pixels have arrived.
std::set<const sf::Texture*>& backdrops() {
    static std::set<const sf::Texture*> textures;
    return textures;
}

Cache<sf::Image>& imageCache() {
    static Cache<sf::Image> cache;
    return cache;
}

Cache<CollisionMap>& collisionMapCache() {
    static Cache<CollisionMap> cache;
    return cache;
}

std::set<std::string>& requested() {
    static std::set<std::string> paths;
    return paths;
}

// The sizes of the textures whose pixels are on their way (their GL storage is made when the
// pixels arrive, so a picture takes no memory before it is decoded).
std::unordered_map<const sf::Texture*, sf::Vector2u>& comingSizes() {
    static std::unordered_map<const sf::Texture*, sf::Vector2u> sizes;
    return sizes;
}

// The pictures on their way, by texture: queued, decoding or decoded and not brought in yet.
std::unordered_map<const sf::Texture*, int>& inFlight() {
    static std::unordered_map<const sf::Texture*, int> counts;
    return counts;
}

// Of those, how many were let go of meanwhile: their pixels are thrown away on arrival.
std::unordered_map<const sf::Texture*, int>& dropped() {
    static std::unordered_map<const sf::Texture*, int> counts;
    return counts;
}

// Shared textures whose pixels were let go.
std::set<std::string>& released() {
    static std::set<std::string> paths;
    return paths;
}

// Notes the name the game asked for and gives the file it stands for in the resources found,

namespace {
bool smoothing = false;
std::uint64_t pictureChanges = 0;
std::unordered_map<const sf::Texture*, unsigned> versions;
} // namespace

std::uint64_t picturesChanged() {
    return pictureChanges;
}

unsigned pictureVersion(const sf::Texture* texture) {
    const auto found = versions.find(texture);
    return found == versions.end() ? 0 : found->second;
}

void notePicturesChanged(const sf::Texture* texture) {
    ++pictureChanges;
    if (texture)
        ++versions[texture];
}

void smoothPictures(bool smooth) {
    smoothing = smooth;
    notePicturesChanged();
    for (const auto& entry : textureCache())
        if (entry.second)
            entry.second->setSmooth(smooth);
    for (const auto& entry : backdropCache())
        if (entry.second)
            entry.second->setSmooth(smooth);
    for (const auto& page : atlasPages())
        page->setSmooth(smooth);
}

bool picturesSmooth() {
    return smoothing;
}
