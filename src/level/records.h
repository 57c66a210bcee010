// The records of the level: the map and its props, the waves and the first map's door, the
// path-blocking obstacle. Each is written by this folder and the folders above it; the layers
// below only read it (ground/records.h).
#pragma once

#include "assets/assets.h"
#include "ground/types.h"

#include <SFML/Graphics.hpp>

#include <list>
#include <memory>
#include <string>

// Level.
struct LevelRecord {
    sf::Sprite mapSprite;
    const sf::Texture* mapTextures[4] = {};
    const CollisionMap* pathImages[7] = {}; // the seven path images, loaded once
    int mapNumber = 0;
    sf::Vector2f entrance;
    sf::Vector2f secondEntrance;
    sf::Vector2f goalPoint; // the exit, which the towers feed the nearest to first
    int waveCount = 0;
    std::list<TowerSlot> slots;        // newest first
    std::list<Decoration> decorations; // newest first
};

// Waves and the map-1 door.
struct WavesRecord {
    int wave = 1;
    int spawnedInWave = 0;
    int doorFrame = 0;
    float doorFrameTime = -1.0f;
    sf::Sprite doorSprite;
    // The lesson step the first map's script has reached (a newcomer to show, the first wave
    // fed), for the lesson to take up; 0 when there is none.
    int lessonCue = 0;
};

// Path-blocking obstacle.
struct ObstacleRecord {
    sf::Sprite signSprites[3];
    sf::Sprite mopperSprites[3];
    float mopperFrameTime[3] = {-1.0f, -1.0f, -1.0f};
    int mopperFrame[3] = {0, 0, 0};
    sf::Sprite warningSprites[3];
    int obstacleActive = 1;
    int pathOpenPhase = 0;
    int pathAlertCount = 0;
    int pathAlertShown = 0; // the warning blinks in this frame
};
