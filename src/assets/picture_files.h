// Finding a picture's file among the resources found, and reading its size from its header
// without decoding it (inside assets only).
#pragma once

#include <SFML/System/Vector2.hpp>

#include <string>

// The file a picture's name stands for in the resources found, in the language spoken (its
// twin's when it has one), readable or not.
std::string pictureFile(const std::string& path);
// Whether a picture has a twin of its own in a language other than French.
bool hasTwin(const std::string& path, const std::string& language);
// Notes the name the game asked for and gives the file it stands for in the resources found,
// or "" when that file cannot be read.
std::string locate(const std::string& path);
// The size of a PNG or JPEG picture from its header, without decoding it.
bool pictureSize(const std::string& file, sf::Vector2u& size);
