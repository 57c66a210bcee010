#include "support/save_fuzz.h"
#include "frame/records.h"
#include "ground/records.h"
#include "persist/records.h"

#include "frame/frame.h"
#include "ground/game.h"
#include "persist/persist.h"
#include "platform/platform.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>

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

// What lies at the settings' name: the kinds a player's disk may hold.
enum class SettingsKind { Missing, Pipe, DeviceLink, Folder, Oversized, Text };

std::string settingsLine(std::mt19937& random) {
    static constexpr const char* names[] = {"fullscreen", "width", "height",  "Width", "",
                                            "x",          "music", "effects", "muted", "language"};
    static constexpr const char* values[] = {"0",     "1",     "-1",    "1280",
                                             "16384", "16385", "320",   "+720",
                                             "1e3",   "0x10",  "37.5",  "1e-3",
                                             "nan",   "inf",   "100.5", "es",
                                             "en",    "../x",  "",      "999999999999999999999999"};
    const std::string value = random() % 2 ? std::to_string(static_cast<int>(random()))
                                           : std::string(pick(random, values));
    return std::string(pick(random, names)) + pick(random, separators) + value +
           (random() % 4 ? "\n" : pick(random, separators));
}

// Makes a damaged, hand-edited or odd settings file and tells its kind.
SettingsKind makeSettings(std::mt19937& random) {
    namespace fs = std::filesystem;
    const std::string path = settingsPath();
    std::error_code ignored;
    fs::remove_all(path, ignored);
    const unsigned kind = random() % 16;
    if (kind == 0)
        return SettingsKind::Missing;
    if (kind == 1)
        return ::mkfifo(path.c_str(), 0644) == 0 ? SettingsKind::Pipe : SettingsKind::Missing;
    if (kind == 2) {
        fs::create_symlink("/dev/zero", path, ignored);
        return ignored ? SettingsKind::Missing : SettingsKind::DeviceLink;
    }
    if (kind == 3) {
        fs::create_directory(path, ignored);
        return ignored ? SettingsKind::Missing : SettingsKind::Folder;
    }
    std::string text;
    if (kind == 4 || kind == 5) { // bytes of every sort
        for (unsigned length = random() % 60; length > 0; --length)
            text += random() % 4 ? pick(random, bytes) : static_cast<char>(random());
    } else {
        for (unsigned lines = random() % 6; lines > 0; --lines)
            text += settingsLine(random);
    }
    {
        std::ofstream file(path, std::ios::binary);
        file << text;
    }
    if (kind == 6) { // the same, grown past any settings file (sparse: nothing is written)
        fs::resize_file(path, random() % 2 ? 4097 : 1ull << 30, ignored);
        return SettingsKind::Oversized;
    }
    return SettingsKind::Text;
}

// The settings as start-up reads them must be what they say when written back; after a game,
// a pipe, a device link or a folder is still there, and anything else is a whole settings file.
bool settingsHold(SettingsKind kind, bool afterGame) {
    const Settings read = loadSettings();
    const Settings again = readSettings(formatSettings(read));
    if (again.fullscreen != read.fullscreen || again.width != read.width ||
        again.height != read.height || read.width > 16384 || read.height > 16384 ||
        again.language != read.language || again.musicVolume != read.musicVolume ||
        again.effectsVolume != read.effectsVolume || again.muted != read.muted ||
        !(read.musicVolume >= 0 && read.musicVolume <= 100) ||
        !(read.effectsVolume >= 0 && read.effectsVolume <= 100))
        return false;
    if (!afterGame)
        return true;
    struct stat named {};
    if (::lstat(settingsPath(), &named) != 0)
        return false;
    switch (kind) {
    case SettingsKind::Pipe:
        return S_ISFIFO(named.st_mode);
    case SettingsKind::DeviceLink:
        return S_ISLNK(named.st_mode);
    case SettingsKind::Folder:
        return S_ISDIR(named.st_mode);
    default: {
        std::ifstream file(settingsPath(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
        return S_ISREG(named.st_mode) && text == formatSettings(readSettings(text));
    }
    }
}

// The keys the game answers: pause, the in-game menu, the two speeds, fullscreen both ways.
struct Key {
    sf::Keyboard::Key code;
    bool alt;
};
constexpr Key keys[] = {{sf::Keyboard::Space, false}, {sf::Keyboard::Escape, false},
                        {sf::Keyboard::Num1, false},  {sf::Keyboard::Num2, false},
                        {sf::Keyboard::F11, false},   {sf::Keyboard::Enter, true}};

// The game started in a window as the settings file says, a few frames on each screen that uses
// the progress with the player doing anything (the pointer wandering, presses held or tapped,
// keys), a press on the places that act on the progress (padlocks, the shop's reset, the
// level's pedestals), then the window closed as the player closes it.
void play(FrameDriver& driver, std::mt19937& random) {
    auto wander = [&](int frames) {
        for (int i = 0; i < frames; ++i) {
            const int x = static_cast<int>(random() % 1920), y = static_cast<int>(random() % 1080);
            switch (random() % 8) {
            case 0:
                driver.tap(x, y);
                break;
            case 1:
            case 2: {
                const Key& key = pick(random, keys);
                driver.tapKey(key.code, key.alt);
                break;
            }
            default:
                driver.moveMouse(x, y);
                driver.platform.left = random() % 3 == 0;
                driver.platform.key1 = random() % 16 == 0;
                driver.platform.key2 = random() % 16 == 0;
                driver.frame();
                break;
            }
        }
        driver.release();
        driver.platform.key1 = driver.platform.key2 = false;
    };
    sf::RenderWindow& window = *driver.platform.window;
    game.frame.windowOpen = 1;
    openGameWindow(window);
    game.shared.clickLatch = 0;
    game.shared.screen = TitleMenu;
    wander(2);
    game.shared.screen = LevelSelect;
    game.shared.currentLevel = 1 + static_cast<int>(random() % 3);
    wander(2);
    game.shared.screen = Shop;
    driver.click(1250, 780); // the reset refunds every upgrade
    wander(2);
    driver.startLevel(1 + static_cast<int>(random() % 3));
    game.waveClock.countdown = 0;
    wander(8);
    closeGameWindow(window);
}

} // namespace

void progressDefaults() {
    game.progress.stars = 0;
    for (int level = 0; level < 4; ++level) {
        game.progress.bestRating[level] = 0;
        game.progress.levelCleared[level] = game.progress.lockOpened[level] = 0;
        game.progress.starsCredited[level] = game.progress.starsEarned[level] = 0;
    }
    game.progress.supplierTutorialDone = 0;
    game.progress.tutorialEnabled = 1;
    for (int tower = 0; tower < TowerTypeCount; ++tower)
        for (int level = 0; level < 4; ++level)
            game.progress.upgradeUnlocked[tower][level] = level == 1 ? 1 : 0;
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
        const SettingsKind settings = makeSettings(random);
        progressDefaults();
        readSave();
        const std::string loaded = formatSave();
        parseSave(loaded);
        if (formatSave() != loaded && report.unstable++ == 0)
            report.firstUnstable = text;
        bool settingsHeld = settingsHold(settings, false);
        if (playEvery > 0 && i % playEvery == 0) {
            play(driver, random);
            settingsHeld = settingsHold(settings, true) && settingsHeld;
            report.played += 1;
        }
        if (!settingsHeld && report.settingsUnstable++ == 0)
            report.firstSettingsUnstable = i;
        report.inputs += 1;
    }
    std::remove(sandboxSavePath().c_str());
    std::error_code ignored;
    std::filesystem::remove_all(settingsPath(), ignored);
    // The next test gets a test window again, not the game's.
    driver.platform.window->close();
    return report;
}
