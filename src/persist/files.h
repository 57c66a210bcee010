// The small files the game keeps beside each other (the save, the window's settings): how they
// are read and written, so that a player's odd folder never stops the game and no write ever
// lands anywhere but in the game's own file.
#pragma once

#include <cstddef>
#include <string>

enum class OwnFileRead {
    Read,     // the whole file is in the text
    Missing,  // nothing to read: no file, or something else than a regular file at its name
    TooLarge, // larger than asked for: the text holds only its start
};

// Reads at most maxBytes of a file the game keeps. Only a regular file (or a link to one) is
// read: a pipe, a device or a folder in its place is never opened for reading, so none can block
// start-up or feed it without end.
OwnFileRead readOwnFile(const char* path, std::size_t maxBytes, std::string& text);

// What a write may take the place of, besides a regular file and nothing.
enum class ReplaceRule {
    // Anything but a folder: a pipe or a link at the name is replaced (never written through).
    AnythingButAFolder,
    // Nothing else: what the player put at the name stays, and the write is dropped.
    OnlyARegularFile,
};

// Makes text the whole content of the file at path: written to a temporary file of its own
// beside it (made exclusively, never through a link, locked while written), flushed, then
// renamed over the name, so an interrupted write leaves the previous file whole. The folder is
// made when missing. False when nothing was written.
bool replaceOwnFile(const char* path, const std::string& text, ReplaceRule rule);

// Removes the temporary files that a copy of the game killed while writing the file at path
// left beside it; those of a copy writing right now are locked and stay.
void removeLeftovers(const char* path);
