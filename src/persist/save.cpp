// The save file: one line of 25 numbers, each followed by one blank.
#include "persist/persist.h"
#include "persist/records.h"

#include "ground/game.h"
#include "platform/platform.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A save is a few hundred bytes; a larger file is read no further than this.
constexpr std::size_t maxSaveBytes = 64 * 1024;

// Reads the numbers of a save text the way the C library's formatted scan of "%d " and "%f "
// does, character for character: blanks are skipped; a field takes every character that can
// still begin a number of its kind and puts back only the one that cannot, so a lone sign, a
// lone "." or a dangling exponent ("7.5e") is passed over even when it holds no number. A
// field that holds no number ends its scan: the fields left in that scan keep their defaults,
// and the next scan starts right after what was taken. A number that does not fit its field
// (too large, not finite) is still passed over, and the field keeps its default.
class FieldReader {
  public:
    explicit FieldReader(const std::string& text) : text(text) {}

    // A new scan: a field that failed in an earlier one stops nothing here.
    void newScan() { failed = false; }

    void readInt(int& field) {
        if (!startField())
            return;
        std::string number;
        int c = take();
        if (c == '+' || c == '-') {
            number += static_cast<char>(c);
            c = take();
        }
        while (isDigit(c)) {
            number += static_cast<char>(c);
            c = take();
        }
        putBack(c);
        if (number.empty() || !isDigit(number.back())) {
            failed = true;
            return;
        }
        errno = 0;
        const long value = std::strtol(number.c_str(), nullptr, 10);
        if (errno != ERANGE && value >= INT_MIN && value <= INT_MAX)
            field = static_cast<int>(value);
    }

    void readFloat(float& field) {
        if (!startField())
            return;
        std::string number;
        if (!takeFloat(number)) {
            failed = true;
            return;
        }
        char* end = nullptr;
        const float value = std::strtof(number.c_str(), &end);
        if (end == number.c_str()) {
            failed = true;
            return;
        }
        if (std::isfinite(value))
            field = value;
    }

  private:
    const std::string& text;
    std::size_t at = 0;
    bool failed = false;

    static bool isDigit(int c) { return c >= '0' && c <= '9'; }
    static int lower(int c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

    // The next character, taken; EOF at the end of the text.
    int take() { return at < text.size() ? static_cast<unsigned char>(text[at++]) : EOF; }
    // Puts back the one character last taken (never more, as the scan does).
    void putBack(int c) {
        if (c != EOF)
            --at;
    }

    // Skips blanks; false when the scan has already failed or the text is over.
    bool startField() {
        if (failed)
            return false;
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        if (at == text.size())
            failed = true;
        return !failed;
    }

    // Takes the word `rest` after its first letter, case aside; a character that breaks the
    // word is taken with it.
    bool takeWord(std::string& number, const char* rest) {
        for (; *rest; ++rest) {
            const int c = take();
            if (c == EOF || lower(c) != *rest)
                return false;
            number += static_cast<char>(c);
        }
        return true;
    }

    // The characters of one "%f" field, by the scan's own rules: "nan", "inf" or "infinity",
    // a hexadecimal number after "0x" with a "p" exponent, or a decimal one with an "e"
    // exponent; false for a field that holds no number at all.
    bool takeFloat(std::string& number) {
        int c = take();
        const bool sign = c == '+' || c == '-';
        if (sign) {
            number += static_cast<char>(c);
            c = take();
            if (c == EOF)
                return false;
        }
        if (lower(c) == 'n' || lower(c) == 'i')
            return takeNanOrInfinity(number, c);
        return takeNumeral(number, c, sign ? 1 : 0);
    }

    // "nan", "inf" or "infinity", from its first letter `c`, already taken.
    bool takeNanOrInfinity(std::string& number, int c) {
        number += static_cast<char>(c);
        if (lower(c) == 'n')
            return takeWord(number, "an");
        if (!takeWord(number, "nf"))
            return false;
        const int next = take();
        if (lower(next) != 'i') {
            putBack(next);
            return true;
        }
        number += static_cast<char>(next);
        return takeWord(number, "nity");
    }

    // A hexadecimal numeral after "0x" with a "p" exponent, or a decimal one with an "e"
    // exponent, from its first character `c`, already taken (after `signLength` characters of
    // sign in `number`); false when it holds no digit.
    bool takeNumeral(std::string& number, int c, std::size_t signLength) {
        bool hex = false, gotDigit = false, gotDot = false, gotExponent = false;
        char exponent = 'e';
        if (c == '0') {
            number += '0';
            c = take();
            if (lower(c) == 'x') {
                number += static_cast<char>(c);
                hex = true;
                exponent = 'p';
                c = take();
            } else {
                gotDigit = true;
            }
        }
        for (; c != EOF; c = take()) {
            if (isDigit(c) || (hex && !gotExponent && std::isxdigit(c))) {
                gotDigit = true;
            } else if (gotExponent && number.back() == exponent && (c == '+' || c == '-')) {
            } else if (gotDigit && !gotExponent && lower(c) == exponent) {
                c = exponent;
                gotExponent = gotDot = true;
            } else if (!gotDot && c == '.') {
                gotDot = true;
            } else {
                putBack(c);
                break;
            }
            number += static_cast<char>(c);
        }
        return number.size() > signLength + (hex ? 2 : 0);
    }
};

} // namespace

std::string formatSave() {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, "%d %f %f %f %d %d %d %d %d %d %d %d %d %d %d %d ",
                  game.progress.stars, static_cast<double>(game.progress.bestRating[1]),
                  static_cast<double>(game.progress.bestRating[2]),
                  static_cast<double>(game.progress.bestRating[3]), game.progress.levelCleared[1],
                  game.progress.levelCleared[2], game.progress.levelCleared[3],
                  game.progress.lockOpened[2], game.progress.lockOpened[3],
                  game.progress.supplierTutorialDone, game.progress.tutorialEnabled,
                  game.progress.starsCredited[1], game.progress.starsCredited[2],
                  game.progress.starsCredited[3], game.progress.starsEarned[1],
                  game.progress.starsEarned[2]);
    std::string text = buffer;
    for (int tower = 0; tower < TowerTypeCount; ++tower) {
        for (int level = 1; level <= 3; ++level) {
            std::snprintf(buffer, sizeof buffer, "%d ",
                          game.progress.upgradeUnlocked[tower][level]);
            text += buffer;
        }
    }
    return text;
}

void parseSave(const std::string& text) {
    // The sixteen leading numbers are one scan, the upgrade table one scan per entry.
    FieldReader in(text);
    in.readInt(game.progress.stars);
    in.readFloat(game.progress.bestRating[1]);
    in.readFloat(game.progress.bestRating[2]);
    in.readFloat(game.progress.bestRating[3]);
    in.readInt(game.progress.levelCleared[1]);
    in.readInt(game.progress.levelCleared[2]);
    in.readInt(game.progress.levelCleared[3]);
    in.readInt(game.progress.lockOpened[2]);
    in.readInt(game.progress.lockOpened[3]);
    in.readInt(game.progress.supplierTutorialDone);
    in.readInt(game.progress.tutorialEnabled);
    in.readInt(game.progress.starsCredited[1]);
    in.readInt(game.progress.starsCredited[2]);
    in.readInt(game.progress.starsCredited[3]);
    in.readInt(game.progress.starsEarned[1]);
    in.readInt(game.progress.starsEarned[2]);
    for (int tower = 0; tower < TowerTypeCount; ++tower)
        for (int level = 1; level <= 3; ++level) {
            in.newScan();
            in.readInt(game.progress.upgradeUnlocked[tower][level]);
        }
}

void writeSave() {
    // Progress the game could not read may be worth more than what it plays now.
    if (game.progress.saveKeptUnread != 0)
        return;
    // A pipe or a link in the save's place is replaced, never written through: the progress is
    // worth more than whatever was put there.
    if (!replaceOwnFile(savePath(), formatSave(), ReplaceRule::AnythingButAFolder))
        game.progress.saveFailing = 1;
}

void readSave() {
    removeLeftovers(savePath());
    std::string text;
    const OwnFileRead read = readOwnFile(savePath(), maxSaveBytes, text);
    // Missing, not a regular file: a new player. Oversized: only its start is read.
    if (read == OwnFileRead::Read || read == OwnFileRead::TooLarge)
        parseSave(text);
    game.progress.saveKeptUnread = read == OwnFileRead::Unreadable ? 1 : 0;
    if (game.progress.saveKeptUnread != 0)
        reportUnreadable(savePath());
    // A folder that cannot be written keeps what it holds, and the player is told at once.
    game.progress.saveFailing =
        game.progress.saveKeptUnread != 0 || !folderWritable(savePath()) ? 1 : 0;
}

void deleteSave() {
    if (game.progress.saveKeptUnread == 0)
        std::remove(savePath());
    for (int tower = 0; tower < TowerTypeCount; ++tower) {
        game.progress.upgradeUnlocked[tower][1] = 1;
        game.progress.upgradeUnlocked[tower][2] = 0;
        game.progress.upgradeUnlocked[tower][3] = 0;
    }
    for (int level = 1; level <= 3; ++level) {
        game.progress.bestRating[level] = 0.0f;
        game.progress.starsEarned[level] = 0;
        game.progress.starsCredited[level] = 0;
        game.progress.levelCleared[level] = 0;
    }
    game.progress.lockOpened[2] = game.progress.lockOpened[3] = 0;
    game.progress.supplierTutorialDone = 0;
    game.progress.stars = 0;
    game.progress.tutorialEnabled = 1;
    writeSave();
}

int addStars(int stars, long long change) {
    if (change > static_cast<long long>(INT_MAX) - stars)
        return INT_MAX;
    if (change < static_cast<long long>(INT_MIN) - stars)
        return INT_MIN;
    return static_cast<int>(stars + change);
}

void creditStars() {
    for (int level = 1; level <= 3; ++level) {
        if (game.progress.starsEarned[level] > game.progress.starsCredited[level]) {
            game.progress.stars = addStars(
                game.progress.stars, static_cast<long long>(game.progress.starsEarned[level]) -
                                         game.progress.starsCredited[level]);
            game.progress.starsCredited[level] = game.progress.starsEarned[level];
        }
    }
}
