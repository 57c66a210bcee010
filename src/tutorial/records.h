// The record of the lessons: the first level's, the level-2 sign's and the shop's, their bubble
// and light. Each is written by this folder and the folders above it; the layers below only read
// it (ground/records.h).
#pragma once

#include "ground/types.h"

#include <SFML/Graphics.hpp>

#include <list>
#include <memory>
#include <string>

// Lesson and explanations.
struct LessonRecord {
    int tutorialStep = 0;
    int tutorialRunning = 0;
    int level2TutorialClicks = 0;
    int supplierTutorialPending = 0;
    int supplierTutorialStep = 0;
    std::string dialogue;
    sf::Text dialogueText;
    int spotlightOn = 0;
    int spatulaAnimating = 0;
    int spatulaFrame = 0;
    float spatulaFrameTime = 0;
    sf::Sprite spatulaSprite;
    sf::Sprite bubbleSprite;
    float spotlightX = 0, spotlightY = 0; // the lit point, y counted from the bottom
    float spotlightRadius = 0;
    int tutorialMessageShown = 0; // the level-2 sign explanation is on screen
    int shownStep = -1;           // the first level's step whose text shows (-1: none yet)
    float stepShownAt = 0;        // when that step's text first showed
};
