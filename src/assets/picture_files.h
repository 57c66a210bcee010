// Finding a picture's file among the resources found, and reading its size from its header
// without decoding it (inside assets only).
#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>

// The file a picture's name stands for in the resources found, in the language spoken (its
// twin's when it has one), readable or not.
std::string pictureFile(const std::string& path);
// Whether a picture has a twin of its own in a language other than French.
bool hasTwin(const std::string& path, const std::string& language);
// Notes the name the game asked for and gives the file it stands for in the resources found,
// or "" (and a line on the console naming it) when that file cannot be read.
std::string locate(const std::string& path);
// The size the resources' manifest lists for a picture, whether its file is there or not.
bool listedPictureSize(const std::string& path, sf::Vector2u& size);
// What stands in for a picture that is missing or broken: a plain box of its size, so that a
// button drawn with it is still seen and pressed. Opaque for a backdrop; else what lies under it
// shows through.
sf::Image standInPicture(sf::Vector2u size, bool opaque);
// The size of a PNG or JPEG picture from its header, without decoding it.
bool pictureSize(const std::string& file, sf::Vector2u& size);
