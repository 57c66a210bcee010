// What the game asks of the machine: the clock, the mouse, the keyboard and the window's events
// (sampled once a frame through one seam, which tests script), where its files are, and how the
// small files it keeps are read and written safely.
#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The game's own picture size: every position and hit box of the game is a pixel of this frame,
// whatever size the window shows it at.
constexpr unsigned layoutWidth = 1920, layoutHeight = 1080;

// ---------------------------------------------------------------- input

// The left button between two frames, as the window's events and its state tell it: a click
// that went down and up before a frame saw it (a quick click, a touchpad's tap, any click during
// a slow frame) waits here to be shown on a frame of its own.
struct PressQueue {
    static constexpr int capacity = 4;
    bool down = false;      // the button is held now
    bool downShown = false; // the press being held has been shown on a frame
    sf::Vector2i downAt;    // where it went down, in window pixels
    int taps = 0;           // presses that went down and up unseen, oldest first
    sf::Vector2i tapAt[capacity];
};

// The buttons of a gamepad in the common layout (A at the bottom, B on the right), numbered as
// SFML numbers them on such a pad. A pad with fewer buttons has the first ones.
enum PadButton : int {
    PadA,
    PadB,
    PadX,
    PadY,
    PadLeftShoulder,
    PadRightShoulder,
    PadBack,
    PadStart,
    PadButtonCount
};

// The gamepads as they stand, every one plugged in taken together.
struct PadState {
    float stickX = 0, stickY = 0; // the left stick, -100..100, right and down positive
    int dpadX = 0, dpadY = 0;     // the d-pad: -1, 0 or 1, right and down positive
    unsigned buttons = 0;         // bit b: PadButton b held
};

// The pointer as a gamepad moves it, and the pad as the frame before saw it.
struct PadPointer {
    bool owns = false; // the pad moved the pointer last: a mouse moved takes it back
    sf::Vector2f at;   // where the pad put the pointer, in the 1920 x 1080 frame
    float speed = 0;   // frame pixels a second, rising while the stick stays pushed
    int dpadX = 0, dpadY = 0;
    float dpadWait = 0;     // seconds until a held d-pad steps again
    unsigned buttons = 0;   // held on the frame before
    sf::Vector2i placed;    // where the desktop's pointer was put, in window pixels
    sf::Vector2i mouseSeen; // the mouse as the frame before read it
};

// Moves the pad's pointer for a frame that lasted this long: the stick smoothly, faster the
// further it is pushed and the longer it is held (the whole frame's width in about a second at
// full tilt); the d-pad a step a press, then steps while held. Whether the pointer moved.
bool steerPadPointer(PadPointer& pointer, const PadState& pad, float seconds);

// What the player did, sampled once at the start of every frame; nothing else reads the
// mouse, the keyboard, the gamepad or the clock.
struct FrameInput {
    std::int64_t clockMs = 0; // milliseconds since the game started
    // The pointer in the 1920 x 1080 frame; on a black bar around the picture it lies
    // outside the frame and hits nothing.
    int mouseX = 0, mouseY = 0;
    bool onPicture = true;
    sf::Vector2u windowSize{1920, 1080}; // in window pixels; the picture is fitted into it
    bool leftDown = false;
    bool speedKey1 = false, speedKey2 = false;
    bool closeRequested = false;
    int focus = 0;              // +1 gained, -1 lost this frame (the last event wins), 0 none
    bool pauseKey = false;      // Space pressed this frame
    bool menuKey = false;       // Escape pressed this frame
    bool screenKey = false;     // F11 or Alt+Enter pressed this frame
    bool gameMenuKey = false;   // the pad's Y pressed this frame: the in-game menu
    bool windowRedrawn = false; // resized or focused: its picture must be shown again
    PressQueue presses;
    PadPointer pad;
};

struct Platform {
    virtual ~Platform() = default;
    // Milliseconds since the game started.
    virtual std::int64_t clockMs() = 0;
    // Pointer position in window pixels, from the window's top-left corner.
    virtual sf::Vector2i mousePosition() = 0;
    // The window's size in pixels (the picture is fitted into it).
    virtual sf::Vector2u windowSize() = 0;
    virtual bool leftButtonDown() = 0;
    // The number-row speed keys: 1 or 2.
    virtual bool speedKeyDown(int key) = 0;
    // Next pending window event; false when the queue is empty.
    virtual bool pollEvent(sf::Event& event) = 0;
    // The gamepads plugged in, while the window has the focus; false when there is none.
    virtual bool padState(PadState&) { return false; }
    // Puts the desktop's pointer at this window pixel, where the pad moved the game's.
    virtual void placePointer(sf::Vector2i) {}
    // Waits out the rest of a sixtieth of a second from the frame's start, for a frame that
    // shows nothing new (a frame shown waits in the window's own display).
    virtual void restUntilNextFrame() {}
};

namespace sf {
class Window;
}

// The real platform over an SFML window, with a clock started when it is made.
Platform& sfmlPlatform(sf::Window& window);

// Where the 1920 x 1080 picture sits in a window of that size: as large as fits, centred, with
// black bars on the remaining sides (left, top, width, height in window pixels).
sf::FloatRect pictureArea(sf::Vector2u windowSize);
// A window pixel in frame coordinates; a pixel on a bar maps outside the frame.
sf::Vector2i windowToFrame(sf::Vector2i pixel, sf::Vector2u windowSize);
// The window pixel that shows a point of the frame.
sf::Vector2i frameToWindow(sf::Vector2f point, sf::Vector2u windowSize);

// Fills the frame's input record: the clock, the pointer, the buttons and keys, the gamepad
// and the window's events. The press edge compares with the record of the frame before. The
// pad's stick and d-pad move the pointer (and the desktop's with it), A presses as the left
// button does, B is Escape, Start is Space, the shoulders are the speed keys 1 and 2, Y asks
// for the in-game menu; a mouse moved takes the pointer back at once.
void sampleInput(Platform& platform, FrameInput& input);

// ---------------------------------------------------------------- files

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
// Saves go to the resources' save folder when the resources are not the installed (read-only)
// data and it can be written or already holds a save (read from there, even when it cannot be
// written back); else to <XDG data>/gobbler/, made here when missing.
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

enum class OwnFileRead {
    Read,       // the whole file is in the text
    Missing,    // nothing to read: no file, or something else than a regular file at its name
    TooLarge,   // larger than asked for: the text holds only its start
    Unreadable, // a file is there but cannot be read (its permissions, the disk): nothing read
};

// Reads at most maxBytes of a file the game keeps. Only a regular file (or a link to one) is
// read: a pipe, a device or a folder in its place is never opened for reading, so none can block
// start-up or feed it without end.
OwnFileRead readOwnFile(const char* path, std::size_t maxBytes, std::string& text);
// Whether a file of the game's own can be read as it is: a regular file (or a link to one) that
// this user may open. Asked before a file is handed to a library that would open a pipe and wait.
bool readableFile(const std::string& path);
// Whether a file at path could be written: this user may make files in its folder (or, when that
// is missing, in the nearest folder above it that is there, where it would be made).
bool folderWritable(const std::string& path);
// Writes one line on the standard error naming a file the game needs and cannot read, the first
// time only; the only words the game writes on the console. Safe from any thread.
void reportUnreadable(const std::string& file);

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
