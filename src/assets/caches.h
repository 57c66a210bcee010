// What the loader keeps (inside assets only): every shared texture, backdrop, CPU image and
// path image by its path, and the bookkeeping of the pictures on their way: the sizes of those
// whose pixels are still coming, how many are in flight, how many were let go of meanwhile,
// which shared textures were released, and every path the game asked for.
#pragma once

#include "assets/assets.h"

#include <SFML/Graphics.hpp>

#include <memory>
#include <set>
#include <string>
#include <unordered_map>

template <class T> using Cache = std::unordered_map<std::string, std::unique_ptr<T>>;

// The shared pictures by path (null: asked for and missing).
Cache<sf::Texture>& textureCache();
// The backdrops (the maps) by path, each in a render texture of its own.
Cache<sf::RenderTexture>& backdropCache();
// The backdrops whose pixels have arrived.
std::set<const sf::Texture*>& backdrops();
Cache<sf::Image>& imageCache();
Cache<CollisionMap>& collisionMapCache();
// Every path the game has asked for, found or not.
std::set<std::string>& requested();
// The sizes of the textures whose pixels are on their way (their GL storage is made when the
// pixels arrive, so a picture takes no memory before it is decoded).
std::unordered_map<const sf::Texture*, sf::Vector2u>& comingSizes();
// The pictures on their way, by texture: queued, decoding or decoded and not brought in yet.
std::unordered_map<const sf::Texture*, int>& inFlight();
// Of those, how many were let go of meanwhile: their pixels are thrown away on arrival.
std::unordered_map<const sf::Texture*, int>& dropped();
// Shared textures whose pixels were let go for good (the intro's).
std::set<std::string>& released();
