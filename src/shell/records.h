// The records of the shell: the pause over the lesson, the in-game menu and options, the intro.
// Each is written by this folder and the folders above it; the layers below only read it
// (ground/records.h).
#pragma once

#include "ground/types.h"

#include <SFML/Graphics.hpp>

#include <list>
#include <memory>
#include <string>

// Pause.
struct PauseRecord {
    int pausedOverLesson = 0; // the pause button is down while the first level's lesson holds
};

// In-game menu and in-game options.
struct GameMenuRecord {
    sf::Sprite gameMenuSprite;
    sf::Sprite gameMenuArrows[5];
    int gameMenuItems = 4; // a fifth, "Passer le tutoriel", while the first level's lesson is on
    const sf::Texture* emptyArrowTexture = nullptr;
    const sf::Texture* fullArrowTexture = nullptr;
    sf::Sprite gameOptionsSprite;
    sf::Sprite gameEffectsBar;
    sf::Sprite gameMusicBar;
    sf::Sprite gameOptionsBack;
    sf::CircleShape gameEffectsKnob;
    sf::CircleShape gameMusicKnob;
    float gameEffectsKnobX = 0, gameMusicKnobX = 0;
};

// Intro.
struct IntroRecord {
    sf::Sprite splashBite;
    sf::Texture splashSheet; // the bites, taken at the first one (the first frame shows its own)
    sf::Sprite splashFlyer;
    int splashFrame = 0;
    int splashPhase = 0;
    float splashStepTime = 0;
    int splashStarted = 0;
    sf::Sprite introBackground;
    std::int64_t logoClockStartMs = 0;
    int logoFrame = 0;
    int introPhase = 0;
    float logoX = 0, logoY = 0;
    sf::Sprite titleBackground; // the menu background under the title picture
    sf::Sprite titlePicture;
    sf::Text promptText;
    int promptAlpha = 255;
    int promptRising = 0;
};
