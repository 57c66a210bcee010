#include "support/save_fuzz.h"

#include "core/game.h"
#include "persist/persist.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"

#include <cstdio>
#include <fstream>
#include <random>

namespace {

constexpr const char* intValues[] = {
    "0",           "1",          "2",           "-1",
    "3",           "5",          "6",           "9",
    "-7",          "2147483647", "2147483646",  "-2147483648",
    "-2147483647", "2147483648", "-2147483649", "99999999999999999999",
    "007",         "+4",         "0x10",        "1e3",
    "-0",
};
constexpr const char* floatValues[] = {
    "0.000000", "7.500000", "10.000000",    "10.5",         "5",      "4.999999",  "-1",
    "nan",      "inf",      "-inf",         "1e38",         "1e39",   "-1e39",     "1e-45",
    "-0",       "0x1p3",    "3.4028235e38", "2147483648.0", "1.#INF", "9.9999999",
};
constexpr const char* separators[] = {" ", " ", " ", " ", "\n", "\t", "  ", "", "\r\n"};
constexpr char bytes[] = "0123456789-+.exnaifINF \n\t\x01\x7f\x80\xff";

template <class T, std::size_t N> const T& pick(std::mt19937& random, const T (&table)[N]) {
    return table[random() % N];
}

std::string field(std::mt19937& random, bool isFloat) {
    switch (random() % 4) {
    case 0: // any int in a small or the whole range
        return std::to_string(random() % 2 ? static_cast<int>(random() % 21) - 10
                                           : static_cast<int>(random()));
    default:
        return isFloat ? pick(random, floatValues) : pick(random, intValues);
    }
}

std::string fuzzedSave(std::mt19937& random) {
    std::string text;
    const unsigned kind = random() % 8;
    if (kind == 0) { // bytes of every sort
        const unsigned length = random() % 80;
        for (unsigned i = 0; i < length; ++i)
            text += random() % 4 ? pick(random, bytes) : static_cast<char>(random());
        return text;
    }
    // Fields: usually the 25, sometimes fewer or more.
    const unsigned fields = kind == 1 ? random() % 30 : 25;
    for (unsigned i = 0; i < fields; ++i)
        text += field(random, i >= 1 && i <= 3) + (random() % 8 ? " " : pick(random, separators));
    if (kind == 2) { // then damaged in a few places
        for (unsigned edits = 1 + random() % 4; edits > 0 && !text.empty(); --edits) {
            const std::size_t at = random() % text.size();
            switch (random() % 4) {
            case 0:
                text[at] = pick(random, bytes);
                break;
            case 1:
                text.insert(at, 1, static_cast<char>(random()));
                break;
            case 2:
                text.erase(at, 1);
                break;
            default:
                text.resize(at);
                break;
            }
        }
    }
    return text;
}

// A few frames on each screen that uses the progress, with the pointer wandering and a press
// on the places that act on it (padlocks, the shop's reset, the level's pedestals).
void play(FrameDriver& driver, std::mt19937& random) {
    auto wander = [&](int frames) {
        for (int i = 0; i < frames; ++i) {
            driver.moveMouse(static_cast<int>(random() % 1920), static_cast<int>(random() % 1080));
            driver.platform.left = random() % 3 == 0;
            driver.frame();
        }
        driver.release();
    };
    game.clickLatch = 0;
    game.screen = TitleMenu;
    wander(2);
    game.screen = LevelSelect;
    game.currentLevel = 1 + static_cast<int>(random() % 3);
    wander(2);
    game.screen = Shop;
    driver.click(1250, 780); // the reset refunds every upgrade
    wander(2);
    driver.startLevel(1 + static_cast<int>(random() % 3));
    game.countdown = 0;
    wander(4);
}

} // namespace

void progressDefaults() {
    game.stars = 0;
    for (int level = 0; level < 4; ++level) {
        game.bestRating[level] = 0;
        game.levelCleared[level] = game.lockOpened[level] = 0;
        game.starsCredited[level] = game.starsEarned[level] = 0;
    }
    game.supplierTutorialDone = 0;
    game.tutorialEnabled = 1;
    for (int tower = 0; tower < TowerTypeCount; ++tower)
        for (int level = 0; level < 4; ++level)
            game.upgradeUnlocked[tower][level] = level == 1 ? 1 : 0;
}

SaveFuzzReport fuzzSaves(std::uint32_t seed, long count, long playEvery) {
    std::mt19937 random(seed);
    FrameDriver driver(0.25);
    SaveFuzzReport report;
    for (long i = 0; i < count; ++i) {
        const std::string text = fuzzedSave(random);
        {
            // A new file each time: truncating one makes the file system flush it first.
            std::remove(sandboxSavePath().c_str());
            std::ofstream file(sandboxSavePath(), std::ios::binary);
            file << text;
        }
        progressDefaults();
        readSave();
        const std::string loaded = formatSave();
        parseSave(loaded);
        if (formatSave() != loaded && report.unstable++ == 0)
            report.firstUnstable = text;
        if (playEvery > 0 && i % playEvery == 0) {
            play(driver, random);
            report.played += 1;
        }
        report.inputs += 1;
    }
    std::remove(sandboxSavePath().c_str());
    return report;
}
