// Hand-edited and damaged save files made from a seed: each is read the way start-up reads
// the file, written back and read again, and every few of them are played for some frames on
// the screens that use the progress (title menu, level selection, shop, a level).
#pragma once

#include <cstdint>
#include <string>

struct SaveFuzzReport {
    long inputs = 0;
    long played = 0;   // inputs also played on the screens
    long unstable = 0; // loaded progress that a write and a read did not give back unchanged
    std::string firstUnstable;
};

// The progress as start-up leaves it before the save file is read.
void progressDefaults();

// Runs count saves made from seed; every playEvery-th one (0: none) is played on the screens.
// Faults in the game show as sanitizer reports or crashes.
SaveFuzzReport fuzzSaves(std::uint32_t seed, long count, long playEvery);
