// Levels and waves: map set-up, pedestals and decorations, wave scripts, the obstacle.
#pragma once

#include "ground/records.h"
#include "render/render.h"

// Loads the map pictures and the seven path images once.
void loadLevelAssets();
// Steps of the layers above the level's (their things in it: the towers, the lesson), each
// registered once at start-up: `whenLevelClears` ones run first whenever the level lets go of
// what it holds (every set-up, and "Continuer"), `whenLevelSetUp` ones at the end of every
// set-up.
void whenLevelClears(void (*step)());
void whenLevelSetUp(void (*step)());
// Whether the level may move now (its customers, its waves and their clock): the lesson above
// holds it while the player reads, through the hook it registers once at start-up (open when
// none is).
void gateLevel(bool (*open)());
bool levelGateOpen();
// Releases the level's lists (the layers above let go of theirs first).
void clearLevel();
// The set-up of one map: empties the old level and places the new one.
void setupMap1();
void setupMap2();
void setupMap3();
// Runs the set-up of the map that currentLevel plays (0 and 1 share map 1).
void setupCurrentLevel();
// The common per-level reset called from inside each set-up.
void resetLevelState();
// Where pedestal `index` of a map's pedestal table stands (its set-up places them in that
// order); (0, 0) for none.
sf::Vector2f pedestalPlace(int map, int index);
// Creates one pedestal and links it at the head of the pedestal list.
void addSlot(int facing, float x, float y);
// Creates one animated prop and links it at the head of the decoration list.
void addDecoration(const sf::Texture* texture, int frameWidth, int frameHeight, int kind, float x,
                   float y);
// Advances every prop's animation rule once per in-game update.
void animateDecorations();

// Creates the map-1 door sprite.
void initDoor();
// How many waves the level's script has (the tutorial level and level 1 share map 1's).
int waveCountOf(int level);
// Steps the pre-wave countdown (a step a second while the level runs); 0 while it runs, 1 once
// it is over (the wave clock starts then, once).
int tickCountdown();
// Whether the pre-wave countdown still runs (no step taken).
bool countdownRunning();
// The wave clock's frozen time. A freeze (the pause, the in-game menu, the lesson holding the
// level) marks where it begins; leaveFrozenTimeOut leaves the time since the mark out of the
// wave clock, at `speed`, and marks now, so a freeze still running counts on from there.
void freezeFromNow();
// A freeze begins, unless one runs already (the pause, or the lesson holding the level).
void beginFreeze();
void leaveFrozenTimeOut(int speed);
// The running map's wave script, with its door, obstacle and the lesson's freezes.
void runWaveScript();
// How many customers of each type (in CustomerType order) one wave of a map's script brings
// through one entrance: 0 the map's entrance, 1 the second entrance of map 3. Nobody for a
// map or wave outside the scripts.
struct WaveMix {
    int count[CustomerTypeCount];
};
WaveMix waveMix(int mapNumber, int wave, int entrance);
// Opens the map-1 door one column per 0.1 s before a wave; 1 once it is open.
int openDoor();
// Closes the door after the wave's last spawn.
void closeDoor(int waveSize);
// Moves to the next wave's countdown once every customer is spawned and gone; 1 then.
int endWave(int waveSize);

// Creates the slippery-floor signs, the moppers and the warning pictures.
void initObstacles();
// How many obstacles the level in play has (map 2 one, map 3 three, map 1 none).
int obstacleCount(const GameSight& state);
// Animates the moppers of maps 2 and 3: mopping, or walking away and fading until the way opens.
void advanceObstacles();
// Blinks the warning pictures and sounds the path alert (maps 2 and 3); a frozen level blinks
// without counting alerts.
void blinkPathAlert(bool frozen);
// Queues the standing signs and the moppers for the world pass.
void queueObstacleSprites(const GameSight& state, Renderer& renderer);
// Draws the blinking warning pictures while the way opens.
void drawPathAlert(const GameSight& state, Renderer& renderer);
