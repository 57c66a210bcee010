// Loading of the game's pictures, sounds, musics, font and shader from "../resources/".
// A file that is missing or broken gives a null handle (or false) and the game goes on.
#pragma once

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <set>
#include <string>

// A texture, loaded once and shared by every object that shows it; null when missing.
const sf::Texture* loadTexture(const std::string& path);
// A CPU-side image (path images), loaded once; null when missing.
const sf::Image* loadImage(const std::string& path);
// A fresh texture that belongs to its caller (the intro loads its logo frames so).
bool loadTextureInto(sf::Texture& texture, const std::string& path);
// The game's one font; null when missing.
const sf::Font* gameFont();
bool loadSoundBuffer(sf::SoundBuffer& buffer, const std::string& path);
bool openMusic(sf::Music& music, const std::string& path);
bool loadFragmentShader(sf::Shader& shader, const std::string& path);
// Gives the window the game's burger icon (none when the picture is missing).
void setWindowIcon(sf::Window& window);

// Gives a sprite its texture, or takes it away when the texture is null so nothing is drawn;
// keeps the sprite's placement and frame.
void setSpriteTexture(sf::Sprite& sprite, const sf::Texture* texture, bool resetRect = false);
// A sprite showing a texture (or nothing), placed at (x, y).
sf::Sprite makeSprite(const sf::Texture* texture, float x = 0, float y = 0);
// A text in the game font.
sf::Text makeText(const std::string& utf8, unsigned size, sf::Color color, float x = 0,
                  float y = 0);
// The path of a picture of the HUD's folder.
std::string hudPath(const char* name);
// Converts the game's UTF-8 strings for SFML.
sf::String utf8(const std::string& text);

// Every resource path the game has asked for so far, found or not.
const std::set<std::string>& requestedResourcePaths();
