// Finding a picture's file among the resources found, and reading its size from its header
// without decoding it (inside the ground only).
#pragma once

#include <SFML/System/Vector2.hpp>

#include <string>

// Notes the name the game asked for and gives the file it stands for in the resources found,
// or "" when that file cannot be read.
std::string locate(const std::string& path);
// The size of a PNG or JPEG picture from its header, without decoding it.
bool pictureSize(const std::string& file, sf::Vector2u& size);
