#include "platform/platform.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

// The installed data folder, as the build's install layout places it: relative to the
// installed program first (a copy installed under any prefix), then the configured one.
#ifndef GOBBLER_DATA_FROM_BINARY
#define GOBBLER_DATA_FROM_BINARY "../share/games/gobbler/resources"
#endif
#ifndef GOBBLER_LOCALE_FROM_BINARY
#define GOBBLER_LOCALE_FROM_BINARY "../share/locale"
#endif
#ifndef GOBBLER_LOCALE_DIR
#define GOBBLER_LOCALE_DIR "/usr/local/share/locale"
#endif
#ifndef GOBBLER_DATA_DIR
#define GOBBLER_DATA_DIR "/usr/local/share/games/gobbler/resources"
#endif

namespace fs = std::filesystem;

namespace {

const std::string gameResources = "../resources/";

struct Resolved {
    GameFolders folders{gameResources, gameResources + "save/"};
    std::string saveFile = folders.save + "Save1.txt";
    std::string settingsFile = folders.save + "settings.txt";
    // A build's catalogues, beside the program that is run from its folder.
    std::string locale = "locale/";
};

Resolved& resolved() {
    static Resolved paths;
    return paths;
}

bool isFolder(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

bool writableFolder(const fs::path& path) {
    return isFolder(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string folderName(const fs::path& path) {
    std::string name = path.lexically_normal().string();
    if (name.empty() || name.back() != '/')
        name += '/';
    return name;
}

// The save folder inside the resources, when it is there and writable or can be made.
bool resourcesSaveWritable(const std::string& resources) {
    const fs::path save = fs::path(resources) / "save";
    std::error_code ignored;
    if (fs::exists(fs::symlink_status(save, ignored)))
        return writableFolder(save);
    return writableFolder(resources);
}

// Whether the resources' save folder holds a save, whatever can be done with it: the progress is
// read from where it is rather than started over elsewhere.
bool resourcesHoldASave(const std::string& resources) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(fs::path(resources) / "save" / "Save1.txt", ignored));
}

// <XDG data>/gobbler/, from an absolute XDG_DATA_HOME or else the home's .local/share.
std::string userSaveFolder(const PathClues& clues) {
    if (!clues.xdgDataHome.empty() && clues.xdgDataHome[0] == '/')
        return folderName(fs::path(clues.xdgDataHome) / "gobbler");
    if (!clues.home.empty())
        return folderName(fs::path(clues.home) / ".local" / "share" / "gobbler");
    return "";
}

} // namespace

GameFolders findGameFolders(const PathClues& clues) {
    GameFolders found{gameResources, ""};
    const fs::path programFolder = fs::path(clues.executable).parent_path();
    if (isFolder(gameResources)) {
        // Played from a build folder beside the resources, as always.
    } else if (!clues.executable.empty() && isFolder(programFolder / gameResources)) {
        found.resources = folderName(fs::absolute(programFolder / gameResources));
    } else {
        for (const std::string& data : clues.installedData) {
            if (!data.empty() && isFolder(data)) {
                found.resources = folderName(data);
                break;
            }
        }
    }
    bool installed = false;
    for (const std::string& data : clues.installedData) {
        std::error_code ignored;
        installed = installed || (!data.empty() && fs::equivalent(found.resources, data, ignored));
    }
    // The installed data belongs to the system: the game never writes there, even when it
    // could (run as root).
    if (!installed &&
        (resourcesSaveWritable(found.resources) || resourcesHoldASave(found.resources))) {
        found.save = found.resources + "save/";
        return found;
    }
    found.save = userSaveFolder(clues);
    if (found.save.empty()) {
        found.save = found.resources + "save/";
        return found;
    }
    std::error_code ignored;
    fs::create_directories(found.save, ignored);
    return found;
}

void resolveGameFolders() {
    PathClues clues;
    std::error_code ignored;
    clues.executable = fs::read_symlink("/proc/self/exe", ignored).string();
    if (!clues.executable.empty())
        clues.installedData.push_back(
            (fs::path(clues.executable).parent_path() / GOBBLER_DATA_FROM_BINARY).string());
    clues.installedData.push_back(GOBBLER_DATA_DIR);
    if (const char* xdg = std::getenv("XDG_DATA_HOME"))
        clues.xdgDataHome = xdg;
    if (const char* home = std::getenv("HOME"))
        clues.home = home;
    if (clues.home.empty())
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
            clues.home = user->pw_dir;

    Resolved& paths = resolved();
    paths.folders = findGameFolders(clues);
    paths.saveFile = paths.folders.save + "Save1.txt";
    paths.settingsFile = paths.folders.save + "settings.txt";
    std::vector<std::string> locales;
    if (!clues.executable.empty()) {
        const fs::path programFolder = fs::path(clues.executable).parent_path();
        locales.push_back((programFolder / "locale").string());
        locales.push_back((programFolder / GOBBLER_LOCALE_FROM_BINARY).string());
    }
    locales.push_back(GOBBLER_LOCALE_DIR);
    paths.locale = findLocaleFolder(locales);
}

std::string findLocaleFolder(const std::vector<std::string>& candidates) {
    for (const std::string& folder : candidates) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code ignored;
            if (fs::is_regular_file(it->path() / "LC_MESSAGES" / "gobbler.mo", ignored))
                return folderName(folder);
        }
    }
    return "";
}

const std::string& localeFolder() {
    return resolved().locale;
}

std::string resourceFile(const std::string& gamePath) {
    const std::string& root = resolved().folders.resources;
    if (root == gameResources || gamePath.compare(0, gameResources.size(), gameResources) != 0)
        return gamePath;
    return root + gamePath.substr(gameResources.size());
}

const char* savePath() {
    return resolved().saveFile.c_str();
}

const char* settingsPath() {
    return resolved().settingsFile.c_str();
}
