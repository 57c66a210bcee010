// The records of persistence: the progress the save file keeps, and the audio. Each is written by
// this folder and the folders above it; the layers below only read it (ground/records.h).
#pragma once

#include "assets/assets.h"
#include "ground/types.h"
#include "persist/persist.h"

#include <SFML/Graphics.hpp>

#include <list>
#include <memory>
#include <string>

struct AudioBank {
    sf::SoundBuffer buffers[SoundCount];
    sf::Sound sounds[SoundCount];
    MusicStream musics[MusicCount];
};

// Progress: the save file.
struct ProgressRecord {
    int stars = 0;
    float bestRating[4] = {};
    int starsEarned[4] = {};
    int starsCredited[4] = {};
    int levelCleared[4] = {};
    int lockOpened[4] = {};
    int upgradeUnlocked[TowerTypeCount][4] = {{0, 1, 0, 0}, {0, 1, 0, 0}, {0, 1, 0, 0}};
    int tutorialEnabled = 1;
    int supplierTutorialDone = 0;
    // Whether the progress reaches its file. A save that is there but could not be read is kept
    // as it is, never written over; progress that cannot be written is told to the player.
    int saveKeptUnread = 0;
    int saveFailing = 0;
};

// Audio.
struct AudioRecord {
    std::shared_ptr<AudioBank> audio;
    float musicVolume = 50, effectsVolume = 50;
    int muted = 0;
    int endSoundsPlayed = 0; // the level's victory or defeat sounds have been started
};
