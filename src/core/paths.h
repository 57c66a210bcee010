// Where the game's files live. The game names every resource "../resources/..."; start-up
// finds which folder that is (from the working folder, beside the program, or the installed
// data) and where the save and settings can be written.
#pragma once

#include <string>
#include <vector>

// What start-up knows about the running copy.
struct PathClues {
    std::string executable;                 // the running program's own file ("" if unknown)
    std::vector<std::string> installedData; // installed resources folders, in order of trust
    std::string xdgDataHome;                // the desktop's per-user data folder ("" if unset)
    std::string home;                       // the player's home folder
};

// The folders the game uses; both end with '/'.
struct GameFolders {
    std::string resources;
    std::string save;
};

// Finds the resources: "../resources/" from the working folder, else "../resources/" beside
// the program, else the first installed data folder; none found leaves "../resources/".
// Saves go to the resources' save folder when it can be written and the resources are not the
// installed (read-only) data; else to <XDG data>/gobbler/, made here when missing.
GameFolders findGameFolders(const PathClues& clues);
// Looks once at start-up at where this copy runs from and keeps the answer.
void resolveGameFolders();
// The file a "../resources/..." name stands for in the resources found.
std::string resourceFile(const std::string& gamePath);
// Of these folders, the first that holds a catalogue of the game's texts in some language
// (<folder>/<language>/LC_MESSAGES/gobbler.mo); "" when none does.
std::string findLocaleFolder(const std::vector<std::string>& candidates);
// Where the catalogues are: beside the program (a build), else in the installed locale folder.
const std::string& localeFolder();
// The save file (Save1.txt) and the settings file, in the save folder.
const char* savePath();
const char* settingsPath();
