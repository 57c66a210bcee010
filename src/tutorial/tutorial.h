// Tutorial: the guided first level, the level-2 explanation, the shop lesson, the spotlight.
#pragma once

#include "ground/game_state.h"
#include "render/render.h"

// The tutorial gate: customers and the first level's waves move only while it is open (the
// tutorial is off, or the lesson lets the level run).
bool tutorialGateOpen();
// Creates the dialogue text, the speech bubble and the spatula.
void initTutorial();
// The first level's lesson display, once per update after the wave script.
void tutorialStepDisplay();
// A press on the level screen while the tutorial is on; may consume it.
void tutorialClick();
// Whether the first level's lesson takes every press on the level now (a step being read).
bool lessonTakesPresses();
// The tower type the lesson's step builds whatever the money (-1: none): its price is no debt.
int lessonBuildsOnCredit(const GameState& state);
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
void drawTutorialLayer(const GameState& state, Renderer& renderer);
