// Hand-edited and damaged save files made from a seed, each beside a damaged or odd window
// settings file (a pipe, a link to a device, a folder, an oversized file among them): each is
// read the way start-up reads it, written back and read again, and every few of them are played
// in the game's window, opened and closed as the player does, for some frames on the screens
// that use the progress (title menu, level selection, shop, a level) with the player pressing,
// tapping and pressing keys (Space, Escape, 1, 2, F11, Alt+Enter) at random.
#pragma once

#include <cstdint>
#include <string>

struct SaveFuzzReport {
    long inputs = 0;
    long played = 0;   // inputs also played on the screens
    long unstable = 0; // loaded progress that a write and a read did not give back unchanged
    std::string firstUnstable;
    // Settings read that a write and a read did not give back unchanged, or a settings file
    // that a game left neither as the player's odd file nor as a whole settings file.
    long settingsUnstable = 0;
    long firstSettingsUnstable = -1; // the input's number
};

// The progress as start-up leaves it before the save file is read.
void progressDefaults();

// Runs count saves made from seed; every playEvery-th one (0: none) is played on the screens.
// Faults in the game show as sanitizer reports or crashes.
SaveFuzzReport fuzzSaves(std::uint32_t seed, long count, long playEvery);
