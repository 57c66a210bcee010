// Tutorial: the guided first level, the level-2 explanation, the shop lesson, the spotlight.
#pragma once

#include "ground/records.h"
#include "render/render.h"

// What the lessons light and wait for a press on in the menus and the HUD: the menus and the HUD,
// a layer above, point the lessons at their sprites once at start-up.
struct LessonMarks {
    const sf::Sprite* countdownTimer = nullptr; // the HUD's first timer
    const sf::Sprite* speedButton = nullptr;
    const sf::Sprite* pauseButton = nullptr;
    const sf::Sprite* shopButton = nullptr; // the menu panel's supplier button
    const sf::Text* starBalance = nullptr;
    const sf::Sprite* upgradePictures[TowerTypeCount] = {}; // each tower's level 2 in the shop
};
void markForLessons(const LessonMarks& marks);
// The tutorial gate: customers and the first level's waves move only while it is open (the
// tutorial is off, or the lesson lets the level run).
bool tutorialGateOpen();
// Creates the dialogue text, the speech bubble and the spatula.
void initTutorial();
// Whether the first level's lesson is on and has more to tell (the tutorial is, on the first
// level, before its last step).
bool firstLessonOn();
// Turns the tutorial off (saved) where the first level's lesson stands: its bubble, light and
// the tower menu it opened go, and the level plays on as without it.
void skipLesson();
// The first level's lesson display, once per update after the wave script.
void tutorialStepDisplay();
// A press on the level screen while the tutorial is on; may consume it.
void tutorialClick();
// How long a step's text is up before a press reads it on: a press sooner was aimed at what
// stood there before (the second press of a double click, a click meant for a tower menu).
constexpr float lessonReadingDelay = 0.5f;
// Whether the first level's lesson takes every press on the level now (a step being read).
bool lessonTakesPresses();
// The tower type the lesson's step builds whatever the money (-1: none): its price is no debt.
int lessonBuildsOnCredit(const GameSight& state);
// The level-2 sign explanation; returns true while it holds the wave script.
bool level2Explanation();
// After the level's update: the first win of the first level leads the player to the supplier
// (the shop lesson starts, once ever).
void startShopLessonAfterFirstWin();
// The shop lesson's display (every update while it is pending) and its presses.
void supplierTutorialDisplay();
void supplierTutorialClick();
// Lights a circle of that radius around (x, y), y counted upwards from the bottom of the
// 1080-pixel window, and switches the light on.
void setSpotlight(float x, float y, float radius);
// Gives the dialogue text its string and places it in the bubble.
void layoutDialogue();
// Loads the spotlight's shader into the renderer (none when shaders cannot run).
void loadSpotlight(Renderer& renderer);
// The tutorial layer of the draw pass (spotlight, bubble, spatula, text).
void drawTutorialLayer(const GameSight& state, Renderer& renderer);
