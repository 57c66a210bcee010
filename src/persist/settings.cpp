// The settings file beside the save: the window, the language, the volumes and the mute switch,
// each on a line of its own, read line by line so a damaged line costs only its own value.
#include "ground/records.h"
#include "persist/persist.h"
#include "persist/records.h"

#include "ground/game.h"
#include "platform/platform.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace {

// A settings file is a handful of short lines; anything longer is damaged.
constexpr std::size_t maxSettingsBytes = 4 * 1024;

struct SettingsKept {
    Settings settings;
    std::string written; // the file's text as last read or written
};

SettingsKept& kept() {
    static SettingsKept state;
    return state;
}

// A line's name and the rest of it without its blanks at either end.
struct Line {
    std::string name;
    const char* value;
    const char* end;
};

Line splitLine(const char* at, const char* last) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (at < last && blank(*at))
        ++at;
    const char* const name = at;
    while (at < last && !blank(*at))
        ++at;
    Line line{std::string(name, at), at, last};
    while (line.value < last && blank(*line.value))
        ++line.value;
    while (line.end > line.value && blank(line.end[-1]))
        --line.end;
    return line;
}

bool readWhole(const Line& line, long& value) {
    const std::from_chars_result read = std::from_chars(line.value, line.end, value);
    return read.ec == std::errc() && read.ptr == line.end;
}

bool readVolume(const Line& line, float& volume) {
    float value = 0;
    const std::from_chars_result read = std::from_chars(line.value, line.end, value);
    if (read.ec != std::errc() || read.ptr != line.end || !std::isfinite(value) || value < 0 ||
        value > 100)
        return false;
    volume = value;
    return true;
}

// A language is a code of lower-case letters and '_', never a path.
bool readLanguage(const Line& line, std::string& language) {
    if (line.end == line.value || line.end - line.value > 16)
        return false;
    for (const char* c = line.value; c < line.end; ++c)
        if (!((*c >= 'a' && *c <= 'z') || *c == '_'))
            return false;
    language.assign(line.value, line.end);
    return true;
}

void readLine(const Line& line, Settings& settings) {
    long value = 0;
    if (line.name == "language")
        readLanguage(line, settings.language);
    else if (line.name == "music")
        readVolume(line, settings.musicVolume);
    else if (line.name == "effects")
        readVolume(line, settings.effectsVolume);
    else if (!readWhole(line, value))
        return;
    else if (line.name == "fullscreen")
        settings.fullscreen = value != 0;
    else if (line.name == "muted")
        settings.muted = value != 0;
    else if (line.name == "width" && value > 0 && value <= 16384)
        settings.width = static_cast<unsigned>(value);
    else if (line.name == "height" && value > 0 && value <= 16384)
        settings.height = static_cast<unsigned>(value);
}

// The shortest text that reads back as the same volume.
std::string volumeText(float volume) {
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, volume);
    return std::string(text, written.ptr);
}

} // namespace

Settings readSettings(const std::string& text) {
    Settings settings;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        readLine(splitLine(text.data() + start, text.data() + end), settings);
        start = end + 1;
    }
    return settings;
}

std::string formatSettings(const Settings& settings) {
    char text[96];
    std::snprintf(text, sizeof text, "fullscreen %d\nwidth %u\nheight %u\n",
                  settings.fullscreen ? 1 : 0, settings.width, settings.height);
    std::string written = text;
    if (!settings.language.empty())
        written += "language " + settings.language + "\n";
    written += "music " + volumeText(settings.musicVolume) + "\neffects " +
               volumeText(settings.effectsVolume) + "\nmuted " + (settings.muted ? "1" : "0") +
               "\n";
    return written;
}

const Settings& loadSettings() {
    SettingsKept& state = kept();
    removeLeftovers(settingsPath());
    std::string text;
    const OwnFileRead read = readOwnFile(settingsPath(), maxSettingsBytes, text);
    if (read == OwnFileRead::Unreadable)
        reportUnreadable(settingsPath());
    if (read != OwnFileRead::Read)
        text.clear();
    state.settings = readSettings(text);
    state.written = text;
    return state.settings;
}

const Settings& keptSettings() {
    return kept().settings;
}

void keepSettings(const Settings& settings) {
    SettingsKept& state = kept();
    state.settings = settings;
    std::string text = formatSettings(settings);
    if (text == state.written)
        return;
    // Only the game's own file is replaced: a pipe, a device link or a folder that the player
    // put in its place stays, and the settings are simply not remembered.
    if (replaceOwnFile(settingsPath(), text, ReplaceRule::OnlyARegularFile))
        state.written = std::move(text);
}

void keepSoundSettings() {
    // A slider being dragged changes the volumes every frame: they are kept once let go.
    if (game.shared.input.leftDown)
        return;
    Settings settings = keptSettings();
    const bool muted = game.sound.muted != 0;
    if (std::abs(settings.musicVolume - game.sound.musicVolume) < 1e-3f &&
        std::abs(settings.effectsVolume - game.sound.effectsVolume) < 1e-3f &&
        settings.muted == muted)
        return;
    settings.musicVolume = game.sound.musicVolume;
    settings.effectsVolume = game.sound.effectsVolume;
    settings.muted = muted;
    keepSettings(settings);
}
