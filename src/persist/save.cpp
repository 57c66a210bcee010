// The save file: one line of 25 numbers, each followed by one blank.
#include "persist/persist.h"
#include "core/paths.h"

#include "core/game.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A save is a few hundred bytes; a larger file is read no further than this.
constexpr std::size_t maxSaveBytes = 64 * 1024;

// Reads the numbers of a save text the way the formatted scan of "%d " and "%f " does:
// blanks are skipped, a field is the longest number at the cursor, and the first field that
// holds no number at all stops every later read. A number that does not fit its field (too
// long, not finite) is still passed over, and the field keeps its default.
class FieldReader {
  public:
    explicit FieldReader(const std::string& text) : cursor(text.c_str()) {}

    void readInt(int& field) {
        if (stopped || !startField())
            return;
        char* end = nullptr;
        errno = 0;
        const long value = std::strtol(cursor, &end, 10);
        if (end == cursor) {
            stopped = true;
            return;
        }
        cursor = end;
        if (errno != ERANGE && value >= INT_MIN && value <= INT_MAX)
            field = static_cast<int>(value);
    }

    void readFloat(float& field) {
        if (stopped || !startField())
            return;
        char* end = nullptr;
        const double value = std::strtod(cursor, &end);
        if (end == cursor) {
            stopped = true;
            return;
        }
        cursor = end;
        if (std::isfinite(value) && std::fabs(value) <= static_cast<double>(FLT_MAX))
            field = static_cast<float>(value);
    }

  private:
    const char* cursor;
    bool stopped = false;

    // Skips blanks; false (and stops) at the end of the text.
    bool startField() {
        while (*cursor != '\0' && std::isspace(static_cast<unsigned char>(*cursor)))
            ++cursor;
        if (*cursor == '\0')
            stopped = true;
        return !stopped;
    }
};

// Makes the renamed file survive a power cut: the folder's entry is flushed too.
void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string formatSave() {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, "%d %f %f %f %d %d %d %d %d %d %d %d %d %d %d %d ",
                  game.stars, static_cast<double>(game.bestRating[1]),
                  static_cast<double>(game.bestRating[2]), static_cast<double>(game.bestRating[3]),
                  game.levelCleared[1], game.levelCleared[2], game.levelCleared[3],
                  game.lockOpened[2], game.lockOpened[3], game.supplierTutorialDone,
                  game.tutorialEnabled, game.starsCredited[1], game.starsCredited[2],
                  game.starsCredited[3], game.starsEarned[1], game.starsEarned[2]);
    std::string text = buffer;
    for (int tower = 0; tower < TowerTypeCount; ++tower) {
        for (int level = 1; level <= 3; ++level) {
            std::snprintf(buffer, sizeof buffer, "%d ", game.upgradeUnlocked[tower][level]);
            text += buffer;
        }
    }
    return text;
}

void parseSave(const std::string& text) {
    FieldReader in(text);
    in.readInt(game.stars);
    in.readFloat(game.bestRating[1]);
    in.readFloat(game.bestRating[2]);
    in.readFloat(game.bestRating[3]);
    in.readInt(game.levelCleared[1]);
    in.readInt(game.levelCleared[2]);
    in.readInt(game.levelCleared[3]);
    in.readInt(game.lockOpened[2]);
    in.readInt(game.lockOpened[3]);
    in.readInt(game.supplierTutorialDone);
    in.readInt(game.tutorialEnabled);
    in.readInt(game.starsCredited[1]);
    in.readInt(game.starsCredited[2]);
    in.readInt(game.starsCredited[3]);
    in.readInt(game.starsEarned[1]);
    in.readInt(game.starsEarned[2]);
    for (int tower = 0; tower < TowerTypeCount; ++tower)
        for (int level = 1; level <= 3; ++level)
            in.readInt(game.upgradeUnlocked[tower][level]);
}

void writeSave() {
    namespace fs = std::filesystem;
    const fs::path target(savePath());
    std::error_code ignored;
    // A missing save folder is made again rather than losing the progress.
    fs::create_directories(target.parent_path(), ignored);

    // Written beside the real file and renamed over it, so an interrupted save leaves the
    // previous progress whole.
    const std::string text = formatSave();
    const std::string temporary = std::string(savePath()) + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wt");
    if (!file)
        return;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fflush(file) == 0 && written;
    written = ::fsync(::fileno(file)) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), savePath()) != 0) {
        std::remove(temporary.c_str());
        return;
    }
    syncFolder(target.parent_path());
}

void readSave() {
    std::FILE* file = std::fopen(savePath(), "rt");
    if (!file)
        return;
    std::string text(maxSaveBytes, '\0');
    const std::size_t length = std::fread(&text[0], 1, maxSaveBytes, file);
    std::fclose(file);
    text.resize(length);
    parseSave(text);
}

void deleteSave() {
    std::remove(savePath());
    for (int tower = 0; tower < TowerTypeCount; ++tower) {
        game.upgradeUnlocked[tower][1] = 1;
        game.upgradeUnlocked[tower][2] = 0;
        game.upgradeUnlocked[tower][3] = 0;
    }
    for (int level = 1; level <= 3; ++level) {
        game.bestRating[level] = 0.0f;
        game.starsEarned[level] = 0;
        game.starsCredited[level] = 0;
        game.levelCleared[level] = 0;
    }
    game.lockOpened[2] = game.lockOpened[3] = 0;
    game.supplierTutorialDone = 0;
    game.stars = 0;
    game.tutorialEnabled = 1;
    writeSave();
}

void creditStars() {
    for (int level = 1; level <= 3; ++level) {
        if (game.starsEarned[level] > game.starsCredited[level]) {
            // Counted wide: figures read from a damaged file must not overflow the balance.
            long long balance = static_cast<long long>(game.stars) + game.starsEarned[level] -
                                game.starsCredited[level];
            balance = balance > INT_MAX ? INT_MAX : balance < INT_MIN ? INT_MIN : balance;
            game.stars = static_cast<int>(balance);
            game.starsCredited[level] = game.starsEarned[level];
        }
    }
}
